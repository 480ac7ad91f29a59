#include "core/base/save_questions.h"

#include "core/base/message_texts.h"
#include "core/base/product_texts.h"

namespace keyreel {

SaveOutcome saveAfterAsking(MessageBoxes& boxes, bool fileExists,
                            const std::function<bool()>& write) {
    if (fileExists) {
        const MessageAnswer answer = boxes.showMessage(
            {kOverwriteText, kAppTitle, MessageButtons::YesNo, MessageIcon::Question, true});
        if (answer != MessageAnswer::Yes)
            return SaveOutcome::Declined;
    }
    if (write())
        return SaveOutcome::Saved;
    reportSaveFailure(boxes);
    return SaveOutcome::Failed;
}

void reportSaveFailure(MessageBoxes& boxes) {
    boxes.showMessage(
        {kCloseFileFailedText, kAppTitle, MessageButtons::Ok, MessageIcon::Exclamation, false});
}

bool mayCloseAfterAnswer(MessageAnswer answer, const std::function<bool()>& save) {
    switch (answer) {
        case MessageAnswer::Yes:
            return save();
        case MessageAnswer::No:
            return true;
        case MessageAnswer::Ok:
        case MessageAnswer::Cancel:
            break;
    }
    return false;
}

}  // namespace keyreel

#include "core/base/asked_files.h"

#include "core/base/message_texts.h"
#include "core/base/product_texts.h"

namespace keyreel {

namespace {

std::string pathKey(const std::string& path) {
    std::string key = path;
    for (char& c : key) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        else if (c == '/')
            c = '\\';
    }
    return key;
}

}  // namespace

std::string downloadedMacroQuestion(const std::string& path) {
    return fillIn(kDownloadedMacroText, {path});
}

bool AskedFiles::agreed(const std::string& path) {
    std::string key = pathKey(path);
    if (agreed_.contains(key) || !marked(path))
        return true;
    if (asking_)
        return false;
    MessageRequest question;
    question.text = downloadedMacroQuestion(path);
    question.title = kAppTitle;
    question.buttons = MessageButtons::YesNo;
    question.icon = MessageIcon::Exclamation;
    question.defaultNo = true;
    asking_ = true;
    const bool yes = boxes_.showMessage(question) == MessageAnswer::Yes;
    asking_ = false;
    if (yes)
        agreed_.insert(std::move(key));
    return yes;
}

}  // namespace keyreel

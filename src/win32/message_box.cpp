#include "win32/message_box.h"

#include "win32/send_input.h"
#include "win32/wide_text.h"

namespace keyreel::win32 {

namespace {

UINT messageBoxStyle(const MessageRequest& request, bool ownerShown) {
    UINT style = MB_OK;
    if (request.buttons == MessageButtons::YesNo)
        style = MB_YESNO;
    if (request.buttons == MessageButtons::YesNoCancel)
        style = MB_YESNOCANCEL;
    if (request.icon == MessageIcon::Question)
        style |= MB_ICONQUESTION;
    if (request.icon == MessageIcon::Exclamation)
        style |= MB_ICONEXCLAMATION;
    if (request.defaultNo)
        style |= MB_DEFBUTTON2;
    // A box must be seen even while Keyreel sits in the tray; with no window
    // of Keyreel on screen it also stays above the other programs.
    style |= MB_SETFOREGROUND;
    if (!ownerShown)
        style |= MB_TOPMOST;
    return style;
}

}  // namespace

MessageAnswer showMessageBox(HWND owner, const MessageRequest& request) {
    const UINT style = messageBoxStyle(request, owner != nullptr && IsWindowVisible(owner));
    claimForegroundRight();
    const int answer =
        MessageBoxW(owner, toWide(request.text).c_str(), toWide(request.title).c_str(), style);
    switch (answer) {
        case IDYES:
            return MessageAnswer::Yes;
        case IDNO:
            return MessageAnswer::No;
        case IDOK:
            return MessageAnswer::Ok;
        case IDCANCEL:
            return MessageAnswer::Cancel;
        default:
            break;
    }
    // The box could not be shown, or the program is ending.
    if (request.buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    if (request.buttons == MessageButtons::YesNoCancel)
        return MessageAnswer::Cancel;
    return request.defaultNo ? MessageAnswer::No : MessageAnswer::Yes;
}

}  // namespace keyreel::win32

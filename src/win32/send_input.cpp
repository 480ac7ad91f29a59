#include "win32/send_input.h"

namespace keyreel::win32 {

INPUT keyInput(WORD virtualKey, bool keyUp) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = keyUp ? KEYEVENTF_KEYUP : 0;
    input.ki.dwExtraInfo = kOwnInputMark;
    return input;
}

INPUT unicodeInput(wchar_t unit, bool keyUp) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = unit;
    input.ki.dwFlags = KEYEVENTF_UNICODE | (keyUp ? KEYEVENTF_KEYUP : 0);
    input.ki.dwExtraInfo = kOwnInputMark;
    return input;
}

INPUT mouseInput(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.dwExtraInfo = kOwnInputMark;
    return input;
}

bool sendInputs(std::span<INPUT> inputs) {
    if (inputs.empty())
        return true;
    const auto count = static_cast<UINT>(inputs.size());
    return SendInput(count, inputs.data(), sizeof(INPUT)) == count;
}

void claimForegroundRight() {
    INPUT move = mouseInput(MOUSEEVENTF_MOVE);
    sendInputs({&move, 1});
}

}  // namespace keyreel::win32

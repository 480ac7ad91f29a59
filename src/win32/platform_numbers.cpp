// The core keeps Windows' own numbers for keys, pointer events and hot-key
// modifiers without including a system header. Here each one is checked
// against the system's definition, so a wrong number cannot build.

#include <windows.h>

#include "core/base/key_codes.h"

namespace keyreel::win32 {

static_assert(key::Back == VK_BACK && key::Tab == VK_TAB && key::Return == VK_RETURN);
static_assert(key::Shift == VK_SHIFT && key::Control == VK_CONTROL && key::Menu == VK_MENU);
static_assert(key::Pause == VK_PAUSE && key::Capital == VK_CAPITAL && key::Escape == VK_ESCAPE);
static_assert(key::Space == VK_SPACE && key::Prior == VK_PRIOR && key::Next == VK_NEXT);
static_assert(key::End == VK_END && key::Home == VK_HOME);
static_assert(key::Left == VK_LEFT && key::Up == VK_UP && key::Right == VK_RIGHT &&
              key::Down == VK_DOWN);
static_assert(key::Snapshot == VK_SNAPSHOT && key::Insert == VK_INSERT && key::Delete == VK_DELETE);
static_assert(key::Digit0 == '0' && key::LetterA == 'A' && key::letter('Z') == 'Z');
static_assert(key::Add == VK_ADD && key::F1 == VK_F1 && key::functionKey(12) == VK_F12);
static_assert(key::Numpad0 == VK_NUMPAD0 && key::Multiply == VK_MULTIPLY &&
              key::Subtract == VK_SUBTRACT && key::Divide == VK_DIVIDE);
static_assert(key::Semicolon == VK_OEM_1 && key::Equals == VK_OEM_PLUS &&
              key::Comma == VK_OEM_COMMA && key::Minus == VK_OEM_MINUS &&
              key::Period == VK_OEM_PERIOD && key::Slash == VK_OEM_2);
static_assert(key::Grave == VK_OEM_3 && key::OpenBracket == VK_OEM_4 &&
              key::Backslash == VK_OEM_5 && key::CloseBracket == VK_OEM_6 &&
              key::Quote == VK_OEM_7);
static_assert(key::NumLock == VK_NUMLOCK && key::ScrollLock == VK_SCROLL);
static_assert(key::LeftShift == VK_LSHIFT && key::RightMenu == VK_RMENU);

static_assert(button::Left == VK_LBUTTON && button::Right == VK_RBUTTON);

static_assert(LeftDown == MOUSEEVENTF_LEFTDOWN && LeftUp == MOUSEEVENTF_LEFTUP);
static_assert(RightDown == MOUSEEVENTF_RIGHTDOWN && RightUp == MOUSEEVENTF_RIGHTUP);

static_assert(kModifierAlt == MOD_ALT && kModifierCtrl == MOD_CONTROL);

}  // namespace keyreel::win32

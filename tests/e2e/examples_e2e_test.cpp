// Example macros shipped with the program, played from their own files into
// notepad the way a user starts them: keyreel.exe with the file's path.

#include "e2e_support.h"
#include "win32/wide_text.h"

namespace keyreel::e2e {
namespace {

class ExampleTest : public KeyreelTest {
  protected:
    // Starts the example with plays of loaded files on and waits until
    // notepad holds `expected` (typed keys reach it after the play has sent
    // them); gives what it holds in the end.
    std::string playIntoNotepad(const wchar_t* name, const std::string& expected) {
        setSetting("startup", "runLoaded", "1");
        setSetting("startup", "Run", "0");
        const std::wstring macro = fromBuildPath(KEYREEL_EXAMPLES) + L"\\" + name;
        if (!keyreel.start(L"\"" + macro + L"\""))
            return "(keyreel.exe did not start)";
        HWND edit = nullptr;
        const bool opened = waitFor(
            [&] {
                const HWND notepad = probe::findWindow(L"Untitled - Notepad");
                return notepad != nullptr && (edit = probe::findChild(notepad, L"Edit")) != nullptr;
            },
            20000);
        if (!opened)
            return "(notepad did not open)";
        waitFor([&] { return win32::toUtf8(probe::windowText(edit)) == expected; }, 30000);
        if (!waitForTitle(kIdleTitle, 10000))
            return "(the play did not end)";
        return win32::toUtf8(probe::windowText(edit));
    }
};

TEST_F(ExampleTest, NotepadHelloTypesAccentsAndRepeats) {
    const std::string expected =
        "Hello from Keyreel!\r\nr\xC3\xA9p\xC3\xA9t\xC3\xA9 r\xC3\xA9p\xC3\xA9t\xC3\xA9 "
        "r\xC3\xA9p\xC3\xA9t\xC3\xA9 \r\nCaf\xC3\xA9 \xE2\x82\xAC 5 + 3";
    EXPECT_EQ(playIntoNotepad(L"notepad_hello.kyr", expected), expected);
}

TEST_F(ExampleTest, RepeatBlockWritesTheListItemThreeTimes) {
    const std::string expected = "Shopping list\r\n- item\r\n- item\r\n- item\r\nThat is all.";
    EXPECT_EQ(playIntoNotepad(L"repeat_block.kyr", expected), expected);
}

}  // namespace
}  // namespace keyreel::e2e

// The recorder window under Wine: its text, its menu, and its hook.

#include "ui/recorder_window.h"

#include <gtest/gtest.h>

#include <string>

#include "win32/ansi_code_page.h"
#include "win32/wide_text.h"
#include "win32/win32_file_store.h"
#include "window_probe.h"

namespace keyreel::ui {
namespace {

constexpr const wchar_t* kBoxTitle = L"Tobrin's Keyreel";

class RecorderWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { open(); }

    void open() {
        ASSERT_TRUE(recorder.open());
        window = recorder.hwnd();
        edit = probe::findChild(window, L"Edit");
        ASSERT_NE(edit, nullptr);
    }
    std::string text() const { return win32::toUtf8(probe::windowText(edit)); }

    win32::Win32FileStore store;
    win32::Win32AnsiCodePage codePage;
    MacroFiles files{store, codePage};
    MemorySettingsStore settings;
    RecorderWindow recorder{files, settings, [] {}};
    HWND window = nullptr;
    HWND edit = nullptr;
};

TEST_F(RecorderWindowTest, AClosingWhileRecordingEndsTheHookAndRecordPausesAndEditsAreKept) {
    EXPECT_GE(static_cast<DWORD>(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEu)
        << "no length limit a user could reach";
    SetCursorPos(40, 30);
    ASSERT_TRUE(probe::clickButton(window, L"Begin Recording"));
    ASSERT_TRUE(recorder.hookActive());
    // The first tick: the cursor where it is.
    ASSERT_TRUE(probe::waitFor([&] { return text() == "MouseMove >40,30\r\n"; })) << text();
    auto no = probe::answerDialog(kBoxTitle, probe::pressButton(IDNO));
    SendMessageW(window, WM_CLOSE, 0, 0);
    no.get();
    EXPECT_FALSE(recorder.loaded());
    EXPECT_FALSE(recorder.hookActive());
    open();
    EXPECT_EQ(text(), "");
    EXPECT_TRUE(recorder.recorder()->idle());

    // Record Pauses, off at first, is kept in the settings.
    const auto checked = [&] {
        return (GetMenuState(GetSubMenu(GetMenu(window), 1), 0, MF_BYPOSITION) & MF_CHECKED) != 0;
    };
    EXPECT_FALSE(checked());
    SendMessageW(window, WM_COMMAND, GetMenuItemID(GetSubMenu(GetMenu(window), 1), 0), 0);
    EXPECT_EQ(settings.readSetting("recorder", "recordPauses"), "1");
    ASSERT_TRUE(recorder.unload());
    open();
    EXPECT_TRUE(checked());
    EXPECT_TRUE(recorder.recorder()->recordPauses());

    // What a user pastes into the text at the caret.
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"Press_Tab\r\n"));
    EXPECT_EQ(recorder.recorder()->buffer().text(), "Press_Tab\r\n");
}

}  // namespace
}  // namespace keyreel::ui

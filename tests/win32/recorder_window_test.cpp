// The recorder window, created for real under Wine: its layout and menu,
// and the hook that ends with the window.

#include "ui/recorder_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/base/text.h"
#include "dialog_answer.h"
#include "temp_folder.h"
#include "test_window.h"
#include "win32/ansi_code_page.h"
#include "win32/wide_text.h"
#include "win32/win32_file_store.h"
#include "window_probe.h"

namespace keyreel::ui {
namespace {

using win32::DialogAnswer;
using win32::enterFileName;
using win32::MessageBoxAnswer;
using Lines = std::vector<std::string>;

constexpr const wchar_t* kBoxTitle = L"Tobrin's Keyreel";

bool isPointerLine(std::string_view line) {
    return line.starts_with("MouseMove >") || line == "LDown" || line == "LUp";
}

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
    std::string bufferText() const { return recorder.recorder()->buffer().text(); }
    // The recorded key lines: the lines of the text without the pointer's.
    Lines keyLines() const {
        Lines lines;
        const std::string all = text();
        for (const std::string_view line : splitLines(all)) {
            if (!line.empty() && !isPointerLine(line))
                lines.emplace_back(line);
        }
        return lines;
    }
    // The File menu's item with this caption, chosen.
    void choose(const wchar_t* caption) {
        const HMENU file = GetSubMenu(GetMenu(window), 0);
        const std::vector<std::wstring> captions = probe::menuCaptions(file);
        for (std::size_t i = 0; i < captions.size(); ++i) {
            if (captions[i] == caption) {
                SendMessageW(window, WM_COMMAND, GetMenuItemID(file, static_cast<int>(i)), 0);
                return;
            }
        }
        ADD_FAILURE() << "no menu item " << win32::toUtf8(caption);
    }
    // What a user pastes into the text at the caret.
    void paste(const wchar_t* pasted) {
        SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted));
    }
    // xdotool commands run in one shell, so their keys keep their order.
    static bool press(const std::wstring& commands) {
        return probe::runUnixProgram(L"/bin/sh -c \"xdotool " + commands + L"\"");
    }

    win32::Win32FileStore store;
    win32::Win32AnsiCodePage codePage;
    MacroFiles files{store, codePage};
    int lineCountResets = 0;
    MemorySettingsStore settings;
    RecorderWindow recorder{files, settings, [this] { ++lineCountResets; }};
    HWND window = nullptr;
    HWND edit = nullptr;
};

TEST_F(RecorderWindowTest, ShowsTheBufferTheButtonBelowItAndTheFileMenu) {
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(probe::windowText(window), L"MacRecorder");
    const HWND button = probe::findChild(window, L"", L"Begin Recording");
    ASSERT_NE(button, nullptr);
    const auto style = GetWindowLongPtrW(edit, GWL_STYLE);
    EXPECT_NE(style & ES_MULTILINE, 0);
    EXPECT_NE(style & WS_VSCROLL, 0);
    EXPECT_GE(static_cast<DWORD>(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEu)
        << "no length limit a user could reach";
    RECT text{};
    RECT below{};
    GetWindowRect(edit, &text);
    GetWindowRect(button, &below);
    EXPECT_GE(below.top, text.bottom);

    const HMENU bar = GetMenu(window);
    EXPECT_EQ(probe::menuCaptions(bar), (std::vector<std::wstring>{L"&File", L"&Options"}));
    EXPECT_EQ(probe::menuCaptions(GetSubMenu(bar, 0)),
              (std::vector<std::wstring>{L"&New", L"Sa&ve", L"", L"E&xit"}));
    EXPECT_TRUE(recorder.recorder()->idle());
    ASSERT_TRUE(recorder.open());
    EXPECT_EQ(recorder.hwnd(), window) << "opened twice: the one window";

    // Record Pauses, off at first, is kept in the settings for the next
    // opening.
    const HMENU options = GetSubMenu(bar, 1);
    EXPECT_EQ(probe::menuCaptions(options), std::vector<std::wstring>{L"Record &Pauses"});
    const auto checked = [&] {
        return (GetMenuState(GetSubMenu(GetMenu(window), 1), 0, MF_BYPOSITION) & MF_CHECKED) != 0;
    };
    EXPECT_FALSE(checked());
    SendMessageW(window, WM_COMMAND, GetMenuItemID(options, 0), 0);
    EXPECT_TRUE(checked());
    EXPECT_EQ(settings.readSetting("recorder", "recordPauses"), "1");
    ASSERT_TRUE(recorder.unload());
    open();
    EXPECT_TRUE(checked());
    EXPECT_TRUE(recorder.recorder()->recordPauses());
}

TEST_F(RecorderWindowTest, ClosingWhileRecordingEndsTheHookAndTheNextOpeningStartsAfresh) {
    win32::TestWindow target("Keyreel recorder target", win32::TestWindow::Content::Edit);
    SetCursorPos(40, 30);
    ASSERT_TRUE(probe::clickButton(window, L"Begin Recording"));
    ASSERT_TRUE(recorder.hookActive());
    // The first tick: the cursor where it is.
    ASSERT_TRUE(probe::waitFor([&] { return text() == "MouseMove >40,30\r\n"; })) << text();
    {
        MessageBoxAnswer no(kBoxTitle, IDNO);
        SendMessageW(window, WM_CLOSE, 0, 0);
    }
    EXPECT_FALSE(recorder.loaded());
    EXPECT_FALSE(recorder.hookActive());

    target.bringToFront();
    ASSERT_TRUE(press(L"type --delay 0 later"));
    ASSERT_TRUE(probe::waitFor([&] { return target.text() == "later"; })) << target.text();
    open();
    EXPECT_EQ(text(), "");
    const Recorder& fresh = *recorder.recorder();
    EXPECT_TRUE(fresh.idle());
    EXPECT_EQ(fresh.lastX(), 0);
    EXPECT_EQ(fresh.lastY(), 0);
    EXPECT_FALSE(fresh.recordPauses());
}

}  // namespace
}  // namespace keyreel::ui

// Plays nested for real under Wine: each new play asks for the next one at
// once, and the request is handled at the first processing point of the
// Windows desktop, through the main window's messages, as a Run click or the
// play hot key is. The stack at every level shows what one level costs and
// that the nesting bound stays well clear of the stack's end.

#include <gtest/gtest.h>

#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include "core/base/product_texts.h"
#include "core/main_window/main_model.h"
#include "temp_folder.h"
#include "test_window.h"
#include "ui/main_window.h"
#include "win32/desktop/win32_desktop.h"

namespace keyreel::ui {
namespace {

// The play hot key plays the list, as CTRL+ALT+R does in the program.
class HotKeyPlays : public MainWindowActions {
  public:
    explicit HotKeyPlays(MainModel& model) : model_(model) {}
    void commandChosen(int) override {}
    void hotKeyPressed(WPARAM, LPARAM) override { model_.runList(); }
    void trayIconEvent(UINT) override {}
    void taskbarCreated() override {}
    void mainWindowDpiChanged(UINT) override {}
    bool dataReceived(const COPYDATASTRUCT&) override { return false; }
    void handOversDue() override {}
    bool endSessionQueried() override { return true; }
    void sessionEnding() override {}

  private:
    MainModel& model_;
};

// Notes where the stack stands when a play begins, and asks for another
// play: a click on Run, or the hot key while a message box holds the window.
class NestingProbe : public MainModelObserver {
  public:
    explicit NestingProbe(HWND window) : window_(window) {}

    std::vector<std::uintptr_t> stackAtPlay;
    int ended = 0;

    void titleChanged(const std::string& title) override {
        if (title == kIdleTitle) {
            ++ended;
            return;
        }
        if (title != kPlayingTitle)
            return;
        volatile char here = 0;
        stackAtPlay.push_back(reinterpret_cast<std::uintptr_t>(&here));
        if (IsWindowEnabled(window_))
            PostMessageW(probe::findChild(window_, L"", L"Run"), BM_CLICK, 0, 0);
        else
            PostMessageW(window_, WM_HOTKEY, 0, 0);
    }
    void listChanged() override {}

  private:
    HWND window_;
};

BOOL CALLBACK answerBox(HWND window, LPARAM) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) == L"#32770" && IsWindowVisible(window))
        PostMessageW(window, WM_COMMAND, IDOK, 0);
    return TRUE;
}

// Answers the message boxes of this thread. Its timer ticks only when no
// posted message waits, so the plays have nested as deep as they go first.
void CALLBACK answerBoxes(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), &answerBox, 0);
}

struct Processing {
    const char* line;
    bool showsBox;
};

TEST(PlayNesting, NestedPlaysStopAtTheBoundFarFromTheEndOfTheStack) {
    ULONG_PTR stackLow = 0;
    ULONG_PTR stackHigh = 0;
    GetCurrentThreadStackLimits(&stackLow, &stackHigh);
    const std::uintptr_t stackSize = stackHigh - stackLow;

    for (const Processing& point : {Processing{"Wait >1", false},
                                    {"SendText >a", false},
                                    {"WaitForWindow >", false},
                                    {"MessageBox >nested", true}}) {
        SCOPED_TRACE(point.line);
        TempFolder folder;
        LocalFileStore store;
        MacroFiles files(store);
        win32::Win32Desktop desktop;
        MainModel model(desktop, files);
        MacroBuilder builder(model, files, desktop);
        HotKeyPlays actions(model);
        MainWindow window(model, builder, actions);
        ASSERT_TRUE(window.open(true));
        window.show();
        desktop.setMessageOwner(window.hwnd());
        folder.write("nest.kyr", std::string(point.line) + "\r\n");
        ASSERT_EQ(model.loadList(folder.file("nest.kyr")), MacroFileRead::Read);

        NestingProbe probe(window.hwnd());
        model.setObserver(&probe);
        UINT_PTR answering = 0;
        if (point.showsBox)
            answering = SetTimer(nullptr, 0, 200, &answerBoxes);
        model.runList();
        KillTimer(nullptr, answering);

        ASSERT_EQ(probe.stackAtPlay.size(), static_cast<std::size_t>(kMaxNestedPlays));
        EXPECT_EQ(probe.ended, kMaxNestedPlays) << "every play ended";
        EXPECT_EQ(model.playDepth(), 0);
        const std::uintptr_t perLevel =
            (probe.stackAtPlay.front() - probe.stackAtPlay.back()) / (kMaxNestedPlays - 1);
        const std::uintptr_t used = stackHigh - probe.stackAtPlay.back();
        std::cout << "[ stack    ] " << point.line << ": " << perLevel << " bytes a level, "
                  << used / 1024 << " KB of " << stackSize / 1024 << " KB at the deepest play\n";
        EXPECT_LT(used, stackSize / 4);
    }
}

}  // namespace
}  // namespace keyreel::ui

// The pointer as the recorder samples it, moved and clicked through X.

#include "win32/pointer_sampler.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/base/key_codes.h"
#include "test_window.h"
#include "window_probe.h"

namespace keyreel::win32 {
namespace {

bool isAt(Win32PointerSampler& pointer, int x, int y) {
    const auto position = pointer.cursorPosition();
    return position && position->x == x && position->y == y;
}

TEST(PointerSampler, SamplesTheCursorAndThePrimaryButton) {
    // X tells Wine about buttons pressed over one of its windows.
    TestWindow target("Keyreel pointer test", TestWindow::Content::Empty);
    Win32PointerSampler pointer;
    // Wine's start.exe does not wait for a Unix program: wait for what it did.
    ASSERT_TRUE(probe::runUnixProgram(L"/usr/bin/xdotool mousemove 320 260"));
    EXPECT_TRUE(probe::waitFor([&] { return isAt(pointer, 320, 260); }));
    EXPECT_FALSE(pointer.buttonsSwapped());

    ASSERT_TRUE(probe::runUnixProgram(L"/usr/bin/xdotool mousedown 1"));
    EXPECT_TRUE(probe::waitFor([&] { return (pointer.buttonState(button::Left) & 0x8000) != 0; }));
    EXPECT_EQ(pointer.buttonState(button::Right) & 0x8000, 0);
    ASSERT_TRUE(probe::runUnixProgram(L"/usr/bin/xdotool mouseup 1"));
    EXPECT_TRUE(probe::waitFor([&] { return pointer.buttonState(button::Left) == 0; }));

    // A click that came and went since the last query still shows, once
    // the window has had its release.
    const auto releases = [&] {
        return std::count_if(target.events().begin(), target.events().end(),
                             [](const std::string& event) { return event.starts_with("lup"); });
    };
    ASSERT_TRUE(probe::waitFor([&] { return releases() == 1; }));
    ASSERT_TRUE(probe::runUnixProgram(L"/usr/bin/xdotool click 1"));
    ASSERT_TRUE(probe::waitFor([&] { return releases() == 2; }));
    EXPECT_EQ(pointer.buttonState(button::Left), 1);
    EXPECT_EQ(pointer.buttonState(button::Left), 0) << "told once";
}

}  // namespace
}  // namespace keyreel::win32

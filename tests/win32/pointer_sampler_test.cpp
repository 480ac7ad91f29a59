// The pointer as the recorder samples it, moved through X.

#include "win32/pointer_sampler.h"

#include <gtest/gtest.h>

#include "test_window.h"
#include "window_probe.h"

namespace keyreel::win32 {
namespace {

bool isAt(Win32PointerSampler& pointer, int x, int y) {
    const auto position = pointer.cursorPosition();
    return position && position->x == x && position->y == y;
}

TEST(PointerSampler, SamplesTheCursorAndTellsThisProgramsWindowsApart) {
    TestWindow target("Keyreel pointer test", TestWindow::Content::Empty);
    Win32PointerSampler pointer;
    // Wine's start.exe does not wait for a Unix program: wait for what it did.
    ASSERT_TRUE(probe::runUnixProgram(L"/usr/bin/xdotool mousemove 320 260"));
    EXPECT_TRUE(probe::waitFor([&] { return isAt(pointer, 320, 260); }));
    EXPECT_TRUE(pointer.ownWindowAt({320, 260}));
    EXPECT_FALSE(pointer.ownWindowAt({1270, 1010})) << "the bare desktop";
}

}  // namespace
}  // namespace keyreel::win32

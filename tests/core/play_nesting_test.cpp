// Plays inside plays: the nesting bound against a storm of Run clicks, and
// the guard that keeps a hot key or a due schedule entry from replacing the
// list under any running play.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>

#include "model_fixture.h"

namespace keyreel {
namespace {

std::int64_t countOf(const std::vector<std::string>& events, const std::string& event) {
    return std::count(events.begin(), events.end(), event);
}

class PlayNesting : public ::testing::Test, protected ModelParts, MainModelObserver {
  protected:
    PlayNesting() { model.setObserver(this); }
    void titleChanged(const std::string& title) override {
        started += title == kPlayingTitle;
        ended += title == kIdleTitle;
    }
    void listChanged() override {}

    int started = 0;
    int ended = 0;
};

TEST_F(PlayNesting, TenThousandNestedRequestsNeverNestDeeperThanTheBound) {
    constexpr int kTaps = 100;
    constexpr int kRequests = 10'000;
    std::string taps;
    for (int i = 0; i < kTaps; ++i)
        taps += "Press_Tab\r\n";
    folder.write("taps.kyr", taps);
    ASSERT_EQ(model.loadList(folder.file("taps.kyr")), MacroFileRead::Read);
    int requests = 0;
    int deepest = 0;
    // Every processing point of every play asks for one more play.
    desktop.atProcessingPoint = [&] {
        deepest = std::max(deepest, model.playDepth());
        if (requests < kRequests) {
            ++requests;
            model.runList();
        }
    };
    model.runList();

    EXPECT_EQ(requests, kRequests);
    EXPECT_EQ(deepest, kMaxNestedPlays);
    EXPECT_EQ(model.playDepth(), 0);
    EXPECT_EQ(model.title(), kIdleTitle);
    // Requests made at the bound were dropped; every play that began ended
    // after playing the whole list.
    EXPECT_GT(started, kMaxNestedPlays);
    EXPECT_LT(started, kRequests / 2);
    EXPECT_EQ(ended, started);
    EXPECT_EQ(countOf(desktop.events(), "key up 0x09"), static_cast<std::int64_t>(started) * kTaps);
}

// Whatever play runs (the Run button, CTRL+ALT+R or the start-up play; a
// file play; a play of the list nested in one), a file play asked for at its
// processing point is dropped and the running play goes on to its end.
TEST(FilePlayGuard, AFilePlayIsDroppedWhileAnyPlayRuns) {
    for (const int running : {0, 1, 2}) {
        SCOPED_TRACE(running);
        ModelParts parts;
        parts.folder.write("list.kyr", "Press_Tab\r\nWait >1\r\nPress_Up\r\n");
        parts.folder.write("hot.kyr", "Press_F5\r\n");
        ASSERT_EQ(parts.model.loadList(parts.folder.file("list.kyr")), MacroFileRead::Read);
        int requests = 0;
        parts.desktop.atProcessingPoint = [&] {
            if (running == 2 && requests++ == 0)
                return parts.model.runList();
            ++requests;
            EXPECT_EQ(parts.model.playMacroFile(parts.folder.file("hot.kyr")), FilePlayResult::Busy)
                << "a due schedule entry waits for the play";
            EXPECT_EQ(parts.model.list(), (MacroList{"Press_Tab", "Wait >1", "Press_Up"}));
        };
        if (running == 0)
            parts.model.runList();
        else
            parts.model.playMacroFile(parts.folder.file("list.kyr"));
        EXPECT_GT(requests, 1);
        EXPECT_EQ(countOf(parts.desktop.events(), "key down 0x74"), 0) << "F5 was played";
        EXPECT_EQ(parts.desktop.events().back(), "key up 0x26") << "the running play ended";
        EXPECT_FALSE(parts.model.playing());
    }
}

}  // namespace
}  // namespace keyreel

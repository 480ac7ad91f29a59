#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/macro/player.h"
#include "core/macro/simulated_desktop.h"

namespace keyreel {

// A player wired to a simulated desktop; `play` loads lines the way a file
// load does and returns what reached the desktop.
class PlayFixture : public ::testing::Test {
  protected:
    std::vector<std::string> play(std::vector<std::string> lines) {
        list = std::move(lines);
        return playList();
    }

    std::vector<std::string> playList() {
        state.macroLineCount = static_cast<std::int32_t>(list.size());
        state.stopRequested = false;
        player.runMacro();
        return desktop.events();
    }

    MacroList list;
    RunState state;
    SimulatedDesktop desktop;
    Player player{list, state, desktop};
};

using Events = std::vector<std::string>;

}  // namespace keyreel

// Macro file bytes: loaded as the main window loads a file (or refused for
// their NUL characters), saved and loaded
// again (the same lines must come back), then played against the simulated
// desktop with a bounded budget. At processing points the harness does what
// a user can do there: press Run again (one nested play at most) and load
// another file into the list under the running play.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "core/base/memory_file_store.h"
#include "core/macro/line_syntax.h"
#include "core/macro/macro_file.h"
#include "core/macro/simulated_desktop.h"
#include "core/main_window/main_model.h"
#include "fuzz_check.h"

namespace keyreel {
namespace {

constexpr const char* kMacroPath = "fuzz.kyr";
constexpr const char* kOtherPath = "other.kyr";

// Recorded lines and silent steps before the run is stopped.
constexpr std::int64_t kEventBudget = 200;
constexpr std::int64_t kQuietBudget = 200;
// What the user does at processing points: loads and nested plays.
constexpr int kActions = 4;
// Processing points of any kind before the run is stopped. A `Wait` goes on
// whatever the stop request says and may ask for 2^31 seconds, one wake per
// simulated second; past this budget simulated time runs out instead, so
// every wait ends at its next wake.
constexpr std::int64_t kWakeBudget = 300;
constexpr std::int64_t kLongestWaitMillis =
    (static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1) * 1000;

// Repeat passes over lines that ask nothing of the desktop have no processing
// point and so no budget can end them: a count of 2^31, or End_Repeat lines
// that each replay the ones before them, keep a play busy for hours exactly
// as the player's rules say. Such lists are loaded but not played.
constexpr std::int32_t kMaxRepeatCount = 16;
constexpr int kMaxEndRepeats = 2;

bool playsInBoundedTime(const MacroList& list) {
    int endRepeats = 0;
    for (const std::string& line : list) {
        std::string_view rest = line;
        while (!rest.empty()) {
            const std::string_view word = nextToken(rest, ' ');
            if (word == "Repeat" && parseCount(lineValue(line)).value_or(1) > kMaxRepeatCount)
                return false;
            if (word == "End_Repeat" && ++endRepeats > kMaxEndRepeats)
                return false;
        }
    }
    return true;
}

void checkRoundTrip(MemoryFileStore& store, const MacroList& list) {
    MacroFiles files(store);
    FUZZ_CHECK(files.saveList("copy.kyr", list));
    MacroList back;
    FUZZ_CHECK(files.loadList("copy.kyr", back) == MacroFileRead::Read);
    FUZZ_CHECK(back == list);
}

class Session {
  public:
    Session(const std::uint8_t* data, std::size_t size) : files_(store_), model_(desktop_, files_) {
        store_.files[kMacroPath] = std::string(reinterpret_cast<const char*>(data), size);
        // The first half of the bytes, as another file to load mid-play.
        store_.files[kOtherPath] = store_.files[kMacroPath].substr(0, size / 2);
        // Odd sizes meet a desktop where everything fails or says no.
        const bool refusing = size % 2 == 1;
        desktop_.windows = {"Untitled - Notepad", "Program Manager"};
        desktop_.questionAnswer = refusing ? MessageAnswer::No : MessageAnswer::Yes;
        desktop_.startResult = refusing ? StartResult::Failed : StartResult::Started;
        desktop_.shellOpenWorks = !refusing;
        if (refusing)
            desktop_.canType = [](char32_t c) { return c < 0x80; };
        desktop_.lineLimit = kEventBudget;
        desktop_.quietStepLimit = kQuietBudget;
        desktop_.onLimit = [this](SimulatedDesktop::Limit) { stopForGood(); };
        desktop_.atProcessingPoint = [this] { processingPoint(); };
        // Which processing points the user acts at follows from the bytes.
        actEvery_ = 3 + static_cast<std::int64_t>(size % 7);
    }

    void run() {
        MacroList list;
        if (MacroFiles(store_).loadList(kMacroPath, list) != MacroFileRead::Read) {
            // Refused for its NUL characters: nothing of it plays.
            FUZZ_CHECK(model_.playMacroFile(kMacroPath) == FilePlayResult::Unreadable);
            FUZZ_CHECK(desktop_.events().empty());
            return;
        }
        checkRoundTrip(store_, list);
        // The file loaded mid-play is the first half of this one: no larger counts.
        if (!playsInBoundedTime(list))
            return;
        model_.playMacroFile(kMacroPath);
        FUZZ_CHECK(!model_.playing());
        FUZZ_CHECK(desktop_.events().size() <= static_cast<std::size_t>(kEventBudget));
    }

  private:
    void stopForGood() {
        stopped_ = true;
        model_.stop();
    }

    void processingPoint() {
        ++wakes_;
        if (wakes_ > kWakeBudget) {
            if (!stopped_)
                stopForGood();
            if (desktop_.nowMillis < std::numeric_limits<std::int64_t>::max() / 4)
                desktop_.nowMillis += kLongestWaitMillis;
            return;
        }
        if (stopped_ || actions_ == kActions || wakes_ % actEvery_ != 0)
            return;
        ++actions_;
        if (actions_ % 2 == 0) {
            model_.loadList(kOtherPath);
        } else if (depth_ == 0) {
            ++depth_;
            model_.runList();
            --depth_;
        }
    }

    MemoryFileStore store_;
    MacroFiles files_;
    SimulatedDesktop desktop_;
    MainModel model_;
    std::int64_t wakes_ = 0;
    std::int64_t actEvery_ = 3;
    int actions_ = 0;
    int depth_ = 0;
    bool stopped_ = false;
};

}  // namespace
}  // namespace keyreel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    keyreel::Session(data, size).run();
    return 0;
}

// Macro file bytes: loaded (or refused), saved and loaded again to the same
// lines, then played with a bounded budget while the user presses Run again
// and loads another file under the running play.

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

constexpr std::int64_t kEventBudget = 200;
constexpr std::int64_t kQuietBudget = 200;
constexpr int kActions = 4;
// Past this many wakes a `Wait` (up to 2^31 s, waking each second) ends at
// its next wake: simulated time runs out instead.
constexpr std::int64_t kWakeBudget = 300;
constexpr std::int64_t kLongestWaitMillis =
    (static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1) * 1000;

// Repeat passes over lines without processing points cannot be stopped by a
// budget; lists that would keep a play busy for hours are not played.
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
    explicit Session(std::string_view bytes) : files_(store_), model_(desktop_, files_) {
        const std::size_t size = bytes.size();
        store_.files[kMacroPath] = std::string(bytes);
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

FUZZ_TARGET(bytes) {
    keyreel::Session(bytes).run();
}

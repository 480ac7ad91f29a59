// Macro file bytes: loaded or refused, saved and loaded again to the same lines,
// played within budgets while Run is pressed and another file loaded under it.

#include "core/base/memory_file_store.h"
#include "core/macro/line_syntax.h"
#include "core/macro/macro_file.h"
#include "core/macro/simulated_desktop.h"
#include "core/main_window/main_model.h"
#include "fuzz_check.h"

using namespace keyreel;

namespace {

constexpr const char* kMacroPath = "fuzz.kyr";
constexpr const char* kOtherPath = "other.kyr";
constexpr std::int64_t kEventBudget = 200;
// Past this many wakes a `Wait` (up to 2^31 s, waking each second) ends at
// its next wake: simulated time runs out instead.
constexpr std::int64_t kWakeBudget = 300;

// Repeat passes over lines without processing points cannot be stopped by a
// budget; lists that would keep a play busy for hours are not played.
bool playsInBoundedTime(const MacroList& list) {
    int endRepeats = 0;
    for (const std::string& line : list) {
        for (std::string_view rest = line; !rest.empty();) {
            const std::string_view word = nextToken(rest, ' ');
            if ((word == "Repeat" && parseCount(lineValue(line)).value_or(1) > 16) ||
                (word == "End_Repeat" && ++endRepeats > 2))
                return false;
        }
    }
    return true;
}

struct Session {
    explicit Session(std::string_view bytes) : actEvery_(3 + std::ssize(bytes) % 7) {
        store_.files[kMacroPath] = std::string(bytes);
        store_.files[kOtherPath] = std::string(bytes.substr(0, bytes.size() / 2));
        // Odd sizes meet a desktop where everything fails or says no.
        const bool refusing = bytes.size() % 2 == 1;
        desktop_.windows = {"Untitled - Notepad", "Program Manager"};
        desktop_.questionAnswer = refusing ? MessageAnswer::No : MessageAnswer::Yes;
        desktop_.startResult = refusing ? StartResult::Failed : StartResult::Started;
        desktop_.shellOpenWorks = !refusing;
        if (refusing)
            desktop_.canType = [](char32_t c) { return c < 0x80; };
        desktop_.lineLimit = desktop_.quietStepLimit = kEventBudget;
        desktop_.onLimit = [this](SimulatedDesktop::Limit) { stop(); };
        desktop_.atProcessingPoint = [this] { processingPoint(); };
    }

    void run() {
        MacroList list;
        if (files_.loadList(kMacroPath, list) != MacroFileRead::Read) {
            // Refused for its NUL characters: nothing of it plays.
            FUZZ_CHECK(model_.playMacroFile(kMacroPath) == FilePlayResult::Unreadable);
            FUZZ_CHECK(desktop_.events().empty());
            return;
        }
        MacroList back;
        FUZZ_CHECK(files_.saveList("copy.kyr", list));
        FUZZ_CHECK(files_.loadList("copy.kyr", back) == MacroFileRead::Read && back == list);
        if (!playsInBoundedTime(list))
            return;
        model_.playMacroFile(kMacroPath);
        FUZZ_CHECK(!model_.playing() && std::ssize(desktop_.events()) <= kEventBudget);
    }

    void stop() {
        stopped_ = true;
        model_.stop();
    }

    // Four times in all, now and then: Run pressed under the play (not under
    // its own nested play), or another file loaded.
    void processingPoint() {
        if (++wakes_ > kWakeBudget) {
            if (!stopped_)
                stop();
            if (desktop_.nowMillis < std::numeric_limits<std::int64_t>::max() / 4)
                desktop_.nowMillis += (std::int64_t{1} << 31) * 1000;
        } else if (!stopped_ && actions_ < 4 && wakes_ % actEvery_ == 0) {
            if (++actions_ % 2 == 0) {
                model_.loadList(kOtherPath);
            } else if (!nested_) {
                nested_ = true;
                model_.runList();
                nested_ = false;
            }
        }
    }

    MemoryFileStore store_;
    MacroFiles files_{store_};
    SimulatedDesktop desktop_;
    MainModel model_{desktop_, files_};
    const std::int64_t actEvery_;
    std::int64_t wakes_ = 0;
    int actions_ = 0;
    bool nested_ = false;
    bool stopped_ = false;
};

}  // namespace

FUZZ_TARGET(bytes) {
    Session(bytes).run();
}

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
    explicit Session(std::string_view bytes) : actEvery(3 + std::ssize(bytes) % 7) {
        store.files[kMacroPath] = std::string(bytes);
        store.files[kOtherPath] = std::string(bytes.substr(0, bytes.size() / 2));
        // Odd sizes meet a desktop where everything fails or says no.
        const bool refusing = bytes.size() % 2 == 1;
        desktop.windows = {"Untitled - Notepad", "Program Manager"};
        desktop.questionAnswer = refusing ? MessageAnswer::No : MessageAnswer::Yes;
        desktop.startResult = refusing ? StartResult::Failed : StartResult::Started;
        desktop.shellOpenWorks = !refusing;
        if (refusing)
            desktop.canType = [](char32_t c) { return c < 0x80; };
        desktop.lineLimit = desktop.quietStepLimit = kEventBudget;
        desktop.onLimit = [this](SimulatedDesktop::Limit) { stop(); };
        desktop.atProcessingPoint = [this] { processingPoint(); };
    }

    void stop() {
        stopped = true;
        model.stop();
    }

    // Four times in all, now and then: Run pressed under the play (not under
    // its own nested play), or another file loaded.
    void processingPoint() {
        if (++wakes > kWakeBudget) {
            if (!stopped)
                stop();
            if (desktop.nowMillis < std::numeric_limits<std::int64_t>::max() / 4)
                desktop.nowMillis += (std::int64_t{1} << 31) * 1000;
        } else if (!stopped && actions < 4 && wakes % actEvery == 0) {
            if (++actions % 2 == 0) {
                model.loadList(kOtherPath);
            } else if (!nested) {
                nested = true;
                model.runList();
                nested = false;
            }
        }
    }

    MemoryFileStore store;
    MacroFiles files{store};
    SimulatedDesktop desktop;
    MainModel model{desktop, files};
    const std::int64_t actEvery;
    std::int64_t wakes = 0;
    int actions = 0;
    bool nested = false;
    bool stopped = false;
};

}  // namespace

FUZZ_TARGET(bytes) {
    Session session(bytes);
    MacroList list;
    if (session.files.loadList(kMacroPath, list) != MacroFileRead::Read) {
        // Refused for its NUL characters: nothing of it plays.
        FUZZ_CHECK(session.model.playMacroFile(kMacroPath) == FilePlayResult::Unreadable);
        FUZZ_CHECK(session.desktop.events().empty());
        return;
    }
    MacroList back;
    FUZZ_CHECK(session.files.saveList("copy.kyr", list));
    FUZZ_CHECK(session.files.loadList("copy.kyr", back) == MacroFileRead::Read && back == list);
    if (!playsInBoundedTime(list))
        return;
    session.model.playMacroFile(kMacroPath);
    FUZZ_CHECK(!session.model.playing() && std::ssize(session.desktop.events()) <= kEventBudget);
}

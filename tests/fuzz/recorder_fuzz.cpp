// Live input as the recorder meets it: key transitions in any order, pointer
// samples and buttons anywhere on a virtual screen, some on the recorder's own
// windows, and pauses. The recording must be a clean macro whose play repeats
// each key with its modifiers and each button where it was pressed, moves only
// to the user's points and ends holding nothing.

#include "core/base/key_codes.h"
#include "core/base/memory_file_store.h"
#include "core/base/screen_point.h"
#include "core/base/text.h"
#include "core/macro/line_syntax.h"
#include "core/macro/lint.h"
#include "core/macro/player.h"
#include "core/macro/simulated_desktop.h"
#include "core/recorder/key_event.h"
#include "core/recorder/key_translation.h"
#include "core/recorder/recorder.h"
#include "fuzz_check.h"

namespace keyreel {
namespace {

constexpr int kAllModifiers = shift_mask::Shift | shift_mask::Ctrl | shift_mask::Alt;

bool isModifier(std::uint8_t code) {
    return code == 16 || code == 17 || code == 18;
}

class FuzzPointer final : public PointerSampler {
  public:
    ScreenPoint cursor;
    bool overOwnWindow = false;
    std::optional<ScreenPoint> cursorPosition() override { return cursor; }
    bool ownWindowAt(ScreenPoint) override { return overOwnWindow; }
};

// A button event as the play must repeat it, at its point (none for the
// releases Stop writes, where the pointer is).
struct Click {
    std::uint32_t flag = 0;
    std::optional<ScreenPoint> at;
    bool operator==(const Click&) const = default;
};

struct Recording {
    std::string text;
    bool pausesRecorded = false;
    std::int64_t millis = 0;
    // The shift mask of each key that wrote a line, in order.
    std::vector<int> keyMasks;
    std::vector<Click> clicks;
    // Where the user's pointer was outside the recorder's windows.
    std::vector<ScreenPoint> userPoints;
};

class Session {
  public:
    explicit Session(std::uint8_t heldAtStart)
        : modifiers_(ModifierState::seeded(
              [&](std::uint8_t key) { return ((heldAtStart >> (key - 0xA0)) & 1) != 0; })) {
        recording.pausesRecorded = (heldAtStart & 0x40) != 0;
        recorder_.setRecordPauses(recording.pausesRecorded);
        recorder_.toggleRecording();
    }

    void key(std::uint8_t virtualKey, bool down) {
        const KeyEvent event = modifiers_.note(virtualKey, down);
        FUZZ_CHECK(event.shift == modifiers_.mask());
        FUZZ_CHECK((event.shift & ~kAllModifiers) == 0);
        FUZZ_CHECK(event.down == down);
        // The hook's left and right codes (160-165) come out as the generic ones.
        FUZZ_CHECK(event.keyCode < 160 || event.keyCode > 165);
        if (virtualKey >= 160 && virtualKey <= 165)
            FUZZ_CHECK(isModifier(event.keyCode));
        if (!down) {
            recorder_.keyUp(event.keyCode, event.shift);
            return;
        }
        // Every key line plays one key or character, but for the word that
        // plays as nothing.
        const auto line = isModifier(event.keyCode) ? std::nullopt : keyLine(event.keyCode);
        if (line && *line != "Press_Pause")
            recording.keyMasks.push_back(event.shift);
        recorder_.keyDown(event.keyCode, event.shift);
    }

    void sample(ScreenPoint at, bool own) {
        pointer_.cursor = at;
        pointer_.overOwnWindow = own;
        if (!own)
            recording.userPoints.push_back(at);
        recorder_.sampleCursor();
    }

    void button(const ButtonEvent& event) {
        const bool right = event.button == button::Right;
        bool& held = held_[right ? 1 : 0];
        if (event.down ? !event.onOwnWindow : held) {
            held = event.down;
            recording.userPoints.push_back(event.point);
            recording.clicks.push_back({flagOf(right, event.down), event.point});
        }
        recorder_.buttonEvent(event);
    }

    void pause(std::int64_t millis) { recording.millis += millis; }

    Recording finish() {
        recorder_.stopRecording();
        for (const bool right : {false, true}) {
            if (held_[right ? 1 : 0])
                recording.clicks.push_back({flagOf(right, false), std::nullopt});
        }
        recording.text = recorder_.buffer().text();
        return std::move(recording);
    }

  private:
    static std::uint32_t flagOf(bool right, bool down) {
        if (right)
            return down ? MouseEventFlag::RightDown : MouseEventFlag::RightUp;
        return down ? MouseEventFlag::LeftDown : MouseEventFlag::LeftUp;
    }

    Recording recording;
    ModifierState modifiers_;
    FuzzPointer pointer_;
    SimulatedDesktop boxes_;
    MemoryFileStore store_;
    MacroFiles files_{store_};
    Recorder recorder_{{pointer_, boxes_, files_,
                        [](const FileDialogRequest&) { return std::optional<std::string>(); },
                        [] {}, [this] { return recording.millis; }}};
    std::array<bool, 2> held_{};
};

// A virtual screen reaching left of and above the primary monitor.
ScreenPoint pointOf(std::uint8_t first, std::uint8_t second) {
    return {(first - 96) * 40 + second % 40, (second - 96) * 20};
}

// The first byte: the modifiers held at the start (bits 0-5) and whether
// pauses are recorded (bit 6); then three bytes an event.
Recording record(std::string_view bytes) {
    Session session(bytes.empty() ? 0 : static_cast<std::uint8_t>(bytes[0]));
    for (std::size_t at = 1; at + 3 <= bytes.size(); at += 3) {
        const auto kind = static_cast<std::uint8_t>(bytes[at]);
        const auto first = static_cast<std::uint8_t>(bytes[at + 1]);
        const auto second = static_cast<std::uint8_t>(bytes[at + 2]);
        const bool own = (kind & 0x80) != 0;
        switch (kind % 5) {
            case 0:
            case 1:
                session.key(first, kind % 5 == 0);
                break;
            case 2:
                session.sample(pointOf(first, second), own);
                break;
            case 3:
                session.button({(kind & 0x10) != 0 ? button::Right : button::Left,
                                (kind & 0x20) != 0, pointOf(first, second), own});
                break;
            default:
                session.pause(first * 256 + second);
                break;
        }
    }
    return session.finish();
}

void checkPlayback(const Recording& recording) {
    MacroList list;
    for (const std::string_view line : splitLines(recording.text))
        list.emplace_back(line);
    if (list.empty())
        return;
    RunState state;
    state.macroLineCount = static_cast<std::int32_t>(list.size()) - 1;
    SimulatedDesktop desktop;
    Player(list, state, desktop).runMacro();

    std::vector<int> keyMasks;
    int held = 0;
    std::optional<ScreenPoint> pointer;
    std::vector<Click> clicks;
    for (const std::string& event : desktop.events()) {
        const bool down = event.starts_with("key down 0x");
        if (down || event.starts_with("key up 0x")) {
            const int code = std::stoi(event.substr(event.size() - 2), nullptr, 16);
            const int bit = code == 0x10 ? 1 : code == 0x11 ? 2 : code == 0x12 ? 4 : 0;
            FUZZ_CHECK(bit == 0 || ((held & bit) != 0) != down);
            held = down ? held | bit : held & ~bit;
            if (down && bit == 0)
                keyMasks.push_back(held);
        }
        if (event.starts_with("type "))
            keyMasks.push_back(held);
        if (event.starts_with("cursor ")) {
            pointer = parseScreenPoint(std::string_view(event).substr(7));
            FUZZ_CHECK(std::ranges::find(recording.userPoints, *pointer) !=
                       recording.userPoints.end());
        }
        if (event.starts_with("mouse 0x")) {
            const auto flag = static_cast<std::uint32_t>(std::stoul(event.substr(8), nullptr, 16));
            FUZZ_CHECK(pointer.has_value());
            clicks.push_back({flag, pointer});
        }
    }
    FUZZ_CHECK(keyMasks == recording.keyMasks);
    FUZZ_CHECK(held == 0);
    // The releases Stop writes happen wherever the pointer is.
    FUZZ_CHECK(clicks.size() == recording.clicks.size());
    for (std::size_t i = 0; i < clicks.size(); ++i) {
        FUZZ_CHECK(clicks[i].flag == recording.clicks[i].flag);
        FUZZ_CHECK(!recording.clicks[i].at || clicks[i].at == recording.clicks[i].at);
    }
}

// Wait lines only when pauses are recorded, none longer than the pauses.
void checkPauses(const Recording& recording) {
    std::int64_t waited = 0;
    std::size_t waits = 0;
    for (const std::string_view line : splitLines(recording.text)) {
        if (!line.starts_with("Wait >"))
            continue;
        FUZZ_CHECK(recording.pausesRecorded);
        const int seconds = std::stoi(std::string(line.substr(6)));
        FUZZ_CHECK(seconds >= 1);
        waited += seconds * std::int64_t{1000};
        ++waits;
    }
    FUZZ_CHECK(waited <= recording.millis + static_cast<std::int64_t>(waits) * 500);
}

// The only finding is the word written on purpose that plays as nothing.
void checkLint(const std::string& text) {
    const std::vector<std::string_view> lines = splitLines(text);
    for (const LintFinding& finding : lintMacroText(text)) {
        FUZZ_CHECK(finding.line >= 1 && static_cast<std::size_t>(finding.line) <= lines.size());
        const std::string_view line = lines[static_cast<std::size_t>(finding.line) - 1];
        FUZZ_CHECK(line == "Press_Pause");
    }
}

}  // namespace
}  // namespace keyreel

FUZZ_TARGET(bytes) {
    using namespace keyreel;
    const Recording recording = record(bytes);
    FUZZ_CHECK(recording.text.empty() || recording.text.ends_with("\r\n"));
    checkLint(recording.text);
    checkPauses(recording);
    checkPlayback(recording);
}

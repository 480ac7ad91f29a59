// Live input as the recorder meets it: keys in any order, pointer samples and
// buttons anywhere, some on the recorder's own windows, and pauses. The play of
// the recording repeats each key with its modifiers and each button where it
// was pressed, moves only to the user's points and ends holding nothing.

#include "core/base/key_codes.h"
#include "core/base/memory_file_store.h"
#include "core/base/text.h"
#include "core/macro/line_syntax.h"
#include "core/macro/lint.h"
#include "core/macro/player.h"
#include "core/macro/simulated_desktop.h"
#include "core/recorder/recorder.h"
#include "fuzz_check.h"

using namespace keyreel;

namespace {

bool isModifier(int code) {
    return code >= 16 && code <= 18;
}

constexpr std::uint32_t kButtonFlags[2][2] = {{MouseEventFlag::LeftUp, MouseEventFlag::LeftDown},
                                              {MouseEventFlag::RightUp, MouseEventFlag::RightDown}};

// Records the input and notes what its play must do. The first byte holds the
// modifiers held at the start (bits 0-5) and whether pauses are recorded (bit
// 6); then three bytes an event.
class Session final : PointerSampler {
  public:
    explicit Session(std::string_view bytes)
        : pauses((byteAt(bytes, 0) & 0x40) != 0),
          modifiers_(ModifierState::seeded(
              [&](std::uint8_t key) { return ((byteAt(bytes, 0) >> (key - 0xA0)) & 1) != 0; })) {
        recorder_.setRecordPauses(pauses);
        recorder_.toggleRecording();
        for (std::size_t at = 1; at + 3 <= bytes.size(); at += 3)
            event(byteAt(bytes, at), byteAt(bytes, at + 1), byteAt(bytes, at + 2));
        recorder_.stopRecording();
        for (const int right : {0, 1})
            if (held_[right])
                clicks.push_back({kButtonFlags[right][0], std::nullopt});
        text = recorder_.buffer().text();
    }

    const bool pauses;
    std::int64_t millis = 0;
    std::string text;
    std::vector<int> keyMasks;  // the shift mask of each key that wrote a line
    // The button events as the play repeats them, at no point for Stop's releases.
    std::vector<std::pair<std::uint32_t, std::optional<ScreenPoint>>> clicks;
    std::vector<ScreenPoint> userPoints;  // the pointer's, outside the recorder's windows

  private:
    void event(std::uint8_t kind, std::uint8_t first, std::uint8_t second) {
        const ScreenPoint at{(first - 96) * 40 + second % 40, (second - 96) * 20};
        const bool own = (kind & 0x80) != 0;
        if (kind % 5 < 2) {
            const KeyEvent key = modifiers_.note(first, kind % 5 == 0);
            // The hook's left and right codes (160-165) come out as the generic ones.
            FUZZ_CHECK(first >= 160 && first <= 165 ? isModifier(key.keyCode)
                                                    : key.keyCode == first);
            FUZZ_CHECK(key.down == (kind % 5 == 0) && (key.shift & ~7) == 0);
            // Every key line plays one key or character, but the word that plays as nothing.
            const auto line = isModifier(key.keyCode) ? std::nullopt : keyLine(key.keyCode);
            if (key.down && line && *line != "Press_Pause")
                keyMasks.push_back(key.shift);
            if (key.down)
                recorder_.keyDown(key.keyCode, key.shift);
            else
                recorder_.keyUp(key.keyCode, key.shift);
        } else if (kind % 5 == 2) {
            pointer_ = {at, own};
            if (!own)
                userPoints.push_back(at);
            recorder_.sampleCursor();
        } else if (kind % 5 == 3) {
            const bool right = (kind & 0x10) != 0;
            const bool down = (kind & 0x20) != 0;
            if (down ? !own : held_[right]) {
                held_[right] = down;
                userPoints.push_back(at);
                clicks.push_back({kButtonFlags[right][down], at});
            }
            recorder_.buttonEvent({right ? button::Right : button::Left, down, at, own});
        } else {
            millis += first * 256 + second;
        }
    }

    std::optional<ScreenPoint> cursorPosition() override { return pointer_.first; }
    bool ownWindowAt(ScreenPoint) override { return pointer_.second; }

    ModifierState modifiers_;
    std::pair<ScreenPoint, bool> pointer_;  // the cursor, and whether it is over an own window
    SimulatedDesktop boxes_;
    MemoryFileStore store_;
    MacroFiles files_{store_};
    Recorder recorder_{{*this, boxes_, files_,
                        [](const FileDialogRequest&) { return std::optional<std::string>(); },
                        [] {}, [this] { return millis; }}};
    std::array<bool, 2> held_{};
};

void checkPlayback(const Session& session, const std::vector<std::string_view>& lines) {
    MacroList list(lines.begin(), lines.end());
    RunState state{.macroLineCount = static_cast<std::int32_t>(list.size()) - 1};
    SimulatedDesktop desktop;
    Player(list, state, desktop).runMacro();

    std::vector<int> keyMasks;
    int held = 0;
    std::optional<ScreenPoint> pointer;
    std::size_t clicks = 0;
    for (const std::string& event : desktop.events()) {
        const bool down = event.starts_with("key down 0x");
        const bool key = down || event.starts_with("key up 0x");
        const int code = key ? std::stoi(event.substr(event.size() - 2), nullptr, 16) : 0;
        const int bit = isModifier(code) ? 1 << (code - 16) : 0;
        FUZZ_CHECK(bit == 0 || ((held & bit) != 0) != down);
        held = down ? held | bit : held & ~bit;
        if ((down && bit == 0) || event.starts_with("type "))
            keyMasks.push_back(held);
        if (event.starts_with("cursor ")) {
            pointer = parseScreenPoint(std::string_view(event).substr(7));
            FUZZ_CHECK(std::ranges::count(session.userPoints, *pointer) > 0);
        } else if (event.starts_with("mouse 0x")) {
            FUZZ_CHECK(clicks < session.clicks.size());
            const auto& expected = session.clicks[clicks++];
            FUZZ_CHECK(std::stoul(event.substr(8), nullptr, 16) == expected.first);
            FUZZ_CHECK(pointer && (!expected.second || pointer == expected.second));
        }
    }
    FUZZ_CHECK(keyMasks == session.keyMasks && held == 0 && clicks == session.clicks.size());
}

}  // namespace

FUZZ_TARGET(bytes) {
    const Session session(bytes);
    const std::vector<std::string_view> lines = splitLines(session.text);
    FUZZ_CHECK(session.text.empty() || session.text.ends_with("\r\n"));
    // Wait lines only when pauses are recorded, none longer than the pauses.
    std::int64_t waited = 0;
    for (const std::string_view line : lines) {
        if (!line.starts_with("Wait >"))
            continue;
        const int seconds = std::stoi(std::string(line.substr(6)));
        FUZZ_CHECK(session.pauses && seconds >= 1);
        waited += seconds * std::int64_t{1000} - 500;
    }
    FUZZ_CHECK(waited <= session.millis);
    // The only lint finding is the word written on purpose that plays as nothing.
    for (const LintFinding& finding : lintMacroText(session.text))
        FUZZ_CHECK(finding.line >= 1 && finding.line <= std::ssize(lines) &&
                   lines[finding.line - 1] == "Press_Pause");
    if (!lines.empty())
        checkPlayback(session, lines);
}

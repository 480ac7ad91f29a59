// Live input as the recorder meets it: key transitions (left and right
// modifier codes included, in any order, keys released that were never
// pressed), pointer samples anywhere on a virtual screen that may reach left
// of and above the primary monitor, and button samples. The text recorded
// from them must be a clean macro (but for the two words written on purpose
// that play as nothing), and playing it must type one character per typed
// key and put the pointer back on every sampled point.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/screen_point.h"
#include "core/base/text.h"
#include "core/macro/command_table.h"
#include "core/macro/lint.h"
#include "core/macro/player.h"
#include "core/macro/simulated_desktop.h"
#include "core/recorder/key_event.h"
#include "core/recorder/key_translation.h"
#include "core/recorder/recording_buffer.h"
#include "fuzz_check.h"

namespace keyreel {
namespace {

constexpr int kAllModifiers = shift_mask::Shift | shift_mask::Ctrl | shift_mask::Alt;

struct Recording {
    RecordingBuffer buffer;
    std::vector<ScreenPoint> points;
    std::size_t typedLines = 0;
};

bool isModifier(std::uint8_t code) {
    return code == 16 || code == 17 || code == 18;
}

void recordKey(Recording& recording, ModifierState& modifiers, std::uint8_t virtualKey, bool down) {
    const KeyEvent event = modifiers.note(virtualKey, down);
    FUZZ_CHECK(event.shift == modifiers.mask());
    FUZZ_CHECK((event.shift & ~kAllModifiers) == 0);
    FUZZ_CHECK(event.down == down);
    // The hook's left and right codes (160-165) come out as the generic ones.
    FUZZ_CHECK(event.keyCode < 160 || event.keyCode > 165);
    if (virtualKey >= 160 && virtualKey <= 165)
        FUZZ_CHECK(isModifier(event.keyCode));
    if (down) {
        for (const std::string& line : keyDownLines(event.keyCode, event.shift)) {
            recording.typedLines += line.starts_with("SendText >") ? 1 : 0;
            recording.buffer.appendLine(line);
        }
    } else if (const auto line = keyUpLine(event.keyCode, event.shift)) {
        FUZZ_CHECK(event.shift == 0 && isModifier(event.keyCode));
        recording.buffer.appendLine(*line);
    }
}

// Three bytes an event: what it is, then its data.
Recording record(std::string_view bytes) {
    Recording recording;
    ModifierState modifiers;
    for (std::size_t at = 0; at + 3 <= bytes.size(); at += 3) {
        const auto kind = static_cast<std::uint8_t>(bytes[at]);
        const auto first = static_cast<std::uint8_t>(bytes[at + 1]);
        const auto second = static_cast<std::uint8_t>(bytes[at + 2]);
        switch (kind % 4) {
            case 0:
            case 1:
                recordKey(recording, modifiers, first, kind % 4 == 0);
                break;
            case 2: {
                // A virtual screen of up to three monitors, some left of or
                // above the primary one.
                const ScreenPoint point{(first - 96) * 40 + second % 40, (second - 96) * 20};
                recording.points.push_back(point);
                recording.buffer.appendLine(mouseMoveLine(point.x, point.y));
                break;
            }
            default:
                recording.buffer.appendLine(first % 2 == 0 ? kButtonDownLine : kButtonUpLine);
                break;
        }
    }
    return recording;
}

void checkPlayback(const Recording& recording) {
    MacroList list;
    for (const std::string_view line : splitLines(recording.buffer.text()))
        list.emplace_back(line);
    if (list.empty())
        return;
    RunState state;
    state.macroLineCount = static_cast<std::int32_t>(list.size()) - 1;
    SimulatedDesktop desktop;
    Player(list, state, desktop).runMacro();

    std::size_t typed = 0;
    std::vector<ScreenPoint> points;
    for (const std::string& event : desktop.events()) {
        // "+" plays as a tap of the keypad's plus key, which is where it came from.
        typed += event.starts_with("type ") || event == "key down 0x6B" ? 1 : 0;
        if (event.starts_with("cursor ")) {
            const std::string_view value = std::string_view(event).substr(7);
            const std::size_t comma = value.find(',');
            points.push_back({std::stoi(std::string(value.substr(0, comma))),
                              std::stoi(std::string(value.substr(comma + 1)))});
        }
    }
    FUZZ_CHECK(typed == recording.typedLines);
    FUZZ_CHECK(points == recording.points);
}

// The only findings are the two words the recorder writes on purpose that
// play as nothing ("Release_ALT", "Press_Pause"), each alone on its line.
void checkLint(const std::string& text) {
    const std::vector<std::string_view> lines = splitLines(text);
    const auto silent = silentWords();
    for (const LintFinding& finding : lintMacroText(text)) {
        FUZZ_CHECK(finding.line >= 1 && static_cast<std::size_t>(finding.line) <= lines.size());
        const std::string_view line = lines[static_cast<std::size_t>(finding.line) - 1];
        FUZZ_CHECK(std::find(silent.begin(), silent.end(), line) != silent.end());
    }
}

}  // namespace
}  // namespace keyreel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace keyreel;
    const Recording recording = record({reinterpret_cast<const char*>(data), size});
    const std::string& text = recording.buffer.text();
    FUZZ_CHECK(text.empty() || text.ends_with("\r\n"));
    checkLint(text);
    checkPlayback(recording);
    return 0;
}

// Live input as the recorder meets it: key transitions (left and right
// modifier codes included, in any order, keys released that were never
// pressed, modifiers held when it begins), pointer samples anywhere on a
// virtual screen that may reach left of and above the primary monitor, and
// button samples. The text recorded from them must be a clean macro (but for
// the word written on purpose that plays as nothing), and playing it must
// press or type one key per recorded key with the modifiers held then held
// around it, leave no modifier held at the end, and put the pointer back on
// every sampled point.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/screen_point.h"
#include "core/base/text.h"
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
    // The shift mask of each key that wrote a line, in order.
    std::vector<int> keyMasks;
};

bool isModifier(std::uint8_t code) {
    return code == 16 || code == 17 || code == 18;
}

void append(Recording& recording, const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        recording.buffer.appendLine(line);
}

void recordKey(Recording& recording, ModifierState& modifiers, KeyTranslator& translator,
               std::uint8_t virtualKey, bool down) {
    const KeyEvent event = modifiers.note(virtualKey, down);
    FUZZ_CHECK(event.shift == modifiers.mask());
    FUZZ_CHECK((event.shift & ~kAllModifiers) == 0);
    FUZZ_CHECK(event.down == down);
    // The hook's left and right codes (160-165) come out as the generic ones.
    FUZZ_CHECK(event.keyCode < 160 || event.keyCode > 165);
    if (virtualKey >= 160 && virtualKey <= 165)
        FUZZ_CHECK(isModifier(event.keyCode));
    if (!down) {
        const std::vector<std::string> lines = translator.keyUp(event.keyCode, event.shift);
        FUZZ_CHECK(lines.empty() || isModifier(event.keyCode));
        append(recording, lines);
        return;
    }
    // Every key line plays one key or character, but for the word that plays
    // as nothing.
    const auto line = isModifier(event.keyCode) ? std::nullopt : keyLine(event.keyCode);
    if (line && *line != "Press_Pause")
        recording.keyMasks.push_back(event.shift);
    append(recording, translator.keyDown(event.keyCode, event.shift));
}

// The first byte: the left and right modifiers held when recording begins.
// Then three bytes an event: what it is, then its data. The recording ends
// as Stop ends it.
Recording record(std::string_view bytes) {
    Recording recording;
    const auto heldAtStart = bytes.empty() ? 0 : static_cast<std::uint8_t>(bytes[0]);
    ModifierState modifiers = ModifierState::seeded(
        [&](std::uint8_t key) { return ((heldAtStart >> (key - 0xA0)) & 1) != 0; });
    KeyTranslator translator;
    for (std::size_t at = 1; at + 3 <= bytes.size(); at += 3) {
        const auto kind = static_cast<std::uint8_t>(bytes[at]);
        const auto first = static_cast<std::uint8_t>(bytes[at + 1]);
        const auto second = static_cast<std::uint8_t>(bytes[at + 2]);
        switch (kind % 4) {
            case 0:
            case 1:
                recordKey(recording, modifiers, translator, first, kind % 4 == 0);
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
    append(recording, translator.releaseAll());
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

    std::vector<int> keyMasks;
    int held = 0;
    std::vector<ScreenPoint> points;
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
            const std::string_view value = std::string_view(event).substr(7);
            const std::size_t comma = value.find(',');
            points.push_back({std::stoi(std::string(value.substr(0, comma))),
                              std::stoi(std::string(value.substr(comma + 1)))});
        }
    }
    FUZZ_CHECK(keyMasks == recording.keyMasks);
    FUZZ_CHECK(held == 0);
    FUZZ_CHECK(points == recording.points);
}

// The only findings are the word the recorder writes on purpose that plays
// as nothing ("Press_Pause"), alone on its line.
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

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace keyreel;
    const Recording recording = record({reinterpret_cast<const char*>(data), size});
    const std::string& text = recording.buffer.text();
    FUZZ_CHECK(text.empty() || text.ends_with("\r\n"));
    checkLint(text);
    checkPlayback(recording);
    return 0;
}

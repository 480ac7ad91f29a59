#pragma once

// The macro lines the recorder writes for keys, pointer moves and the
// primary button.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace keyreel {

// The line for a key that is no modifier: the same whatever modifiers are
// held, since the recorded holds of Shift, Ctrl and Alt surround it on
// playback. Capitals and shifted punctuation come out as the small letter or
// the unshifted character inside a held Shift. None for a key without a line.
std::optional<std::string> keyLine(std::uint8_t keyCode);

// Turns the hook's key events into lines. Shift, Ctrl and Alt are written as
// the words that hold and let go of them ("Press_Shift"/"Release_Shift",
// "Press_CTRL"/"Release_CTRL", "ALT_Down"/"ALT_Up"), each at its own change,
// so a chord plays back with the same modifiers held around the same key.
// The holds the lines leave are tracked: before each key's line they are
// brought to the modifiers really held, which writes the holds of a
// modifier that was down before the recording began (or went down or up
// while nothing was recorded), and a release is written only for a hold
// that was written.
class KeyTranslator {
  public:
    // A key going down or up, `shift` being the shift mask once it has.
    std::vector<std::string> keyDown(std::uint8_t keyCode, int shift);
    std::vector<std::string> keyUp(std::uint8_t keyCode, int shift);
    // Lets go of every hold the lines leave, Alt first: a recording never
    // leaves a modifier held once it has played.
    std::vector<std::string> releaseAll();
    // Lines that follow hold nothing, as after an emptied buffer.
    void forgetHolds() { held_ = 0; }

  private:
    void setHold(int modifier, bool down, std::vector<std::string>& lines);
    void holdExactly(int shift, std::vector<std::string>& lines);

    int held_ = 0;  // the shift mask of the holds the lines written leave
};

// "MouseMove >x,y" for a point in screen pixels.
std::string mouseMoveLine(int x, int y);
// "LDown", "LUp", "RDown" or "RUp" for button::Left or button::Right.
const char* buttonLine(std::uint8_t button, bool down);
// "Wait >N" for a pause of N seconds.
std::string waitLine(int seconds);

}  // namespace keyreel

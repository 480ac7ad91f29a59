#pragma once

// Labels that serve as buttons: the one under the pointer shows its text in
// the hover colour, the others, and all of them once the pointer is over
// anything else, in the system's window-text colour.

#include <windows.h>

#include <optional>
#include <vector>

namespace keyreel::ui {

// The text colour of the label buttons of the scheduler and its entry form
// while the pointer is over one.
inline constexpr COLORREF kHoverTextColour = RGB(0, 255, 0);

class HoverLabels {
  public:
    explicit HoverLabels(COLORREF hoverColour) : hoverColour_(hoverColour) {}

    // The labels are child windows with SS_NOTIFY, so that the pointer finds
    // them; they go with their window.
    void add(HWND label) { labels_.push_back(label); }
    void clear();
    // From the window's WM_SETCURSOR: `under` is the window under the
    // pointer, which a child passes on to its parent first.
    void pointerOver(HWND under);
    HWND hovered() const { return hovered_; }
    // WM_CTLCOLORSTATIC: the label's colours and background brush; empty for
    // a control that is none of the labels.
    std::optional<LRESULT> colours(HDC dc, HWND control) const;

  private:
    COLORREF hoverColour_;
    std::vector<HWND> labels_;  // not owned: children of the window
    HWND hovered_ = nullptr;
};

}  // namespace keyreel::ui

#include "ui/hover_labels.h"

#include <algorithm>

namespace keyreel::ui {

void HoverLabels::clear() {
    labels_.clear();
    hovered_ = nullptr;
}

void HoverLabels::pointerOver(HWND under) {
    const bool isLabel = std::find(labels_.begin(), labels_.end(), under) != labels_.end();
    const HWND now = isLabel ? under : nullptr;
    if (now == hovered_)
        return;
    // Only the labels whose colour changes are drawn again.
    for (const HWND label : {hovered_, now}) {
        if (label != nullptr)
            InvalidateRect(label, nullptr, TRUE);
    }
    hovered_ = now;
}

std::optional<LRESULT> HoverLabels::colours(HDC dc, HWND control) const {
    if (std::find(labels_.begin(), labels_.end(), control) == labels_.end())
        return std::nullopt;
    SetTextColor(dc, control == hovered_ ? hoverColour_ : GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace keyreel::ui

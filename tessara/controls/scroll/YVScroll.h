// Vertical owner-drawn scroll bar: YHScroll with the axes exchanged. The
// list, tree view, list view and grouped list embed it and repaint on its
// Change.
//
//   auto& bar = AddControl<tessara::YVScroll>(L"YVScroll1", x, y, w, h, &bag);
//   bar.SetMaxV(rows - page);
//   bar.Change.connect([this] { InvalidateRect(hWnd(), nullptr, FALSE); });
#pragma once
#include "tessara/controls/scroll/ScrollBar.h"

namespace tessara {

class YVScroll : public ScrollBarControl {
public:
    YVScroll();

    // Thumb length in pixels: at least 10, applied (re-laid out) at once.
    double GlideHeight() const { return model_.ThumbLength(); }
    void SetGlideHeight(double v) { model_.SetThumbLengthNow(v); }
    // Top edge of the thumb for a value.
    int pGetGlideTop(std::int32_t value) const { return model_.GlideAt(value); }
};

} // namespace tessara

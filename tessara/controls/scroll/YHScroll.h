// Horizontal owner-drawn scroll bar: arrows left and right, a track and a
// thumb of fixed length (GlideWidth) that the user drags, pages or steps.
//
//   auto& bar = form.AddControl<tessara::YHScroll>(L"YHScroll1", 0, 0, 3000, 270, &bag);
//   bar.Change.connect([&] { use(bar.Value()); });
#pragma once
#include "tessara/controls/scroll/ScrollBar.h"

namespace tessara {

class YHScroll : public ScrollBarControl {
public:
    YHScroll();

    // Thumb length in pixels. Stored as given; the minimum of 10 applies at
    // the next layout, and nothing repaints until then.
    double GlideWidth() const { return model_.ThumbLength(); }
    void SetGlideWidth(double v) { model_.SetThumbLengthRaw(v); }
    // Left edge of the thumb for a value.
    int pGetGlideLeft(std::int32_t value) const { return model_.GlideAt(value); }
};

} // namespace tessara

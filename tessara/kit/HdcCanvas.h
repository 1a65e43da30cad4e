// A Canvas over a GDI device context: pixels through GetPixel/SetPixelV,
// fills and frames with a solid brush created and deleted per call.
#pragma once
#include "tessara/kit/Canvas.h"

#include <windows.h>

namespace kit {

class HdcCanvas final : public Canvas {
public:
    explicit HdcCanvas(HDC dc) : dc_(dc) {}
    Colour GetPixel(int x, int y) override;
    void SetPixel(int x, int y, Colour c) override;
    void FillRects(const Rect* rects, std::size_t count, Colour c) override;
    void FrameRect(const Rect& r, Colour c) override;

private:
    HDC dc_;
};

inline Rect ToRect(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }
inline RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

} // namespace kit

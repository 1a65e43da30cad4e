// Every drawing, surface and font routine of the kit as a callable with
// fixed arguments on one scratch surface, for counting what many calls
// cost and leave behind (GDI balance test and the kit benchmark).
#pragma once
#include "tessara/kit/MdlCreateLogFont.h"
#include "tessara/kit/MdlGDI.h"
#include "tessara/kit/MdlMemDC.h"
#include "tessara/kit/MdlSmoothDraw.h"

#include <functional>
#include <vector>

namespace kittest {

struct KitRoutine {
    const char* name;
    std::function<void()> call;
};

class KitRoutines {
public:
    KitRoutines()
        : dc_(kit::CreateMemDC(48, 32)),
          img_(kit::CreateMemDC(20, 14)),
          rgn_(::CreateEllipticRgn(2, 2, 20, 20)),
          spare_(::CreateCompatibleBitmap(dc_, 8, 8))
    {
        const RECT rc{2, 2, 40, 28};
        const kit::Colour c = kit::MakeRGB(90, 140, 220);
        HDC dc = dc_;
        HDC img = img_;
        HRGN rgn = rgn_;
        HBITMAP spare = spare_;
        const host::Font* font = &font_;
        list_ = {
            {"SmoothPixel", [=] { kit::SmoothPixel(dc, 3.3f, 4.6f, c); }},
            {"SmoothCircle", [=] { kit::SmoothCircle(dc, 20, 15, 9, c, 12.0f); }},
            {"SmoothArc", [=] { kit::SmoothArc(dc, 2, 2, 9, 7, c, 0.0f, 180.0f, 10.0f); }},
            {"SmoothRoundRect", [=] { kit::SmoothRoundRect(dc, 1, 1, 40, 28, 3, 3, c, 3.0f); }},
            {"GradientFillRect", [=] { kit::GradientFillRect(dc, rc, c, kit::kWhite, 4); }},
            {"DrawTriangle", [=] { kit::DrawTriangle(dc, c, rc, kit::kDown, 4); }},
            {"FillRectColor", [=] { kit::FillRectColor(dc, rc, c); }},
            {"FrameRectColor", [=] { kit::FrameRectColor(dc, rc, c); }},
            {"FillRgnColor", [=] { kit::FillRgnColor(dc, rgn, c); }},
            {"FillLine", [=] { kit::FillLine(dc, 1, 5, 30, 5, c, 2); }},
            {"DrawRoundBox", [=] { kit::DrawRoundBox(dc, 1, 1, 40, 20, 4, c, true, false, true, false); }},
            {"DrawButtonFace", [=] { kit::DrawButtonFace(dc, 0, 0, 44, 24, 3, c, 0, true, false, true, false); }},
            {"DrawFramedBox", [=] { kit::DrawFramedBox(dc, 1, 1, 30, 20, c, true); }},
            {"DrawExpandBox", [=] { kit::DrawExpandBox(dc, 2, 2, 11, 11, c, true); }},
            {"DrawTabShape", [=] { kit::DrawTabShape(dc, 1, 1, 40, 24, 3, c, 2, 3.0f, true); }},
            {"CreateMemDC", [] { kit::DeleteMemDC(kit::CreateMemDC(16, 16)); }},
            {"CreateMemDCFromBitmap", [=] { kit::DeleteMemDC(kit::CreateMemDCFromBitmap(spare)); }},
            {"BlitWithBorders", [=] { kit::BlitWithBorders(dc, 19, 3, 21, 17, img, 0, 0, 20, 14, 1); }},
            {"CreateFontFromStdFont", [=] { ::DeleteObject(kit::CreateFontFromStdFont(*font)); }},
        };
    }
    ~KitRoutines()
    {
        ::DeleteObject(rgn_);
        ::DeleteObject(spare_);
        kit::DeleteMemDC(img_);
        kit::DeleteMemDC(dc_);
    }
    KitRoutines(const KitRoutines&) = delete;
    KitRoutines& operator=(const KitRoutines&) = delete;

    HDC surface() const { return dc_; }
    const std::vector<KitRoutine>& list() const { return list_; }

private:
    HDC dc_;
    HDC img_;
    HRGN rgn_;
    HBITMAP spare_;
    host::Font font_;
    std::vector<KitRoutine> list_;
};

} // namespace kittest

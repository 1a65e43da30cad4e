#include "tessara/controls/small/YCheck.h"

#include "tessara/kit/MdlGDI.h"
#include "tessara/kit/MdlMemDC.h"

#include "host/App.h"

namespace tessara {

YCheck::YCheck() : ValueButton(L"YCheck", ButtonKind::Check) {}

YCheck::~YCheck() { ReleaseCheckMark(); }

void YCheck::Initialize()
{
    checkMark_ = static_cast<HBITMAP>(
        LoadImageW(host::AppInstance(), L"CheckBox", IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    if (checkMark_)
        checkMarkDC_ = kit::CreateMemDCFromBitmap(checkMark_);
}

void YCheck::ReleaseCheckMark()
{
    if (checkMarkDC_)
        kit::DeleteMemDC(checkMarkDC_);
    if (checkMark_)
        DeleteObject(checkMark_);
    checkMarkDC_ = nullptr;
    checkMark_ = nullptr;
}

void YCheck::Teardown()
{
    SmallButton::Teardown();
    ReleaseCheckMark();
}

void YCheck::PaintTo(HDC dc, int width, int height)
{
    kit::FillRectColor(dc, 0, 0, width, height, kit::TranslateColour(BackColor()));
    int t = CheckBoxTop(height);
    RECT box{2, t, 14, t + 12};
    // A disabled box shows its idle look (and its tick) with a greyed caption.
    if (Enabled() && IsDown()) {
        kit::FrameRectColor(dc, box, kPressedBlue);
    } else {
        kit::FillRectColor(dc, box, kit::kWhite);
        kit::FrameRectColor(dc, box, kFaceBlue);
    }
    if (state_.Selected() && checkMarkDC_)
        TransparentBlt(dc, 2, t, 12, 12, checkMarkDC_, 0, 0, 23, 23, kit::kWhite);
    DrawCaptionFrom(dc, 18, width, height);
}

} // namespace tessara

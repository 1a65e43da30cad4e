#include "tessara/controls/small/YFrame.h"

#include "tessara/controls/small/FrameLayout.h"
#include "tessara/kit/MdlGDI.h"

namespace tessara {

YFrame::YFrame() : ControlSkeleton(L"YFrame", {}) {}

YFrame::~YFrame() = default;

void YFrame::SetCaption(const std::wstring& caption)
{
    caption_ = caption;
    CaptionChanged(caption_);
    Repaint();
}

void YFrame::SetBackColor(host::Colour c)
{
    UserControl::SetBackColor(c);
    Repaint();
}

void YFrame::SetFont(const host::Font& font)
{
    UserControl::SetFont(font);
    Repaint();
}

void YFrame::SetForeColor(host::Colour c)
{
    UserControl::SetForeColor(c);
    Repaint();
}

void YFrame::SetBorderColor(host::Colour c)
{
    borderColor_ = c;
    Repaint();
}

void YFrame::InitNew()
{
    caption_ = DisplayName();
    CaptionChanged(caption_);
}

void YFrame::ReadStored(const host::PropertyBag& bag)
{
    caption_ = bag.readText(L"Caption", L"");
    CaptionChanged(caption_);
    UserControl::SetFont(bag.readFont(L"Font", Font()));
    UserControl::SetBackColor(bag.readColour(L"BackColor", BackColor()));
    UserControl::SetForeColor(bag.readColour(L"ForeColor", ForeColor()));
    borderColor_ = bag.readColour(L"BorderColor", borderColor_);
}

void YFrame::WriteProperties(host::PropertyBag& bag)
{
    bag.set(L"Caption", caption_);
    bag.set(L"Font", Font());
    bag.set(L"BackColor", std::int64_t{BackColor()});
    bag.set(L"ForeColor", std::int64_t{ForeColor()});
    bag.set(L"BorderColor", std::int64_t{borderColor_});
}

void YFrame::PaintTo(HDC dc, int width, int height)
{
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc, caption_.c_str(), static_cast<int>(caption_.size()), &size);
    FrameLayout f = LayoutFrame(width, height, size.cx, size.cy);

    HPEN pen = CreatePen(PS_SOLID, 1, kit::TranslateColour(borderColor_));
    HGDIOBJ old = SelectObject(dc, pen);
    for (const FrameLine& l : f.lines) {
        MoveToEx(dc, l.x1, l.y1, nullptr);
        LineTo(dc, l.x2, l.y2);
    }
    SelectObject(dc, old);
    DeleteObject(pen);

    // The caption is clipped at the frame's right edge when it is wider.
    RECT rc{f.caption.left, f.caption.top, f.caption.right, f.caption.bottom};
    DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &rc, DT_SINGLELINE);
}

} // namespace tessara

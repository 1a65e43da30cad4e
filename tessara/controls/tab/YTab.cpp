#include "tessara/controls/tab/YTab.h"

#include "tessara/kit/HdcCanvas.h"
#include "tessara/kit/MdlGDI.h"

namespace tessara {

namespace {

constexpr host::Colour kTabBase = 0x00FFD6B3;  // RGB 179,214,255

void Line(HDC dc, const HLine& l, kit::Colour c)
{
    kit::FillLine(dc, l.x1, l.y, l.x2, l.y, c, 1);
}


} // namespace

const host::Colour YTab::kTabColor = kit::BlendColor(kTabBase, kit::kWhite, 0.1f);
const host::Colour YTab::kTabBorderColor = kit::BlendColor(kTabBase, kit::kBlack, 0.2f);

YTab::YTab() : ControlSkeleton(L"YTab", {WM_PAINT, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_MOUSEMOVE, WM_MOUSELEAVE}) {}

YTab::~YTab() = default;

void YTab::SetItemWidth(int v)
{
    if (v < 1)
        return;
    itemWidth_ = ClampTabSize(v);
    Invalidate();
}

void YTab::SetItemHeight(int v)
{
    if (v < 1)
        return;
    itemHeight_ = ClampTabSize(v);
    Invalidate();
}

void YTab::SetFont(const host::Font& font)
{
    UserControl::SetFont(font);
    Invalidate();
}

void YTab::SetBackColor(host::Colour c)
{
    UserControl::SetBackColor(c);
    Invalidate();
}

void YTab::SetForeColor(host::Colour c)
{
    UserControl::SetForeColor(c);
    Invalidate();
}

void YTab::AddItem(const std::wstring& caption)
{
    captions_.push_back(caption);
    DeferLayout();
}

void YTab::RemoveItem(int index)
{
    if (captions_.empty() || index < 0 || index >= TabCount())
        return;
    captions_.erase(captions_.begin() + index);
    if (captions_.empty())
        captions_.shrink_to_fit();
    DeferLayout();
}

TabLayout YTab::Layout() const
{
    TabLayout t;
    t.itemWidth = itemWidth_;
    t.itemHeight = itemHeight_;
    t.multiLine = multilLine_;
    t.cntOfLine = cntOfLine_;
    t.isBottom = isBottom_;
    t.tabCount = TabCount();
    t.scaleWidth = ScaleWidth();
    t.scaleHeight = ScaleHeight();
    return t;
}

// ---------------------------------------------------------------- lifecycle

void YTab::ReadStored(const host::PropertyBag& bag)
{
    isBottom_ = bag.readBool(L"IsBottom", false);
    cntOfLine_ = ClampCntOfLine(bag.readLong(L"CntOfLine", 4));
    multilLine_ = bag.readBool(L"MultilLine", false);
    itemWidth_ = ClampTabSize(bag.readLong(L"ItemWidth", 50));
    itemHeight_ = ClampTabSize(bag.readLong(L"ItemHeight", 20));
    UserControl::SetFont(bag.readFont(L"Font", Font()));
    UserControl::SetBackColor(bag.readColour(L"BackColor", BackColor()));
    UserControl::SetForeColor(bag.readColour(L"ForeColor", ForeColor()));
}

void YTab::WriteProperties(host::PropertyBag& bag)
{
    bag.set(L"IsBottom", isBottom_);
    bag.set(L"CntOfLine", std::int64_t{cntOfLine_});
    bag.set(L"MultilLine", multilLine_);
    bag.set(L"ItemWidth", std::int64_t{itemWidth_});
    bag.set(L"ItemHeight", std::int64_t{itemHeight_});
    bag.set(L"Font", Font());
    bag.set(L"BackColor", std::int64_t{BackColor()});
    bag.set(L"ForeColor", std::int64_t{ForeColor()});
}

// ---------------------------------------------------------------- painting

void YTab::PaintTo(HDC dc, int width, int height)
{
    TabLayout t = Layout();
    t.scaleWidth = width;
    t.scaleHeight = height;
    if (t.tabCount == 0) {
        kit::FillRectColor(dc, 0, 0, width, height, kPageColor);
        kit::FrameRectColor(dc, 0, 0, width, height, kTabColor);
        return;
    }
    TabLayout::Background back = t.Back();
    kit::FillRectColor(dc, kit::ToRECT(back.band), kit::TranslateColour(BackColor()));
    kit::FillRectColor(dc, kit::ToRECT(back.page), kPageColor);
    kit::FrameRectColor(dc, kit::ToRECT(back.page), kTabBorderColor);
    if (back.open)
        Line(dc, back.openLine, kPageColor);

    int side = isBottom_ ? kit::kTabBottom : kit::kTabTop;
    for (int i = 0; i < t.tabCount; ++i) {
        if (i == selectedTab_) {
            TabLayout::Selected s = t.SelectedLook(i);
            kit::DrawTabShape(dc, s.shape.left, s.shape.top, s.shape.right, s.shape.bottom, 3, kTabBorderColor,
                              side, 3.0f, false);
            Line(dc, s.before, kTabBorderColor);
            Line(dc, s.after, kTabBorderColor);
        } else {
            kit::Rect r = t.TabRect(i);
            // Tabs beyond the client show nothing: a long strip costs only what is visible.
            if (r.left >= width || r.right <= 0 || r.top >= height || r.bottom <= 0)
                continue;
            kit::DrawTabShape(dc, r.left, r.top, r.right, r.bottom, 3, kTabColor, side, 3.0f, i == hoverTab_);
        }
        RECT rc = kit::ToRECT(t.CaptionRect(i));
        const std::wstring& text = captions_[static_cast<size_t>(i)];
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, DT_SINGLELINE | DT_VCENTER);
    }
}

// ---------------------------------------------------------------- input

void YTab::OnMouseMove(int x, int y)
{
    if (captions_.empty())
        return;
    kit::RequestMouseLeave(hWnd());
    int hit = Layout().HitTest(x, y);
    if (hit != hoverTab_) {
        hoverTab_ = hit;
        Invalidate();
    }
}

void YTab::OnMouseLeave()
{
    hoverTab_ = -1;
    Invalidate();
}

void YTab::OnPress(int x, int y)
{
    int hit = Layout().HitTest(x, y);
    if (hit < 0)
        return;
    selectedTab_ = hit;
    Invalidate();
    Click.raise(hit);
}

} // namespace tessara

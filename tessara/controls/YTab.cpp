#include "tessara/controls/YTab.h"

#include "tessara/kit/HookLists.h"
#include "tessara/kit/MdlGDI.h"
#include "tessara/kit/MdlMemDC.h"

namespace tessara {

namespace {

const UINT kWatched[] = {WM_PAINT, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_MOUSEMOVE, WM_MOUSELEAVE};
constexpr host::Colour kTabBase = 0x00FFD6B3;  // RGB 179,214,255

void Line(HDC dc, const HLine& l, kit::Colour c)
{
    kit::FillLine(dc, l.x1, l.y, l.x2, l.y, c, 1);
}

RECT ToRect(const PixelRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

} // namespace

const host::Colour YTab::kTabColor = kit::BlendColor(kTabBase, kit::kWhite, 0.1f);
const host::Colour YTab::kTabBorderColor = kit::BlendColor(kTabBase, kit::kBlack, 0.2f);

YTab::YTab() : UserControl(L"YTab") {}

YTab::~YTab() = default;

void YTab::Invalidate()
{
    if (hWnd())
        InvalidateRect(hWnd(), nullptr, FALSE);
}

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
    tmrInit.Note();
}

void YTab::RemoveItem(int index)
{
    if (captions_.empty() || index < 0 || index >= TabCount())
        return;
    captions_.erase(captions_.begin() + index);
    if (captions_.empty())
        captions_.shrink_to_fit();
    tmrInit.Note();
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

void YTab::Hook()
{
    if (UserMode())
        hook_.AttachWatching(hWnd(), kWatched);
}

void YTab::InitProperties()
{
    Hook();
}

void YTab::ReadProperties(const host::PropertyBag& bag)
{
    isBottom_ = bag.readBool(L"IsBottom", false);
    cntOfLine_ = ClampCntOfLine(bag.readLong(L"CntOfLine", 4));
    multilLine_ = bag.readBool(L"MultilLine", false);
    itemWidth_ = ClampTabSize(bag.readLong(L"ItemWidth", 50));
    itemHeight_ = ClampTabSize(bag.readLong(L"ItemHeight", 20));
    UserControl::SetFont(bag.readFont(L"Font", Font()));
    UserControl::SetBackColor(bag.readColour(L"BackColor", BackColor()));
    UserControl::SetForeColor(bag.readColour(L"ForeColor", ForeColor()));
    Hook();
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

void YTab::Terminate()
{
    tmrInit.Stop();
    try {
        hook_.HookDetachAll();
    } catch (...) {
        // Tearing down goes on whatever the hook says.
    }
}

// ---------------------------------------------------------------- painting

void YTab::PaintTabs(HDC dc, int width, int height) const
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
    kit::FillRectColor(dc, ToRect(back.band), kit::TranslateColour(BackColor()));
    kit::FillRectColor(dc, ToRect(back.page), kPageColor);
    kit::FrameRectColor(dc, ToRect(back.page), kTabBorderColor);
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
            PixelRect r = t.TabRect(i);
            // Tabs beyond the client show nothing: a long strip costs only what is visible.
            if (r.left >= width || r.right <= 0 || r.top >= height || r.bottom <= 0)
                continue;
            kit::DrawTabShape(dc, r.left, r.top, r.right, r.bottom, 3, kTabColor, side, 3.0f, i == hoverTab_);
        }
        RECT rc = ToRect(t.CaptionRect(i));
        const std::wstring& text = captions_[static_cast<size_t>(i)];
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, DT_SINGLELINE | DT_VCENTER);
    }
}

void YTab::Paint()
{
    if (UserMode())
        return;
    kit::TextScope text(hDC(), Font(), ForeColor());
    PaintTabs(hDC(), ScaleWidth(), ScaleHeight());
}

// ---------------------------------------------------------------- input

void YTab::OnMouseMove(LPARAM lParam)
{
    if (!kit::TickElapsed(GetTickCount(), lastMoveTick_, 30))
        return;
    if (captions_.empty())
        return;
    kit::RequestMouseLeave(hWnd());
    int hit = Layout().HitTest(kit::LowWordOf(lParam), kit::HighWordOf(lParam));
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

void YTab::OnPress(LPARAM lParam)
{
    int hit = Layout().HitTest(kit::LowWordOf(lParam), kit::HighWordOf(lParam));
    if (hit < 0)
        return;
    selectedTab_ = hit;
    Invalidate();
    Click.raise(hit);
}

void YTab::zSubclass_Proc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND hWnd, UINT& uMsg, WPARAM& wParam,
                          LPARAM& lParam)
{
    if (!bBefore)
        return;
    switch (uMsg) {
    case WM_PAINT: {
        kit::PaintCycle cycle(hWnd, &Font(), ForeColor());
        PaintTabs(cycle.surface(), cycle.width(), cycle.height());
        cycle.Present();
        break;
    }
    case WM_MOUSEMOVE:
        OnMouseMove(lParam);
        break;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnPress(lParam);
        break;
    }
}

} // namespace tessara

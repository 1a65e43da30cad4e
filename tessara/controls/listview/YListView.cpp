#include "tessara/controls/listview/YListView.h"

#include "tessara/kit/IconStamp.h"
#include "tessara/kit/MdlGDI.h"
#include "tessara/kit/MdlMemDC.h"

#include "host/App.h"
#include "host/Input.h"

#include <algorithm>

namespace tessara {

namespace {

constexpr int kMinWidthPx = 98;    // a narrower control is widened to this
constexpr int kMinHeightPx = 104;  // a lower one is raised to this
constexpr std::uint32_t kPumpInterval = 31;
constexpr int kPointerDefault = 0;
constexpr int kPointerSizeWE = 9;

int Tw(int px) { return host::PixelsToTwips(px); }

// The kit's drawing on the paint surface, for the painter.
class HdcListCanvas final : public ListCanvas {
public:
    HdcListCanvas(HDC dc, kit::IconStamps& icons) : dc_(dc), icons_(icons) {}
    ~HdcListCanvas() override { Unclip(); }

    void Fill(const kit::Rect& r, host::Colour c) override { kit::FillRectColor(dc_, r.left, r.top, r.right, r.bottom, c); }
    void Frame(const kit::Rect& r, host::Colour c) override
    {
        kit::FrameRectColor(dc_, r.left, r.top, r.right, r.bottom, c);
    }
    void RoundBox(const kit::Rect& r, host::Colour c) override
    {
        kit::DrawRoundBox(dc_, r.left, r.top, r.right, r.bottom, 3, c, false, false, false, false);
    }
    void FramedBox(const kit::Rect& r, host::Colour c) override
    {
        kit::DrawFramedBox(dc_, r.left, r.top, r.right, r.bottom, c, false);
    }
    void Icon(std::int32_t x, std::int32_t y, const host::PictureRef& icon, std::int32_t size) override
    {
        if (!icon || !icon->handle)
            return;
        if (icon->type == host::Picture::Type::Icon || icon->type == host::Picture::Type::Cursor) {
            // Every row draws the same few icons: each is prepared once per size.
            icons_.Draw(dc_, x, y, icon, size);
        } else if (icon->type == host::Picture::Type::Bitmap) {
            // A bitmap serves as well: stretched into the icon's square.
            HDC src = kit::CreateMemDCFromBitmap(reinterpret_cast<HBITMAP>(icon->handle));
            if (src) {
                ::StretchBlt(dc_, x, y, size, size, src, 0, 0, icon->width, icon->height, SRCCOPY);
                kit::DeleteMemDC(src);
            }
        }
    }
    void Text(const kit::Rect& r, const std::wstring& text, TextAlign align) override
    {
        RECT rc{r.left, r.top, r.right, r.bottom};
        UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
        if (align == TextAlign::Centre)
            format |= DT_CENTER;
        ::DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &rc, format);
    }
    void Clip(const kit::Rect& r) override
    {
        HRGN region = ::CreateRectRgn(r.left, r.top, r.right, r.bottom);
        ::SelectClipRgn(dc_, region);  // the DC keeps its own copy
        ::DeleteObject(region);
    }
    void Unclip() override { ::SelectClipRgn(dc_, nullptr); }
    std::int32_t TextWidth(std::wstring_view text) override
    {
        SIZE size{};
        ::GetTextExtentPoint32W(dc_, text.data(), static_cast<int>(text.size()), &size);
        return size.cx;
    }

private:
    HDC dc_;
    kit::IconStamps& icons_;
};

} // namespace

class YListView::Site final : public ListViewPlatform {
public:
    explicit Site(YListView& lv) : lv_(lv) {}

    std::int32_t ScaleWidth() const override { return lv_.ScaleWidth(); }
    std::int32_t ScaleHeight() const override { return lv_.ScaleHeight(); }
    void SetScaleHeight(std::int32_t pixels) override { lv_.SetSize(lv_.Width(), Tw(pixels)); }
    std::int32_t TextHeight() const override { return lv_.TextHeight(); }
    ListBarState Bar(ListBar bar) const override
    {
        const ScrollBarControl& b = Of(bar);
        return ListBarState{b.Visible(), b.Value(), b.MaxV()};
    }
    void ApplyBar(ListBar bar, const BarPlan& plan) override { Of(bar).Apply(plan); }
    void ScrollBarTo(ListBar bar, std::int32_t value) override { Of(bar).SetValue(value); }
    void Invalidate() override { lv_.Invalidate(); }
    void SetCursor(ListCursor cursor) override { lv_.SetPointer(cursor); }
    void HeaderClicked(std::int32_t column) override { lv_.HeaderClick.raise(column); }
    void ItemClicked(std::int32_t item) override { lv_.ItemClick.raise(item); }
    // The per-item path only notes the time: restarting a platform timer per
    // added item would cost more than the addition itself.
    void RestartLayoutTimer() override { lv_.DeferLayout(); }
    void StartLayoutTimer() override
    {
        if (!lv_.LayoutPending())
            lv_.DeferLayout();
    }
    void StopLayoutTimer() override { lv_.CancelLayout(); }

private:
    // The bars are made in Initialize, after the site.
    ScrollBarControl& Of(ListBar bar) const
    {
        if (bar == ListBar::Vertical)
            return *lv_.YVScroll1;
        return *lv_.YHScroll1;
    }

    YListView& lv_;
};

YListView::YListView()
    : ControlSkeleton(L"YListView", {WM_PAINT, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_MOUSEWHEEL, WM_MOUSEMOVE,
                                     WM_MOUSELEAVE, WM_LBUTTONUP}),
      site_(std::make_unique<Site>(*this)), model_(*site_)
{
}

YListView::~YListView() = default;

// ---------------------------------------------------------------- lifecycle

void YListView::Initialize()
{
    // The embedded bars read an (empty) property set, so they hook their
    // windows at run time like bars read from a form. Hidden until a layout
    // shows them.
    const host::PropertyBag none;
    YVScroll1 = &AddControl<YVScroll>(L"YVScroll1", 0, 0, Tw(18), Tw(80), &none);
    YHScroll1 = &AddControl<YHScroll>(L"YHScroll1", 0, 0, Tw(80), Tw(18), &none);
    YVScroll1->SetVisible(false);
    YHScroll1->SetVisible(false);
    // Every change of position shows at once: a throttled repaint could
    // leave the rows out of step with the bar after a quick series.
    YVScroll1->Change.connect([this] { Invalidate(); });
    YHScroll1->Change.connect([this] { Invalidate(); });
}

void YListView::ReadStored(const host::PropertyBag& bag)
{
    model_.SetIsTextMode(bag.readBool(L"IsTextMode", false));
    const std::int32_t mode = bag.readLong(L"DisMode", kModeReport);
    if (mode != model_.DisMode())
        model_.SetDisMode(mode);
    UserControl::SetFont(bag.readFont(L"Font", Font()));
    SetBackColor(bag.readColour(L"BackColor", BackColor()));
    SetForeColor(bag.readColour(L"ForeColor", ForeColor()));
}

void YListView::WriteProperties(host::PropertyBag& bag)
{
    bag.write(L"Font", Font());
    bag.write(L"BackColor", std::int64_t{BackColor()});
    bag.write(L"ForeColor", std::int64_t{ForeColor()});
    bag.write(L"IsTextMode", model_.IsTextMode());
    bag.write(L"DisMode", std::int64_t{model_.DisMode()});
}

void YListView::Resize()
{
    if (ScaleWidth() < kMinWidthPx)
        SetSize(Tw(kMinWidthPx), Height());
    if (ScaleHeight() < kMinHeightPx)
        SetSize(Width(), Tw(kMinHeightPx));
    if (!scrollBarsPlaced_) {
        const int w = ScaleWidth();
        const int h = ScaleHeight();
        YVScroll1->Move(Tw(w - 20), Tw(2), Tw(18), Tw(h - 24));
        YHScroll1->Move(Tw(2), Tw(h - 20), Tw(w - 24), Tw(18));
        scrollBarsPlaced_ = true;
    }
}

// --------------------------------------------------------------- properties

void YListView::SetDisMode(std::int32_t mode)
{
    model_.SetDisMode(mode);
}

void YListView::SetFont(const host::Font& font)
{
    UserControl::SetFont(font);
    Invalidate();
}

// ------------------------------------------------------------ columns, items

void YListView::AddHeaderItem(std::wstring sText, std::int32_t iWidth, host::PictureRef SmallIcon,
                              host::PictureRef BigIcon)
{
    model_.AddHeaderItem(std::move(sText), iWidth, std::move(SmallIcon), std::move(BigIcon));
}

void YListView::AddListItem(std::wstring sText, host::PictureRef SmallIcon, host::PictureRef BigIcon)
{
    model_.AddListItem(std::move(sText), std::move(SmallIcon), std::move(BigIcon));
}

void YListView::AddListSubItem(std::int32_t Index, std::wstring sSubItem, host::PictureRef SmallIcon,
                               host::PictureRef BigIcon)
{
    model_.AddListSubItem(Index, std::move(sSubItem), std::move(SmallIcon), std::move(BigIcon));
}

void YListView::RemoveListItem(std::int32_t Index)
{
    model_.RemoveListItem(Index);
}

void YListView::Clear()
{
    model_.Clear();
}

// ----------------------------------------------------------------- painting

void YListView::PaintTo(HDC dc, int width, int height)
{
    ::SetStretchBltMode(dc, HALFTONE);
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc, &tm);
    ListPaintFrame frame;
    frame.width = width;
    frame.height = height;
    frame.textHeight = tm.tmHeight;
    frame.vValue = YVScroll1->Value();
    frame.hValue = YHScroll1->Value();
    frame.vVisible = YVScroll1->Visible();
    HdcListCanvas canvas(dc, icons_);
    PaintListView(canvas, model_, frame, colours_);
}

void YListView::Painted()
{
    const std::uint32_t now = ::GetTickCount();
    if (now - lastPump_ >= kPumpInterval) {
        lastPump_ = now;
        host::DoEvents();
    }
}

// -------------------------------------------------------------------- input

void YListView::SetPointer(ListCursor cursor)
{
    const int pointer = cursor == ListCursor::SizeWE ? kPointerSizeWE : kPointerDefault;
    if (pointer == MousePointer())
        return;
    SetMousePointer(pointer);
    // Show it now rather than at the next WM_SETCURSOR.
    HCURSOR shape = host::CursorForPointer(pointer);
    ::SetCursor(shape ? shape : ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));
}

void YListView::OnMouseMove(int x, int y)
{
    kit::RequestMouseLeave(hWnd());
    model_.MouseMove(x, y);
}

void YListView::OnMouseWheel(WPARAM wParam)
{
    model_.Wheel(kit::HighWordOf(static_cast<std::int32_t>(wParam)));
}

} // namespace tessara

#include "tessara/controls/list/YList.h"

#include "tessara/kit/MdlGDI.h"

#include "host/App.h"

namespace tessara {

namespace {

const wchar_t kTallFontNotice[] = L"字体高度超过列表项设定的高度,已将列表项高度值进行调整";
const wchar_t kNoticeTitle[] = L"提示";

int Tw(int px) { return host::PixelsToTwips(px); }

} // namespace

YList::YList()
    : ControlSkeleton(L"YList", {WM_PAINT, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_MOUSEWHEEL, WM_MOUSEMOVE, WM_MOUSELEAVE})
{
    tmrDis.Tick.connect([this] { OnMarqueeTick(); });
}

YList::~YList() = default;

// ---------------------------------------------------------------- lifecycle

void YList::Initialize()
{
    // The embedded bar reads an (empty) property set, so it hooks its window
    // at run time like any bar read from a form. Hidden until rows overflow.
    const host::PropertyBag none;
    YVScroll1 = &AddControl<YVScroll>(L"YVScroll1", 0, 0, Tw(kListScrollWidth), Tw(kListDefaultItemHeight), &none);
    YVScroll1->SetVisible(false);
    YVScroll1->Change.connect([this] { scrolled_.Changed(isReal_); });
}

void YList::ReadStored(const host::PropertyBag& bag)
{
    SetScrollMode(bag.readLong(L"ScrollMode", 0));
    LoadFont(bag.readFont(L"Font", Font()));
    SetBackColor(bag.readColour(L"BackColor", BackColor()));
    SetForeColor(bag.readColour(L"ForeColor", ForeColor()));
    isReal_ = bag.readBool(L"IsReal", false);
}

void YList::WriteProperties(host::PropertyBag& bag)
{
    bag.write(L"Font", Font(), AmbientFont());
    bag.write(L"BackColor", std::int64_t{BackColor()});
    bag.write(L"ForeColor", std::int64_t{ForeColor()});
    bag.write(L"IsReal", isReal_, false);
    bag.write(L"ScrollMode", std::int64_t{model_.ScrollMode()}, std::int64_t{0});
}

void YList::Teardown()
{
    tmrDis.SetEnabled(false);
    scrolled_.Stop();
}

// ------------------------------------------------------------------- layout

void YList::Resize()
{
    const auto first = model_.FirstLayout(ScaleWidth(), ScaleHeight());
    if (!first)
        return;  // later resizes: the size follows PageCount and ItemHeight
    SetSize(Tw(first->width), Tw(first->height));
    YVScroll1->Move(Tw(first->scroll.left), Tw(first->scroll.top), Tw(first->scroll.Width()),
                    Tw(first->scroll.Height()));
}

void YList::RunLayout()
{
    CancelLayout();
    const ListLayout l = model_.DeferredLayout(ScaleWidth(), YVScroll1->Value());
    SetSize(Width(), Tw(l.height));
    if (l.scrollVisible) {
        YVScroll1->Move(Tw(l.scroll.left), Tw(l.scroll.top), Tw(l.scroll.Width()), Tw(l.scroll.Height()));
        YVScroll1->SetGlideHeight(l.thumbLength);
        YVScroll1->SetMaxVAndValue(l.maxV, l.value);
        YVScroll1->SetVisible(true);
    } else {
        YVScroll1->SetVisible(false);
        YVScroll1->SetValue(l.value);
    }
    Invalidate(true);
}

bool YList::ScrollBarShown() const { return YVScroll1 && YVScroll1->Visible(); }

// ------------------------------------------------------------ items, props

void YList::AddItem(std::wstring_view text)
{
    if (model_.AddItem(text))
        DeferLayout();
}

void YList::RemoveItem(int index)
{
    if (model_.RemoveItem(index, ScrollBarShown(), YVScroll1->Value()))
        DeferLayout();
}

void YList::Clear()
{
    model_.Clear();
    DeferLayout();
}

void YList::SetItemHeight(int v)
{
    if (!UserMode())
        return;
    if (model_.SetItemHeight(v, TextHeight()))
        DeferLayout();
}

void YList::LoadFont(const host::Font& f)
{
    UserControl::SetFont(f);
    // A stored font taller than the rows makes the rows taller, silently:
    // nobody is there to read a notice while a form loads. The height
    // follows at the next layout.
    model_.FitItemHeight(TextHeight());
    Invalidate();
}

void YList::SetFont(const host::Font& f)
{
    UserControl::SetFont(f);
    const int height = TextHeight();
    if (model_.ItemHeight() < height) {
        host::MsgBox(kTallFontNotice, host::MsgIcon::None, kNoticeTitle);
        model_.FitItemHeight(height);
        // The rows grew: the control's height has to follow them.
        DeferLayout();
    }
    Invalidate();
}

void YList::SetScrollMode(int v) { model_.SetScrollMode(v); }

void YList::SetListIndex(int v)
{
    if (UserMode() && model_.SetListIndex(v))
        Invalidate();
}

void YList::SetPageCount(int v)
{
    if (UserMode() && model_.SetPageCount(v))
        DeferLayout();
}

void YList::InitListHeight(int rows)
{
    model_.InitListHeight(rows);
    RunLayout();
}

// ----------------------------------------------------------------- painting

void YList::PaintTo(HDC dc, int width, int height)
{
    kit::FillRectColor(dc, 0, 0, width, height, kListBackground);
    const bool scrolled = ScrollBarShown();
    for (const ListRow& row : model_.VisibleRows(width, scrolled, YVScroll1->Value(), tmrDis.Enabled())) {
        const RECT rc{row.left, row.top, row.right, row.bottom};
        switch (row.look) {
        case RowLook::Selected:
            kit::FillRectColor(dc, rc, kListSelectedFill);
            kit::FrameRectColor(dc, rc, kListSelectedFrame);
            break;
        case RowLook::Hovered:
            kit::FillRectColor(dc, rc, kListHoverFill);
            kit::FrameRectColor(dc, rc, kListHoverFrame);
            break;
        case RowLook::Even:
            kit::FillRectColor(dc, rc, kListEvenRow);
            break;
        case RowLook::Odd:
            kit::FillRectColor(dc, rc, kListOddRow);
            break;
        }
        const std::wstring_view item = model_.List(row.index);
        const std::wstring doubled = row.marquee ? model_.MarqueeText(item) : std::wstring();
        const std::wstring_view text = row.marquee ? std::wstring_view(doubled) : item;
        RECT trc{row.textLeft, row.top, row.textRight, row.bottom};
        // Items are data: an "&" is drawn, not read as an access key.
        ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &trc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        if (row.marquee)
            kit::FillRectColor(dc, 0, row.top, kListInset, row.bottom, kListBackground);  // hide the scrolled-out text
    }
    kit::FrameRectColor(dc, 0, 0, width, height, kListOuterFrame);
}

// -------------------------------------------------------------------- input

void YList::OnLButtonDown(int x, int y)
{
    const int i = model_.ItemAt(x, y, ScaleWidth(), YVScroll1->Value());
    if (i == -1)
        return;
    if (i != model_.ListIndex()) {
        model_.SetListIndex(i);
        Invalidate();
    }
    Click.raise();  // also when the item was already selected
}

void YList::OnMouseWheel(WPARAM wParam)
{
    const int delta = kit::HighWordOf(static_cast<std::int32_t>(wParam));
    if (const auto target = model_.WheelTarget(delta, YVScroll1->Value(), YVScroll1->MaxV()))
        YVScroll1->SetValue(*target);  // its Change repaints
}

bool YList::Overflows(int index)
{
    return TextWidth(model_.List(index)) > ListModel::AvailableTextWidth(ScaleWidth(), ScrollBarShown());
}

void YList::OnMouseMove(int x, int y)
{
    if (model_.ListCount() == 0)
        return;
    kit::RequestMouseLeave(hWnd());
    const int i = model_.ItemAt(x, y, ScaleWidth(), YVScroll1->Value());
    if (!model_.SetHover(i))
        return;
    tmrDis.SetEnabled(false);  // a new item starts its own pass
    tmrDis.SetEnabled(i != -1 && Overflows(i));
    Invalidate();
}

void YList::OnMouseLeave()
{
    model_.SetHover(-1);
    model_.ResetMarquee();
    tmrDis.SetEnabled(false);
    Invalidate();
}

void YList::OnMarqueeTick()
{
    const int hovered = model_.HoverIndex();
    if (hovered == -1) {
        tmrDis.SetEnabled(false);
        return;
    }
    Measuring scope(*this);
    const int width = TextWidth(model_.List(hovered));
    const int avail = ListModel::AvailableTextWidth(ScaleWidth(), ScrollBarShown());
    const int gap = TextWidth(std::wstring(kListMarqueeSpaces, L' '));
    if (!model_.MarqueeStep(width, avail, gap))
        tmrDis.SetEnabled(false);
    Invalidate(true);
}

} // namespace tessara

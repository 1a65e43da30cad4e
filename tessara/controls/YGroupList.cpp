#include "tessara/controls/YGroupList.h"

#include "tessara/kit/HookLists.h"
#include "tessara/kit/MdlCreateLogFont.h"
#include "tessara/kit/MdlGDI.h"
#include "tessara/kit/MdlMemDC.h"
#include "tessara/kit/MdlSmoothDraw.h"

#include <algorithm>

namespace tessara {

namespace {

const UINT kWatched[] = {WM_PAINT, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_MOUSEWHEEL, WM_MOUSEMOVE, WM_MOUSELEAVE};

const wchar_t kTallFontNotice[] = L"字体高度超过列表项设定的高度,已将列表项高度值进行调整";
const wchar_t kNoticeTitle[] = L"提示";
const wchar_t kFiveSpaces[] = L"     ";
// Group names and items are data: an "&" in them is drawn, not read as an access key.
constexpr UINT kDataText = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

int Tw(int px) { return host::PixelsToTwips(px); }

// The control's font selected into a context for measuring.
class MeasureScope {
public:
    MeasureScope(HDC dc, const host::Font& font) : dc_(dc), font_(kit::CreateFontFromStdFont(font))
    {
        old_ = SelectObject(dc_, font_);
    }
    ~MeasureScope()
    {
        SelectObject(dc_, old_);
        DeleteObject(font_);
    }
    MeasureScope(const MeasureScope&) = delete;
    MeasureScope& operator=(const MeasureScope&) = delete;

private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ old_;
};

} // namespace

YGroupList::YGroupList() : UserControl(L"YGroupList")
{
    tmrDis.Tick.connect([this] { OnMarqueeTick(); });
}

YGroupList::~YGroupList() = default;

// ---------------------------------------------------------------- lifecycle

void YGroupList::Initialize()
{
    // The embedded bar reads an (empty) property set, so it hooks its window
    // at run time like any bar read from a form. Hidden until rows overflow.
    const host::PropertyBag none;
    YVScroll1 = &AddControl<YVScroll>(L"YVScroll1", 0, 0, Tw(18), Tw(100), &none);
    YVScroll1->SetVisible(false);
    YVScroll1->Change.connect([this] { OnScrollChange(); });
}

void YGroupList::Hook()
{
    if (UserMode())
        hook_.AttachWatching(hWnd(), kWatched);
}

void YGroupList::InitProperties()
{
    Hook();
}

void YGroupList::ReadProperties(const host::PropertyBag& bag)
{
    SetScrollMode(bag.readLong(L"ScrollMode", 0));
    UserControl::SetFont(bag.readFont(L"Font", Font()));
    // A stored font taller than the rows makes the rows taller, silently:
    // nobody is there to read a notice while a form loads.
    itemHeight_ = std::max(itemHeight_, TextHeight());
    UserControl::SetBackColor(bag.readColour(L"BackColor", BackColor()));
    UserControl::SetForeColor(bag.readColour(L"ForeColor", ForeColor()));
    Hook();
}

void YGroupList::WriteProperties(host::PropertyBag& bag)
{
    bag.set(L"ScrollMode", std::int64_t{scrollMode_});
    bag.set(L"Font", Font());
    bag.set(L"BackColor", std::int64_t{BackColor()});
    bag.set(L"ForeColor", std::int64_t{ForeColor()});
}

void YGroupList::Terminate()
{
    tmrInit.Stop();
    tmrDis.SetEnabled(false);
    try {
        hook_.HookDetachAll();
    } catch (...) {
        // Tearing down goes on whatever the hook says.
    }
}

void YGroupList::Resize()
{
    if (ScaleWidth() < 100)
        Move(-1, -1, 1500, -1);
    if (ScaleHeight() < 100)
        Move(-1, -1, -1, 1500);
    // The client keeps whole item rows plus the 3-pixel margins.
    GroupPage page = FitPage(ScaleHeight(), itemHeight_);
    pageRows_ = page.pageRows;
    if (page.clientHeight != ScaleHeight())
        Move(-1, -1, -1, Tw(page.clientHeight));
    PlaceScrollBar();
}

void YGroupList::PlaceScrollBar()
{
    if (YVScroll1)
        YVScroll1->Move(Tw(ScaleWidth() - 20), Tw(3), Tw(18), Tw(ScaleHeight() - 6));
}

void YGroupList::Invalidate()
{
    if (hWnd())
        InvalidateRect(hWnd(), nullptr, FALSE);
}

// ---------------------------------------------------------------- content

void YGroupList::AddGroup(const std::wstring& groupName)
{
    store_.AddGroup(groupName);
}

void YGroupList::AddItem(int groupIndex, const std::wstring& item)
{
    if (store_.AddItem(groupIndex, item))
        tmrInit.Note();
}

void YGroupList::RemoveItem(int groupIndex, int itemIndex)
{
    // The view stays where it is (the item may lie in a folded group or
    // below the view); the relayout only pulls it up to a shorter end.
    if (store_.RemoveItem(groupIndex, itemIndex))
        tmrInit.Note();
}

std::wstring YGroupList::GetList(int groupIndex, int itemIndex) const
{
    return store_.Item(groupIndex, itemIndex);
}

int YGroupList::GetListCount(int groupIndex) const
{
    return store_.ItemCount(groupIndex);
}

void YGroupList::Spread(int groupIndex, bool value)
{
    if (store_.SetExpanded(groupIndex, value))
        tmrInit.Note();
}

void YGroupList::RemoveGroup(int groupIndex)
{
    if (!store_.ValidGroup(groupIndex))
        return;
    int rows = store_.Expanded(groupIndex) ? store_.ItemCount(groupIndex) + 1 : 1;
    pendingScroll_ = std::max(-rows, -YVScroll1->Value());
    store_.RemoveGroup(groupIndex);
    if (store_.GroupCount() == 0) {
        // An empty list shows no bar and ignores the wheel: at once, with
        // no stale rows left for the wheel to scroll over.
        Relayout();
        return;
    }
    tmrInit.Note();
}

// ---------------------------------------------------------------- properties

void YGroupList::SetScrollMode(int mode)
{
    if (mode >= 0 && mode <= 2)
        scrollMode_ = mode;
}

void YGroupList::SetFont(const host::Font& font)
{
    UserControl::SetFont(font);
    int h = TextHeight();
    if (h > itemHeight_) {
        host::MsgBox(kTallFontNotice, host::MsgIcon::None, kNoticeTitle);
        if (UserMode())
            ApplyItemHeight(h);
        else
            itemHeight_ = h;
    }
    Invalidate();
}

void YGroupList::SetBackColor(host::Colour c)
{
    UserControl::SetBackColor(c);
    Invalidate();
}

void YGroupList::SetForeColor(host::Colour c)
{
    UserControl::SetForeColor(c);
    Invalidate();
}

void YGroupList::SetItemHeight(int v)
{
    if (!UserMode() || v < TextHeight() || v < 1)
        return;
    ApplyItemHeight(std::min(v, GroupStore::kMaxItemHeight));
}

void YGroupList::ApplyItemHeight(int v)
{
    itemHeight_ = v;
    Resize();
    YVScroll1->SetValue(0);
    Relayout();
}

int YGroupList::TextHeight() const
{
    MeasureScope scope(hDC(), Font());
    TEXTMETRICW tm{};
    GetTextMetricsW(hDC(), &tm);
    return tm.tmHeight;
}

int YGroupList::TextWidth(const std::wstring& text) const
{
    MeasureScope scope(hDC(), Font());
    SIZE size{0, 0};
    GetTextExtentPoint32W(hDC(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// ---------------------------------------------------------------- layout

GroupView YGroupList::View() const
{
    GroupView v;
    v.scaleWidth = ScaleWidth();
    v.scaleHeight = ScaleHeight();
    v.itemHeight = itemHeight_;
    v.pageRows = pageRows_;
    v.topRow = YVScroll1->Value();
    v.scrollVisible = YVScroll1->Visible();
    return v;
}

void YGroupList::Relayout()
{
    tmrInit.Stop();
    store_.Relayout();
    int total = store_.TotalRows();
    if (pageRows_ < total) {
        YVScroll1->SetGlideHeight(ThumbLength(ScaleHeight(), pageRows_, total));
        // The value stays inside the new range, however much it shrank.
        YVScroll1->SetMaxVAndValue(total - pageRows_, std::int64_t{YVScroll1->Value()} + pendingScroll_);
        YVScroll1->SetVisible(true);
        PlaceScrollBar();
        pendingScroll_ = 0;
    } else {
        YVScroll1->SetValue(0);
        YVScroll1->SetVisible(false);
    }
    Invalidate();
}

// ---------------------------------------------------------------- painting

void YGroupList::PaintList(HDC dc, int width, int height) const
{
    kit::FillRectColor(dc, 0, 0, width, height, kit::kWhite);
    GroupView view = View();
    view.scaleWidth = width;
    view.scaleHeight = height;
    // Stripes restart with colour A at the top row of every paint; header
    // rows count as painted rows too.
    bool stripe = false;
    for (const GroupRowBox& row : VisibleRows(store_, view)) {
        int y = row.top;
        if (row.header) {
            kit::FillRectColor(dc, 3, y, row.right, y + row.height,
                               row.row == hoverRow_ ? kHeaderHoverColor : kHeaderColor);
            RECT glyph{3, y, 15, y + row.height};
            kit::DrawTriangle(dc, kit::kBlack, glyph, store_.ShowsUnfolded(row.group) ? kit::kDown : kit::kRight, 3);
            std::wstring caption = store_.HeaderCaption(row.group);
            RECT rc{15, y, width - 3, y + row.height};
            DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rc, kDataText);
        } else {
            std::wstring text = store_.Item(row.group, row.index);
            RECT rc{7, y, row.right - 4, y + row.height};
            if (row.row == hoverRow_) {
                kit::FillRectColor(dc, 3, y, row.right, y + row.height, kItemHoverColor);
                if (tmrDis.Enabled()) {
                    if (scrollMode_ == 2)
                        text = text + kFiveSpaces + text;
                    rc.left -= marquee_.offset;
                }
                DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, kDataText);
                // Scrolled text never covers the left margin.
                kit::FillRectColor(dc, 0, 0, 3, height, kit::kWhite);
            } else {
                kit::FillRectColor(dc, 3, y, row.right, y + row.height, stripe ? kItemColorB : kItemColorA);
                DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, kDataText);
            }
        }
        stripe = !stripe;
    }
    kit::FrameRectColor(dc, 0, 0, width, height, kBorderColor);
}

void YGroupList::Paint()
{
    if (UserMode())
        return;
    kit::TextScope text(hDC(), Font(), ForeColor());
    PaintList(hDC(), ScaleWidth(), ScaleHeight());
}

// ---------------------------------------------------------------- input

void YGroupList::OnMouseMove(LPARAM lParam)
{
    if (!kit::TickElapsed(GetTickCount(), lastMoveTick_, 30))
        return;
    kit::RequestMouseLeave(hWnd());
    int row = HitTestRow(store_, View(), kit::LowWordOf(lParam), kit::HighWordOf(lParam));
    if (row == hoverRow_)
        return;
    hoverRow_ = row;
    marquee_.offset = 0;
    bool overflows = false;
    if (row >= 0 && store_.GroupAtRow(row) < 0) {
        auto pos = store_.LocateRow(row);
        hoverTextWidth_ = TextWidth(store_.Item(pos.group, pos.index));
        hoverOverflow_ = TextOverflow(hoverTextWidth_, ScaleWidth(), YVScroll1->Visible());
        spacesWidth_ = TextWidth(kFiveSpaces);
        overflows = hoverOverflow_ > 0;
    }
    tmrDis.SetEnabled(overflows);
    Invalidate();
}

void YGroupList::OnMouseLeave()
{
    hoverRow_ = -1;
    marquee_.offset = 0;
    tmrDis.SetEnabled(false);
    Invalidate();
}

void YGroupList::OnPress(LPARAM lParam, bool doubleClick)
{
    int row = HitTestRow(store_, View(), kit::LowWordOf(lParam), kit::HighWordOf(lParam));
    if (row < 0)
        return;
    int g = store_.GroupAtRow(row);
    if (g < 0) {
        auto pos = store_.LocateRow(row);
        // A row left over from before a removal, not yet laid out again, names no item.
        if (pos.index < 0 || pos.index >= store_.ItemCount(pos.group))
            return;
        std::wstring text = store_.Item(pos.group, pos.index);
        Click.raise(text);
        if (doubleClick)
            DBClick.raise(text);
        return;
    }
    // The folded rows lie below the header, which is in view: the view
    // stays, so the header stays under the pointer (the relayout only
    // pulls the view up to a shorter end).
    store_.Toggle(g);
    Relayout();
}

void YGroupList::OnWheel(WPARAM wParam)
{
    if (pageRows_ >= store_.TotalRows())
        return;
    int delta = GET_WHEEL_DELTA_WPARAM(wParam);
    YVScroll1->SetValue(WheelValue(YVScroll1->Value(), YVScroll1->MaxV(), delta));
}

void YGroupList::OnScrollChange()
{
    if (YVScroll1->IsGlideDown()) {
        if (kit::TickElapsed(GetTickCount(), lastDragTick_, 30))
            Invalidate();
        return;
    }
    Invalidate();
}

void YGroupList::OnMarqueeTick()
{
    if (hoverRow_ < 0 || store_.GroupAtRow(hoverRow_) >= 0)
        return;
    if (!marquee_.Tick(scrollMode_, hoverTextWidth_, hoverOverflow_, spacesWidth_))
        tmrDis.SetEnabled(false);
    Invalidate();
}

void YGroupList::zSubclass_Proc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND hWnd, UINT& uMsg,
                                WPARAM& wParam, LPARAM& lParam)
{
    if (!bBefore)
        return;
    switch (uMsg) {
    case WM_PAINT: {
        kit::PaintCycle cycle(hWnd, &Font(), ForeColor());
        PaintList(cycle.surface(), cycle.width(), cycle.height());
        cycle.Present();
        break;
    }
    case WM_LBUTTONDOWN:
        OnPress(lParam, false);
        break;
    case WM_LBUTTONDBLCLK:
        OnPress(lParam, true);
        break;
    case WM_MOUSEWHEEL:
        OnWheel(wParam);
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(lParam);
        break;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        break;
    }
}

} // namespace tessara

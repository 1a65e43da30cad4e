#include "tessara/controls/grouplist/YGroupList.h"

#include "tessara/kit/MdlGDI.h"
#include "tessara/kit/MdlSmoothDraw.h"

#include "host/App.h"

#include <algorithm>

namespace tessara {

namespace {

const wchar_t kTallFontNotice[] = L"字体高度超过列表项设定的高度,已将列表项高度值进行调整";
const wchar_t kNoticeTitle[] = L"提示";
const wchar_t kFiveSpaces[] = L"     ";
// Group names and items are data: an "&" in them is drawn, not read as an access key.
constexpr UINT kDataText = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

int Tw(int px) { return host::PixelsToTwips(px); }

} // namespace

YGroupList::YGroupList()
    : ControlSkeleton(L"YGroupList",
                      {WM_PAINT, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_MOUSEWHEEL, WM_MOUSEMOVE, WM_MOUSELEAVE})
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
    YVScroll1->Change.connect([this] { scrolled_.Changed(); });
}

void YGroupList::ReadStored(const host::PropertyBag& bag)
{
    SetScrollMode(bag.readLong(L"ScrollMode", 0));
    UserControl::SetFont(bag.readFont(L"Font", Font()));
    // A stored font taller than the rows makes the rows taller, silently:
    // nobody is there to read a notice while a form loads.
    model_.SetItemHeight(std::max(model_.ItemHeight(), TextHeight()));
    UserControl::SetBackColor(bag.readColour(L"BackColor", BackColor()));
    UserControl::SetForeColor(bag.readColour(L"ForeColor", ForeColor()));
}

void YGroupList::WriteProperties(host::PropertyBag& bag)
{
    bag.set(L"ScrollMode", std::int64_t{model_.ScrollMode()});
    bag.set(L"Font", Font());
    bag.set(L"BackColor", std::int64_t{BackColor()});
    bag.set(L"ForeColor", std::int64_t{ForeColor()});
}

void YGroupList::Teardown()
{
    tmrDis.SetEnabled(false);
}

void YGroupList::Resize()
{
    if (ScaleWidth() < 100)
        Move(-1, -1, 1500, -1);
    if (ScaleHeight() < 100)
        Move(-1, -1, -1, 1500);
    // The client keeps whole item rows plus the 3-pixel margins.
    GroupPage page = model_.Fit(ScaleHeight());
    if (page.clientHeight != ScaleHeight())
        Move(-1, -1, -1, Tw(page.clientHeight));
    PlaceScrollBar();
}

void YGroupList::PlaceScrollBar()
{
    if (YVScroll1)
        Place(*YVScroll1, kit::SizedRect(ScaleWidth() - 20, 3, 18, ScaleHeight() - 6));
}

// ---------------------------------------------------------------- content

void YGroupList::AddGroup(const std::wstring& groupName)
{
    model_.AddGroup(groupName);
}

void YGroupList::AddItem(int groupIndex, const std::wstring& item)
{
    if (model_.AddItem(groupIndex, item))
        DeferLayout();
}

void YGroupList::RemoveItem(int groupIndex, int itemIndex)
{
    if (model_.RemoveItem(groupIndex, itemIndex))
        DeferLayout();
}

std::wstring YGroupList::GetList(int groupIndex, int itemIndex) const
{
    return model_.Store().Item(groupIndex, itemIndex);
}

int YGroupList::GetListCount(int groupIndex) const
{
    return model_.Store().ItemCount(groupIndex);
}

void YGroupList::Spread(int groupIndex, bool value)
{
    if (model_.Spread(groupIndex, value))
        DeferLayout();
}

void YGroupList::RemoveGroup(int groupIndex)
{
    switch (model_.RemoveGroup(groupIndex, YVScroll1->Value())) {
    case GroupListModel::Removal::None:
        break;
    case GroupListModel::Removal::Deferred:
        DeferLayout();
        break;
    case GroupListModel::Removal::Now:
        LayoutNow();
        break;
    }
}

// ---------------------------------------------------------------- properties

void YGroupList::SetFont(const host::Font& font)
{
    UserControl::SetFont(font);
    int h = TextHeight();
    if (h > model_.ItemHeight()) {
        host::MsgBox(kTallFontNotice, host::MsgIcon::None, kNoticeTitle);
        if (UserMode())
            ApplyItemHeight(h);
        else
            model_.SetItemHeight(h);
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
    model_.SetItemHeight(v);
    Resize();
    YVScroll1->SetValue(0);
    LayoutNow();
}

// ---------------------------------------------------------------- layout

GroupView YGroupList::View() const
{
    return model_.View(ScaleWidth(), ScaleHeight(), YVScroll1->Value(), YVScroll1->Visible());
}

void YGroupList::RunLayout()
{
    YVScroll1->Apply(model_.Relayout(ScaleWidth(), ScaleHeight(), YVScroll1->Value()));
    Invalidate();
}

// ---------------------------------------------------------------- painting

void YGroupList::PaintTo(HDC dc, int width, int height)
{
    kit::FillRectColor(dc, 0, 0, width, height, kit::kWhite);
    GroupView view = View();
    view.scaleWidth = width;
    view.scaleHeight = height;
    // Stripes restart with colour A at the top row of every paint; header
    // rows count as painted rows too.
    bool stripe = false;
    for (const GroupRowBox& row : VisibleRows(model_.Store(), view)) {
        int y = row.top;
        if (row.header) {
            kit::FillRectColor(dc, 3, y, row.right, y + row.height,
                               row.row == model_.HoverRow() ? kHeaderHoverColor : kHeaderColor);
            RECT glyph{3, y, 15, y + row.height};
            kit::DrawTriangle(dc, kit::kBlack, glyph, model_.Store().ShowsUnfolded(row.group) ? kit::kDown : kit::kRight, 3);
            std::wstring caption = model_.Store().HeaderCaption(row.group);
            RECT rc{15, y, width - 3, y + row.height};
            DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rc, kDataText);
        } else {
            std::wstring text = model_.Store().Item(row.group, row.index);
            RECT rc{7, y, row.right - 4, y + row.height};
            if (row.row == model_.HoverRow()) {
                kit::FillRectColor(dc, 3, y, row.right, y + row.height, kItemHoverColor);
                if (tmrDis.Enabled()) {
                    if (model_.ScrollMode() == 2)
                        text = text + kFiveSpaces + text;
                    rc.left -= model_.MarqueeOffset();
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

// ---------------------------------------------------------------- input

void YGroupList::OnMouseMove(int x, int y)
{
    kit::RequestMouseLeave(hWnd());
    if (!model_.Hover(HitTestRow(model_.Store(), View(), x, y)))
        return;
    bool overflows = false;
    if (model_.HoverIsItem()) {
        Measuring scope(*this);
        const int width = TextWidth(model_.HoverText());
        overflows = model_.MeasuredHover(width, TextOverflow(width, ScaleWidth(), YVScroll1->Visible()),
                                         TextWidth(kFiveSpaces));
    }
    tmrDis.SetEnabled(overflows);
    Invalidate();
}

void YGroupList::OnMouseLeave()
{
    model_.Leave();
    tmrDis.SetEnabled(false);
    Invalidate();
}

void YGroupList::OnPress(int x, int y, bool doubleClick)
{
    const GroupListModel::Press press = model_.PressRow(HitTestRow(model_.Store(), View(), x, y));
    if (press.toggled) {
        LayoutNow();
        return;
    }
    if (!press.item)
        return;
    Click.raise(press.text);
    if (doubleClick)
        DBClick.raise(press.text);
}

void YGroupList::OnMouseWheel(WPARAM wParam)
{
    if (const auto value = model_.WheelValue(YVScroll1->Value(), YVScroll1->MaxV(), GET_WHEEL_DELTA_WPARAM(wParam)))
        YVScroll1->SetValue(*value);
}

void YGroupList::OnMarqueeTick()
{
    if (!model_.MarqueeApplies())
        return;
    if (!model_.MarqueeTick())
        tmrDis.SetEnabled(false);
    Invalidate();
}

} // namespace tessara

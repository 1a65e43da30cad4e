// The tree view control: the Win32 layer over its model (the node store,
// the row walk and the layout arithmetic).
#include "tessara/controls/tree/YTreeView.h"

#include "tessara/kit/MdlGDI.h"
#include "tessara/kit/MdlMemDC.h"

#include "host/App.h"

#include <algorithm>

namespace tessara {

namespace {

const wchar_t kNotice[] = L"提示";

} // namespace

YTreeView::YTreeView()
    : ControlSkeleton(L"YTreeView", {WM_PAINT, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_MOUSEWHEEL, WM_MOUSEMOVE,
                                     WM_MOUSELEAVE},
                      Options().NothingAtDesignTime())
{
    // Labels are measured once each, in the control's font.
    model_.Store().SetMeasure([this](const std::wstring& s) { return TextWidth(s); });
}

YTreeView::~YTreeView() { ReleaseFolder(); }

// ---- lifecycle -------------------------------------------------------------

void YTreeView::Initialize()
{
    folderBitmap_ = static_cast<HBITMAP>(
        ::LoadImageW(host::AppInstance(), L"FOLDER", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (folderBitmap_)
        folderImage_ = kit::CreateMemDCFromBitmap(folderBitmap_);
    vScroll_ = &AddControl<YVScroll>(L"YVScroll1", 0, 0, host::PixelsToTwips(18), host::PixelsToTwips(100));
    hScroll_ = &AddControl<YHScroll>(L"YHScroll1", 0, 0, host::PixelsToTwips(100), host::PixelsToTwips(18));
    vScroll_->SetVisible(false);
    hScroll_->SetVisible(false);
    vScroll_->Change.connect([this] { vScrolled_.Changed(); });
    hScroll_->Change.connect([this] { OnHChange(); });
}

void YTreeView::ReadStored(const host::PropertyBag& bag)
{
    SetFont(bag.readFont(L"Font", Font()));
    SetBackColor(bag.readColour(L"BackColor", BackColor()));
    SetForeColor(bag.readColour(L"ForeColor", ForeColor()));
}

void YTreeView::WriteProperties(host::PropertyBag& bag)
{
    bag.write(L"Font", Font());
    bag.write(L"BackColor", static_cast<std::int64_t>(BackColor()));
    bag.write(L"ForeColor", static_cast<std::int64_t>(ForeColor()));
}

void YTreeView::Resize()
{
    const auto p = model_.FirstResize(ScaleWidth(), ScaleHeight());
    if (!p)
        return;  // only the first resize lays the control out
    if (p->setWidth || p->setHeight)
        SetSize(p->setWidth ? p->widthTwips : Width(), p->setHeight ? p->heightTwips : Height());
    Place(*vScroll_, p->vPlace);
    Place(*hScroll_, p->hPlace);
}

void YTreeView::Teardown()
{
    vScrolled_.Stop();
    ReleaseFolder();
}

void YTreeView::ReleaseFolder()
{
    if (folderImage_)
        kit::DeleteMemDC(folderImage_);
    folderImage_ = nullptr;
    if (folderBitmap_)
        ::DeleteObject(folderBitmap_);
    folderBitmap_ = nullptr;
}

// ---- properties ---------------------------------------------------------------

void YTreeView::SetItemHeight(std::int32_t h)
{
    if (h < TextHeight())
        return;
    model_.SetItemHeight(h);
    Invalidate();
}

void YTreeView::SetFont(const host::Font& f)
{
    UserControl::SetFont(f);
    const std::int32_t tm = TextHeight();
    if (tm > model_.ItemHeight())
        model_.SetItemHeight(tm);
    model_.Store().InvalidateWidths();
    Invalidate();
}

std::int32_t YTreeView::ContentWidth()
{
    Measuring scope(*this);
    return model_.Store().ContentWidth();
}

TreeScroll YTreeView::Scroll() const
{
    return TreeScroll{vScroll_->Value(), hScroll_->Value(), hScroll_->Visible()};
}

// ---- methods --------------------------------------------------------------------

std::int32_t YTreeView::GetIndexByStr(const std::wstring& item)
{
    const std::int32_t i = model_.Store().IndexOf(item);
    if (i < 0)
        host::MsgBox(L"没有找到对应字符串的项目索引", host::MsgIcon::None, kNotice);
    return i;
}

void YTreeView::AddItem(std::int32_t parentIndex, const std::wstring& item)
{
    switch (model_.Store().AddItem(parentIndex, item)) {
    case TreeStore::AddResult::Added:
        DeferLayout();
        break;
    // A control must never end the program that hosts it: the message is
    // shown, nothing is added, and the program carries on.
    case TreeStore::AddResult::RootRequired:
        host::MsgBox(L"第1个元素必须为根结点,其父结点的索引值为-1!", host::MsgIcon::None, kNotice);
        break;
    case TreeStore::AddResult::ParentMissing:
        host::MsgBox(L"添加元素时请确保父结点存在!", host::MsgIcon::None, kNotice);
        break;
    }
}

void YTreeView::RemoveItem(std::int32_t index)
{
    if (model_.RemoveItem(index, Scroll()) == TreeViewModel::Removal::LayoutDue)
        DeferLayout();
}

void YTreeView::FindItem(const std::wstring& item)
{
    Measuring scope(*this);
    const auto f = model_.Find(item);
    if (!f) {
        host::MsgBox(L"查找失败!", host::MsgIcon::None, kNotice);
        return;
    }
    if (f->slot == 0) {
        vScroll_->SetValue(0);
        hScroll_->SetValue(0);
        Invalidate();
        return;
    }
    EnsureRowVisible(f->slot, f->row);
}

void YTreeView::EnsureRowVisible(std::int32_t slot, std::int32_t row)
{
    Measuring scope(*this);
    LayoutNow();
    if (!vScroll_->Visible())
        return;
    if (model_.TotalRows() - row < model_.PageRows())
        vScroll_->SetValue(vScroll_->MaxV());  // the row is on the last page
    else
        vScroll_->SetValue(row);               // the row becomes the top row
    // A hidden horizontal bar keeps position 0: its range is a stale one.
    if (!hScroll_->Visible())
        return;
    TreeStore& store = model_.Store();
    const std::int32_t right = TreeColumns::Extent(store.NodeLevel(model_.SelectedIndex()), store.TextWidth(slot));
    if (right == store.ContentWidth())
        hScroll_->SetValue(hScroll_->MaxV());
    else
        hScroll_->SetValue(right - (ScaleWidth() - TreeColumns::kBarStrip));  // out of range (row fits) is ignored
}

void YTreeView::RunLayout()
{
    Measuring scope(*this);
    const TreeViewModel::BarsPlan p = model_.Relayout(ScaleWidth(), ScaleHeight(), Scroll());
    vScroll_->Apply(p.v);
    hScroll_->Apply(p.h);
    Invalidate();
}

bool YTreeView::NodeRects(std::int32_t slot, RECT* box, RECT* label)
{
    Measuring scope(*this);
    const auto b = model_.Boxes(slot, Scroll());
    if (!b)
        return false;
    if (box)
        *box = RECT{b->box.left, b->box.top, b->box.right, b->box.bottom};
    if (label)
        *label = RECT{b->label.left, b->label.top, b->label.right, b->label.bottom};
    return true;
}

// ---- painting -------------------------------------------------------------------

void YTreeView::PaintTo(HDC dc, int w, int h)
{
    HPEN pen = ::CreatePen(PS_DOT, 1, kTreeLineColor);
    HGDIOBJ previousPen = ::SelectObject(dc, pen);
    ::SetStretchBltMode(dc, HALFTONE);
    PaintRows(dc, w, h);
    PaintMargins(dc, w, h);
    kit::FrameRectColor(dc, 0, 0, w, h, kTreeLineColor);
    ::SelectObject(dc, previousPen);
    ::DeleteObject(pen);
}

void YTreeView::PaintRows(HDC dc, int w, int h)
{
    kit::FillRectColor(dc, 0, 0, w, h, 0x00FFFFFF);
    if (model_.TotalRows() == 0)
        return;
    WalkRows(model_.Store(), model_.View(h, Scroll()), [&](const PaintRowCall& c) { PaintRow(dc, c); });
}

void YTreeView::WalkRows(TreeStore& store, const PaintView& view, const PaintRowSink& sink)
{
    WalkPaintRows(store, view, sink);
}

void YTreeView::PaintRow(HDC dc, const PaintRowCall& c)
{
    const RowGeometry g = model_.Geometry();
    using C = TreeColumns;
    const TreeStore& store = model_.Store();
    const int x = c.x, y = c.y, cx = x + C::kConnector;
    const bool hasChildren = store.ChildCount(c.slot) > 0;
    auto isLine = [&](int px, int py) { return ::GetPixel(dc, px, py) == kTreeLineColor; };
    auto line = [&](int x1, int y1, int x2, int y2) {
        ::MoveToEx(dc, x1, y1, nullptr);
        ::LineTo(dc, x2, y2);
    };
    // A vertical connector an earlier row already drew is not drawn again.
    auto connector = [&](int yTop, int yEnd) {
        if (!isLine(cx, yEnd - 1))
            line(cx, yTop, cx, yEnd);
    };

    // Connector to the next sibling, whose row may lie far below the view.
    if (c.next > 0) {
        const long long nyWide = y + static_cast<long long>(g.rowPitch) * (store.pGetItemCnt(c.slot) + 1);
        if (nyWide >= 1) {
            const int ny = static_cast<int>(std::min<long long>(nyWide, 0x3FFFFFFF));
            const int yFrom = hasChildren ? y + g.boxTop + C::kBox : y + g.mid;
            if (!isLine(cx, ny + g.boxTop - 1) && store.ChildCount(c.next) > 0)
                line(cx, yFrom, cx, ny + g.boxTop);
            else if (!isLine(cx, ny + g.mid - 1))
                line(cx, yFrom, cx, ny + g.mid);
        }
    }
    if (y < 0)
        return;  // the row itself lies above the view
    const int tw = model_.Store().TextWidth(c.slot);
    const int boxY = y + g.boxTop;
    if (c.slot != 0) {
        if (!hasChildren) {
            connector(c.lineTop, y + g.mid);
            line(cx, y + g.mid, x + C::kLeafLineEnd, y + g.mid);
        } else {
            connector(c.lineTop, boxY);
            kit::DrawExpandBox(dc, x, boxY, x + C::kBox, boxY + C::kBox, kTreeLineColor, !store.Expanded(c.slot));
            line(x + C::kBox, y + g.mid, x + C::kIconLeft, y + g.mid);
        }
    } else {
        // The root's box shows even without children.
        kit::DrawExpandBox(dc, x, boxY, x + C::kBox, boxY + C::kBox, kTreeLineColor, !store.Expanded(0));
    }
    if (folderImage_)
        kit::BlitWithBorders(dc, x + C::kIconLeft, y + g.iconTop, C::kIconWidth, C::kIconHeight, folderImage_, 0, 0, 20, 14,
                             1);
    RECT label{x + C::kLabelLeft, y, x + C::LabelRight(tw), y + g.itemHeight};
    if (c.slot == model_.SelectedIndex())
        kit::DrawRoundBox(dc, label.left, label.top + 2, label.right, label.bottom - 2, 2, kTreeSelectedColor, false,
                          false, true, false);
    else if (c.slot == model_.HoverIndex())
        kit::DrawRoundBox(dc, label.left, label.top + 2, label.right, label.bottom - 2, 2, kTreeHoverColor, false,
                          false, true, false);
    const std::wstring& text = store.Label(c.slot);
    // Labels are data: an "&" is drawn, not read as an access key.
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &label,
                DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
}

void YTreeView::PaintMargins(HDC dc, int w, int h)
{
    const int rowPitch = model_.Geometry().rowPitch;
    kit::FillRectColor(dc, 0, 0, w, 2, 0x00FFFFFF);
    if (hScroll_->Visible())
        kit::FillRectColor(dc, 0, h - 2 - rowPitch, w, h, 0x00FFFFFF);
    else
        kit::FillRectColor(dc, 0, h - 2, w, h, 0x00FFFFFF);
    kit::FillRectColor(dc, w - TreeColumns::kRightMargin, 0, w, h, 0x00FFFFFF);
}

// ---- input ----------------------------------------------------------------------

void YTreeView::OnMouseMove(int x, int y)
{
    if (model_.TotalRows() == 0)
        return;
    kit::RequestMouseLeave(hWnd());
    Measuring scope(*this);
    if (model_.Hover(x, y, ScaleWidth(), ScaleHeight(), Scroll()))
        Invalidate();
}

void YTreeView::OnPress(int x, int y)
{
    Measuring scope(*this);
    const TreeViewModel::Press press = model_.ButtonDown(x, y, ScaleWidth(), ScaleHeight(), Scroll());
    if (press.relayout) {
        LayoutNow();
        return;
    }
    if (!press.clicked)
        return;
    Invalidate();
    Click.raise(*press.clicked);
}

void YTreeView::OnMouseWheel(WPARAM wParam)
{
    YVScroll& v = *vScroll_;
    const std::int32_t delta = kit::HighWordOf(static_cast<LPARAM>(wParam));
    if (const auto target = model_.Wheel(delta, v.Visible(), v.Value(), v.MaxV()))
        v.SetValue(*target);
}

void YTreeView::OnHChange()
{
    if (hRepaints_.Allow(::GetTickCount()))
        Invalidate();
}

} // namespace tessara

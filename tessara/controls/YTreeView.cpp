// The tree view control: the Win32 layer over TreeStore, the row walk and
// the layout arithmetic.
#include "tessara/controls/YTreeView.h"

#include "tessara/controls/TreeLayout.h"
#include "tessara/kit/MdlCreateLogFont.h"
#include "tessara/kit/MdlGDI.h"
#include "tessara/kit/MdlMemDC.h"

#include <algorithm>

namespace tessara {

namespace {

constexpr UINT kWatched[] = {WM_PAINT, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_MOUSEWHEEL, WM_MOUSEMOVE, WM_MOUSELEAVE};
constexpr int kTw = host::kTwipsPerPixel;
const wchar_t kNotice[] = L"提示";

void MoveBar(host::ControlBase& bar, const BarPlace& p)
{
    bar.Move(p.left * kTw, p.top * kTw, p.width * kTw, p.height * kTw);
}

} // namespace

// Text widths are measured with the control's font on one device context
// for the length of an operation (the control's own outside painting, the
// surface during a paint), instead of once per label.
class YTreeView::MeasureScope {
public:
    MeasureScope(YTreeView& tv, HDC surface = nullptr) : tv_(tv)
    {
        if (tv_.measureDc_)
            return;  // an outer scope already measures
        outer_ = true;
        if (surface) {
            tv_.measureDc_ = surface;  // its font is already selected
            return;
        }
        font_ = kit::CreateFontFromStdFont(tv_.Font());
        tv_.measureDc_ = tv_.hDC();
        if (font_)
            previous_ = ::SelectObject(tv_.measureDc_, font_);
    }
    ~MeasureScope()
    {
        if (!outer_)
            return;
        if (previous_)
            ::SelectObject(tv_.measureDc_, previous_);
        if (font_)
            ::DeleteObject(font_);
        tv_.measureDc_ = nullptr;
    }
    MeasureScope(const MeasureScope&) = delete;
    MeasureScope& operator=(const MeasureScope&) = delete;

private:
    YTreeView& tv_;
    bool outer_ = false;
    HFONT font_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

YTreeView::YTreeView() : UserControl(L"YTreeView")
{
    store_.SetMeasure([this](const std::wstring& s) { return MeasureText(s); });
    tmrIsVRedraw.Tick.connect([this] { OnVRedrawTick(); });
}

YTreeView::~YTreeView()
{
    if (folderImage_)
        kit::DeleteMemDC(folderImage_);
    if (folderBitmap_)
        ::DeleteObject(folderBitmap_);
}

// ---- lifecycle -------------------------------------------------------------

void YTreeView::Initialize()
{
    folderBitmap_ = static_cast<HBITMAP>(
        ::LoadImageW(host::AppInstance(), L"FOLDER", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (folderBitmap_)
        folderImage_ = kit::CreateMemDCFromBitmap(folderBitmap_);
    vScroll_ = &AddControl<YVScroll>(L"YVScroll1", 0, 0, 18 * kTw, 100 * kTw);
    hScroll_ = &AddControl<YHScroll>(L"YHScroll1", 0, 0, 100 * kTw, 18 * kTw);
    vScroll_->SetVisible(false);
    hScroll_->SetVisible(false);
    vScroll_->Change.connect([this] { OnVChange(); });
    hScroll_->Change.connect([this] { OnHChange(); });
}

void YTreeView::InitProperties() { Hook(); }

void YTreeView::ReadProperties(const host::PropertyBag& bag)
{
    SetFont(bag.readFont(L"Font", Font()));
    SetBackColor(bag.readColour(L"BackColor", BackColor()));
    SetForeColor(bag.readColour(L"ForeColor", ForeColor()));
    Hook();
}

void YTreeView::WriteProperties(host::PropertyBag& bag)
{
    bag.write(L"Font", Font());
    bag.write(L"BackColor", static_cast<std::int64_t>(BackColor()));
    bag.write(L"ForeColor", static_cast<std::int64_t>(ForeColor()));
}

void YTreeView::Hook()
{
    if (UserMode())
        hook_.AttachWatching(hWnd(), kWatched);
}

void YTreeView::Resize()
{
    // Only the first resize lays the control out; later ones change nothing.
    if (pageRows_ == 0)
        FirstResize();
}

void YTreeView::FirstResize()
{
    const FirstResizePlan p = PlanFirstResize(ScaleWidth(), ScaleHeight(), Geometry().rowPitch);
    pageRows_ = p.pageRows;  // set first: the resize our own sizing causes does nothing
    if (p.setWidth || p.setHeight)
        SetSize(p.setWidth ? p.widthTwips : Width(), p.setHeight ? p.heightTwips : Height());
    MoveBar(*vScroll_, p.vPlace);
    MoveBar(*hScroll_, p.hPlace);
}

void YTreeView::Terminate()
{
    tmrInit.Stop();
    tmrIsVRedraw.SetEnabled(false);
    hook_.HookDetachAll();
    if (folderImage_)
        kit::DeleteMemDC(folderImage_);
    folderImage_ = nullptr;
    if (folderBitmap_)
        ::DeleteObject(folderBitmap_);
    folderBitmap_ = nullptr;
}

// ---- properties ---------------------------------------------------------------

std::int32_t YTreeView::FontCharHeight()
{
    HDC dc = hDC();
    if (!dc)
        return 0;
    HFONT font = kit::CreateFontFromStdFont(Font());
    HGDIOBJ previous = font ? ::SelectObject(dc, font) : nullptr;
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc, &tm);
    if (previous)
        ::SelectObject(dc, previous);
    if (font)
        ::DeleteObject(font);
    return tm.tmHeight;
}

void YTreeView::SetItemHeight(std::int32_t h)
{
    if (h < FontCharHeight())
        return;
    itemHeight_ = h;
    Invalidate();
}

void YTreeView::SetFont(const host::Font& f)
{
    UserControl::SetFont(f);
    const std::int32_t tm = FontCharHeight();
    if (tm > itemHeight_)
        itemHeight_ = tm;
    store_.InvalidateWidths();
    Invalidate();
}

std::int32_t YTreeView::MeasureText(const std::wstring& s)
{
    if (!measureDc_) {
        MeasureScope scope(*this);
        return MeasureText(s);
    }
    SIZE sz{};
    ::GetTextExtentPoint32W(measureDc_, s.c_str(), static_cast<int>(s.size()), &sz);
    return sz.cx;
}

std::int32_t YTreeView::ContentWidth()
{
    MeasureScope scope(*this);
    return store_.ContentWidth();
}

void YTreeView::SetRowWalker(RowWalker walker) { rowWalker_ = std::move(walker); }

// ---- methods --------------------------------------------------------------------

void YTreeView::Invalidate()
{
    if (hWnd())
        ::InvalidateRect(hWnd(), nullptr, FALSE);
}

void YTreeView::ScheduleLayout()
{
    // One layout 100 ms after the last change of a burst.
    tmrInit.Note();
}

void YTreeView::Spread(std::int32_t index, bool expanded) { store_.Spread(index, expanded); }

std::int32_t YTreeView::GetIndexByStr(const std::wstring& item)
{
    const std::int32_t i = store_.IndexOf(item);
    if (i < 0)
        host::MsgBox(L"没有找到对应字符串的项目索引", host::MsgIcon::None, kNotice);
    return i;
}

void YTreeView::AddItem(std::int32_t parentIndex, const std::wstring& item)
{
    switch (store_.AddItem(parentIndex, item)) {
    case TreeStore::AddResult::Added:
        ScheduleLayout();
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
    if (index >= 1 && index < store_.SlotCount() && !store_.IsUsed(index))
        return;  // already free: nothing at all
    if (index >= 1 && index < store_.SlotCount()) {
        // The next layout brings both positions back to 0.
        pendingVScroll_ = -vScroll_->Value();
        pendingHScroll_ = -hScroll_->Value();
        store_.RemoveItem(index);
        // A freed slot is no node: a node added there later starts neither
        // selected nor hovered.
        if (!store_.IsUsed(selectedIndex_))
            selectedIndex_ = -1;
        if (!store_.IsUsed(hoverIndex_))
            hoverIndex_ = -1;
    }
    ScheduleLayout();
}

void YTreeView::FindItem(const std::wstring& item)
{
    MeasureScope scope(*this);
    TreeStore::Found f;
    if (!store_.Find(item, &f)) {
        host::MsgBox(L"查找失败!", host::MsgIcon::None, kNotice);
        return;
    }
    selectedIndex_ = f.slot;
    if (f.slot == 0) {
        vScroll_->SetValue(0);
        hScroll_->SetValue(0);
        Invalidate();
        return;
    }
    EnsureRowVisible(f.slot, f.row);
}

void YTreeView::EnsureRowVisible(std::int32_t slot, std::int32_t row)
{
    MeasureScope scope(*this);
    Relayout();
    if (!vScroll_->Visible())
        return;
    if (totalRows_ - row < pageRows_)
        vScroll_->SetValue(vScroll_->MaxV());  // the row is on the last page
    else
        vScroll_->SetValue(row);               // the row becomes the top row
    // A hidden horizontal bar keeps position 0: its range is a stale one.
    if (!hScroll_->Visible())
        return;
    const std::int32_t right = store_.NodeLevel(selectedIndex_) * 24 + store_.TextWidth(slot) + 52;
    if (right == store_.ContentWidth())
        hScroll_->SetValue(hScroll_->MaxV());
    else
        hScroll_->SetValue(right - (ScaleWidth() - 21));  // out of range (row fits) is ignored
}

void YTreeView::Relayout()
{
    MeasureScope scope(*this);
    if (!laidOut_) {
        savedPageRows_ = pageRows_;
        laidOut_ = true;
    }
    tmrInit.Stop();
    TreeLayoutInput in;
    in.scaleWidth = ScaleWidth();
    in.scaleHeight = ScaleHeight();
    in.rootExpanded = store_.SlotCount() > 0 && store_.Expanded(0);
    in.totalRows = store_.TotalRows();
    in.savedPageRows = savedPageRows_;
    in.pageRows = pageRows_;
    if (in.rootExpanded)
        in.contentWidth = store_.ContentWidth();
    const TreeLayoutPlan p = PlanTreeLayout(in);
    YVScroll& v = *vScroll_;
    YHScroll& h = *hScroll_;
    totalRows_ = in.totalRows;  // 1 for a folded root, 0 for an empty tree

    // A bar's range and value are set together, the value limited to the
    // new range: a fold that also takes the other bar away can leave a
    // range smaller than the value.
    using Mode = TreeLayoutPlan::Mode;
    switch (p.mode) {
    case Mode::Both:
        MoveBar(v, p.vPlace);
        MoveBar(h, p.hPlace);
        pageRows_ = p.pageRows;
        v.SetGlideHeight(p.vGlide);
        v.SetMaxVAndValue(p.vMax, std::int64_t{v.Value()} + pendingVScroll_);
        pendingVScroll_ = 0;
        h.SetGlideWidth(p.hGlide);
        h.SetMaxVAndValue(p.hMax, std::int64_t{h.Value()} + pendingHScroll_);
        pendingHScroll_ = 0;
        v.SetVisible(true);
        h.SetVisible(true);
        break;
    case Mode::HorizontalOnly:
        MoveBar(h, p.hPlace);
        h.SetGlideWidth(p.hGlide);
        h.SetMaxVAndValue(p.hMax, std::int64_t{h.Value()} + pendingHScroll_);
        pendingHScroll_ = 0;
        h.SetVisible(true);
        v.SetVisible(false);
        v.SetValue(0);
        break;
    case Mode::VerticalOnly:
        MoveBar(v, p.vPlace);
        pageRows_ = p.pageRows;
        v.SetGlideHeight(p.vGlide);
        v.SetMaxVAndValue(p.vMax, std::int64_t{v.Value()} + pendingVScroll_);
        pendingVScroll_ = 0;
        v.SetVisible(true);
        h.SetVisible(false);
        h.SetValue(0);
        break;
    case Mode::RootFolded:
    case Mode::None:
        v.SetValue(0);
        v.SetVisible(false);
        h.SetValue(0);
        h.SetVisible(false);
        break;
    }
    Invalidate();
}

bool YTreeView::NodeRects(std::int32_t slot, RECT* box, RECT* label)
{
    MeasureScope scope(*this);
    if (!store_.IsUsed(slot))
        return false;
    if (slot != 0 && !store_.Expanded(0))
        return false;
    const std::int32_t g = store_.WalkRowOf(slot);
    if (g < 0)
        return false;
    const RowGeometry geo = Geometry();
    const int y = 2 + (g - vScroll_->Value()) * geo.rowPitch;
    const int x = 2 - hScroll_->Value() + store_.NodeLevel(slot) * 24;
    const int tw = store_.TextWidth(slot);
    if (box)
        *box = RECT{x, y + geo.boxTop, x + 11, y + geo.boxTop + 11};
    if (label)
        *label = RECT{x + 42, y, x + tw + 50, y + geo.itemHeight};
    return true;
}

// ---- painting -------------------------------------------------------------------

void YTreeView::OnPaint()
{
    kit::PaintCycle cycle(hWnd(), nullptr, 0);
    PaintFrameTo(cycle.surface(), cycle.width(), cycle.height());
    cycle.Present();
}

void YTreeView::PaintFrameTo(HDC dc, int w, int h)
{
    if (!dc)
        return;
    kit::TextScope text(dc, Font(), ForeColor());
    HPEN pen = ::CreatePen(PS_DOT, 1, kTreeLineColor);
    HGDIOBJ previousPen = ::SelectObject(dc, pen);
    ::SetStretchBltMode(dc, HALFTONE);
    {
        MeasureScope scope(*this, dc);
        PaintRows(dc, w, h);
    }
    PaintMargins(dc, w, h);
    kit::FrameRectColor(dc, 0, 0, w, h, kTreeLineColor);
    ::SelectObject(dc, previousPen);
    ::DeleteObject(pen);
}

void YTreeView::PaintRows(HDC dc, int w, int h)
{
    kit::FillRectColor(dc, 0, 0, w, h, 0x00FFFFFF);
    if (totalRows_ == 0)
        return;
    PaintView view;
    view.geo = Geometry();
    view.firstRow = vScroll_->Value();
    view.x0 = 2 - hScroll_->Value();
    view.height = h;
    view.limit = hScroll_->Visible() ? h - 2 - view.geo.rowPitch : h - 2;
    const PaintRowSink sink = [&](const PaintRowCall& c) { PaintRow(dc, c); };
    if (rowWalker_)
        rowWalker_(store_, view, sink);
    else
        WalkPaintRows(store_, view, sink);
}

void YTreeView::PaintRow(HDC dc, const PaintRowCall& c)
{
    const RowGeometry g = Geometry();
    const int x = c.x, y = c.y, cx = x + 5;
    const bool hasChildren = store_.ChildCount(c.slot) > 0;
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
        const long long nyWide = y + static_cast<long long>(g.rowPitch) * (store_.pGetItemCnt(c.slot) + 1);
        if (nyWide >= 1) {
            const int ny = static_cast<int>(std::min<long long>(nyWide, 0x3FFFFFFF));
            const int yFrom = hasChildren ? y + g.boxTop + 11 : y + g.mid;
            if (!isLine(cx, ny + g.boxTop - 1) && store_.ChildCount(c.next) > 0)
                line(cx, yFrom, cx, ny + g.boxTop);
            else if (!isLine(cx, ny + g.mid - 1))
                line(cx, yFrom, cx, ny + g.mid);
        }
    }
    if (y < 0)
        return;  // the row itself lies above the view
    const int tw = store_.TextWidth(c.slot);
    const int boxY = y + g.boxTop;
    if (c.slot != 0) {
        if (!hasChildren) {
            connector(c.lineTop, y + g.mid);
            line(cx, y + g.mid, x + 18, y + g.mid);
        } else {
            connector(c.lineTop, boxY);
            kit::DrawExpandBox(dc, x, boxY, x + 11, boxY + 11, kTreeLineColor, !store_.Expanded(c.slot));
            line(x + 11, y + g.mid, x + 19, y + g.mid);
        }
    } else {
        // The root's box shows even without children.
        kit::DrawExpandBox(dc, x, boxY, x + 11, boxY + 11, kTreeLineColor, !store_.Expanded(0));
    }
    if (folderImage_)
        kit::BlitWithBorders(dc, x + 19, y + g.iconTop, 21, 17, folderImage_, 0, 0, 20, 14, 1);
    RECT label{x + 42, y, x + tw + 50, y + g.itemHeight};
    if (c.slot == selectedIndex_)
        kit::DrawRoundBox(dc, label.left, label.top + 2, label.right, label.bottom - 2, 2, kTreeSelectedColor, false,
                          false, true, false);
    else if (c.slot == hoverIndex_)
        kit::DrawRoundBox(dc, label.left, label.top + 2, label.right, label.bottom - 2, 2, kTreeHoverColor, false,
                          false, true, false);
    const std::wstring& text = store_.Label(c.slot);
    // Labels are data: an "&" is drawn, not read as an access key.
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &label,
                DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
}

void YTreeView::PaintMargins(HDC dc, int w, int h)
{
    const int rowPitch = Geometry().rowPitch;
    kit::FillRectColor(dc, 0, 0, w, 2, 0x00FFFFFF);
    if (hScroll_->Visible())
        kit::FillRectColor(dc, 0, h - 2 - rowPitch, w, h, 0x00FFFFFF);
    else
        kit::FillRectColor(dc, 0, h - 2, w, h, 0x00FFFFFF);
    kit::FillRectColor(dc, w - 19, 0, w, h, 0x00FFFFFF);
}

// ---- input ----------------------------------------------------------------------

HitResult YTreeView::HitTest(int x, int y)
{
    MeasureScope scope(*this);
    HitView v;
    v.geo = Geometry();
    v.scaleWidth = ScaleWidth();
    v.scaleHeight = ScaleHeight();
    v.hBarVisible = hScroll_->Visible();
    v.totalRows = totalRows_;
    v.firstRow = vScroll_->Value();
    v.x0 = 2 - hScroll_->Value();
    const HitResult r = HitTestRows(store_, v, x, y);
    glyphHit_ = r.glyph;
    return r;
}

void YTreeView::OnMouseMove(LPARAM lParam)
{
    const DWORD now = ::GetTickCount();
    if (now - lastMoveTick_ < 30)
        return;
    lastMoveTick_ = now;
    if (totalRows_ == 0)
        return;
    kit::RequestMouseLeave(hWnd());
    const std::int32_t h = HitTest(kit::LowWordOf(lParam), kit::HighWordOf(lParam)).slot;
    if (h != hoverIndex_) {
        hoverIndex_ = h;
        Invalidate();
    }
}

void YTreeView::OnButtonDown(LPARAM lParam)
{
    MeasureScope scope(*this);
    const HitResult hit = HitTest(kit::LowWordOf(lParam), kit::HighWordOf(lParam));
    const std::int32_t h = hit.slot;
    if (h < 0)
        return;
    if (glyphHit_) {
        // Unfold or fold; folding while scrolled moves the view back by at
        // most what the node showed, never below 0.
        const std::int32_t rows = store_.pGetItemCnt(h);
        const std::int32_t w0 = store_.ContentWidth();
        const bool hasChildren = store_.ChildCount(h) > 0;
        if (hasChildren)
            store_.Spread(h, !store_.Expanded(h));
        if (hasChildren && !store_.Expanded(h)) {
            if (vScroll_->Value() > 0)
                pendingVScroll_ = -std::min(vScroll_->Value(), rows);
            if (hScroll_->Value() > 0) {
                const std::int32_t w1 = store_.ContentWidth();
                if (w1 < w0)
                    pendingHScroll_ = -std::min(hScroll_->Value(), w0 - w1);
            }
        }
        Relayout();
        return;
    }
    selectedIndex_ = h;
    Invalidate();
    const std::wstring text = store_.Label(h);  // a handler may change the tree
    Click.raise(text);
}

void YTreeView::OnWheel(WPARAM wParam)
{
    if (!vScroll_->Visible() || totalRows_ == 0)
        return;
    YVScroll& v = *vScroll_;
    const std::int32_t delta = kit::HighWordOf(static_cast<LPARAM>(wParam));
    if (delta < 0)
        v.SetValue(v.Value() + 3 > v.MaxV() ? v.MaxV() : v.Value() + 3);
    else
        v.SetValue(v.Value() - 3 < 0 ? 0 : v.Value() - 3);
}

void YTreeView::OnVChange()
{
    if (vScroll_->IsGlideDown()) {
        // While the thumb is dragged repaint at most every 20 ms; the timer
        // paints the final position once the drag ends.
        tmrIsVRedraw.SetEnabled(true);
        const DWORD now = ::GetTickCount();
        if (now - lastVChangeTick_ > 19) {
            lastVChangeTick_ = now;
            Invalidate();
        }
        return;
    }
    Invalidate();
}

void YTreeView::OnHChange()
{
    const DWORD now = ::GetTickCount();
    if (now - lastHChangeTick_ > 19) {
        lastHChangeTick_ = now;
        Invalidate();
    }
}

void YTreeView::OnVRedrawTick()
{
    if (!vScroll_->IsGlideDown()) {
        tmrIsVRedraw.SetEnabled(false);
        Invalidate();
    }
}

void YTreeView::zSubclass_Proc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND hWnd, UINT& uMsg,
                               WPARAM& wParam, LPARAM& lParam)
{
    (void)bBefore, (void)bHandled, (void)lReturn, (void)hWnd;
    switch (uMsg) {
    case WM_PAINT:
        OnPaint();
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnButtonDown(lParam);
        break;
    case WM_MOUSEWHEEL:
        OnWheel(wParam);
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(lParam);
        break;
    case WM_MOUSELEAVE:
        hoverIndex_ = -1;  // the hover box goes at the next paint
        break;
    default:
        break;
    }
}

} // namespace tessara

// YListView in real windows: columns and items added as the gallery does,
// mouse and wheel messages in; events, state and painted pixels out.
#include "ExpectedColours.h"
#include "ScrollTestSupport.h"

#include "tessara/controls/listview/YListView.h"

#include "host/Host.h"

#include <sstream>

using namespace scrolltest;
using tessara::YListView;

namespace {

constexpr COLORREF kFrame = want::kViewFrame;
constexpr COLORREF kWhite = want::kWhite;
constexpr COLORREF kGreen = 0x0000FF00;  // small icons
constexpr COLORREF kBlue = 0x00FF0000;   // big icons

// Heights worked out by hand for the font of these controls (宋体 9 pt,
// 14 pixels high): a header row is 14 + 6 = 20 high without icons, 16 + 6 =
// 22 with a small icon, 20 + 6 = 26 with a big one; report rows of items
// with small icons are 22 high; the big-icon grid's rows 14 + 28 = 42.
constexpr int kTextHeight = 14;

// The character height of 宋体 9 pt at this screen's resolution, measured
// with the platform alone.
int PlatformTextHeight()
{
    HDC screen = ::GetDC(nullptr);
    LOGFONTW lf{};
    lf.lfHeight = -::MulDiv(9, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = GB2312_CHARSET;
    ::lstrcpyW(lf.lfFaceName, L"宋体");
    HFONT font = ::CreateFontIndirectW(&lf);
    HGDIOBJ old = ::SelectObject(screen, font);
    TEXTMETRICW tm{};
    ::GetTextMetricsW(screen, &tm);
    ::SelectObject(screen, old);
    ::DeleteObject(font);
    ::ReleaseDC(nullptr, screen);
    return tm.tmHeight;
}

// A square icon of one opaque colour.
host::PictureRef SolidIcon(int size, COLORREF colour)
{
    HDC screen = ::GetDC(nullptr);
    HBITMAP colourBits = ::CreateCompatibleBitmap(screen, size, size);
    HDC mem = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(mem, colourBits);
    HBRUSH brush = ::CreateSolidBrush(colour);
    RECT r{0, 0, size, size};
    ::FillRect(mem, &r, brush);
    ::DeleteObject(brush);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    std::vector<BYTE> zeros(static_cast<std::size_t>((size + 15) / 16 * 2 * size), 0);
    HBITMAP mask = ::CreateBitmap(size, size, 1, 1, zeros.data());
    ICONINFO info{TRUE, 0, 0, mask, colourBits};
    HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(mask);
    ::DeleteObject(colourBits);
    return host::PictureFromHandle(icon, host::Picture::Type::Icon, true);
}

// Pixels of a rectangle that are dark enough to be text in black.
int DarkPixels(const Frame& f, int left, int top, int right, int bottom)
{
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const COLORREF c = f(x, y);
            if (GetRValue(c) < 0x60 && GetGValue(c) < 0x60 && GetBValue(c) < 0x60)
                ++n;
        }
    return n;
}

std::string Hex(COLORREF c)
{
    std::ostringstream s;
    s << std::hex << c;
    return s.str();
}

class ListViewWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.SetClientSize(9000, 6000);  // room for the widest control here
        form.Show();
        small = SolidIcon(16, kGreen);
        big = SolidIcon(20, kBlue);
    }
    void TearDown() override { form.Unload(); }

    // A list view of w x h pixels with black text, read from a property set.
    YListView& Place(int w, int h, host::PropertyBag bag = host::PropertyBag())
    {
        if (!bag.has(L"ForeColor"))
            bag.set(L"ForeColor", std::int64_t{0});
        YListView& lv = form.AddControl<YListView>(L"YListView1", 150, 150, w * 15, h * 15, &bag);
        lv.HeaderClick.connect([this](std::int32_t c) { events.push_back("H" + std::to_string(c)); });
        lv.ItemClick.connect([this](std::int32_t i) { events.push_back("I" + std::to_string(i)); });
        return lv;
    }

    // The font's height every fixed coordinate below rests on.
    static void CheckTextHeight() { ASSERT_EQ(PlatformTextHeight(), kTextHeight) << "the coordinates below assume this font"; }

    // A report's geometry worked out by hand: header cells from y 2, hh
    // high; rows from y hh + 2, rh high; columns of 100 from x 2.
    struct Report {
        int hh, rh;
        int RowTop(int viewRow) const { return hh + 2 + viewRow * rh; }
        POINT Row(int viewRow, int x = 150) const { return {x, RowTop(viewRow) + rh / 2}; }
        POINT Header(int column) const { return {2 + 100 * column + 50, 2 + hh / 2}; }
    };

    static void Click(HWND h, POINT p)
    {
        Press(h, p.x, p.y);
        Release(h, p.x, p.y);
    }

    // Three 100-pixel columns and n gallery rows, laid out now.
    YListView& FilledReport(int rows)
    {
        auto& lv = Place(340, 200);
        for (int i = 0; i < 3; ++i)
            lv.AddHeaderItem(L"H", 100, nullptr, nullptr);
        GalleryRows(lv, rows);
        lv.LayoutNow();
        return lv;
    }

    // Fills like the gallery: n items of two sub-items each.
    void GalleryRows(YListView& lv, int n)
    {
        for (int i = 0; i < n; ++i) {
            lv.AddListItem(L"列表项" + std::to_wstring(i), small, big);
            lv.AddListSubItem(i, L"列表项" + std::to_wstring(i) + L"子项1", small);
            lv.AddListSubItem(i, L"列表项" + std::to_wstring(i) + L"子项2", small);
        }
    }

    host::Form form{L"frmTest"};
    host::PictureRef small, big;
    std::vector<std::string> events;
};

TEST_F(ListViewWindows, PlacedControlIsAYListViewWithHiddenBars)
{
    auto& lv = Place(300, 200);
    wchar_t cls[64] = {};
    ::GetClassNameW(lv.hWnd(), cls, 64);
    EXPECT_STREQ(L"YListView", cls);
    wchar_t text[64] = {};
    ::GetWindowTextW(lv.hWnd(), text, 64);
    EXPECT_STREQ(L"YListView1", text);
    EXPECT_FALSE(lv.VScroll().Visible());
    EXPECT_FALSE(lv.HScroll().Visible());
    EXPECT_EQ(0, lv.FocusIndex());
    EXPECT_FALSE(lv.LayoutPending());
    EXPECT_GT(lv.TextHeight(), 0);
}

TEST_F(ListViewWindows, TooSmallAControlGrowsToTheMinimum)
{
    auto& lv = Place(50, 60);
    EXPECT_EQ(98, lv.ScaleWidth());
    EXPECT_EQ(104, lv.ScaleHeight());
}

TEST_F(ListViewWindows, ABurstOfAdditionsIsLaidOutOnceAfterIt)
{
    auto& lv = Place(300, 200);
    for (int i = 0; i < 4; ++i)
        lv.AddHeaderItem(L"列表头" + std::to_wstring(i), 100, nullptr, big);
    GalleryRows(lv, 30);
    EXPECT_TRUE(lv.LayoutPending());
    EXPECT_FALSE(lv.VScroll().Visible()) << "nothing is laid out during the burst";
    const DWORD start = ::GetTickCount();
    ASSERT_TRUE(PumpUntil([&] { return !lv.LayoutPending(); }, 2000));
    EXPECT_GE(::GetTickCount() - start, 90u);
    EXPECT_TRUE(lv.VScroll().Visible());
    EXPECT_TRUE(lv.HScroll().Visible());
    // (200 - 4 - 26) / 22 = 7 rest 16: 8 rows, the control snaps to
    // 8 x 22 + 26 + 4 = 206, and the horizontal bar takes one row.
    EXPECT_EQ(206, lv.ScaleHeight()) << "snapped to whole rows";
    EXPECT_EQ(7, lv.Model().PageRows()) << "one row lies under the horizontal bar";
    EXPECT_EQ(30 - 7, lv.VScroll().MaxV());
}

TEST_F(ListViewWindows, FourWideColumnsInA300PixelControlShowTheHorizontalBar)
{
    auto& lv = Place(300, 200);
    for (int i = 0; i < 4; ++i)
        lv.AddHeaderItem(L"H" + std::to_wstring(i), 100, nullptr, nullptr);
    lv.LayoutNow();
    EXPECT_TRUE(lv.HScroll().Visible());
    EXPECT_FALSE(lv.VScroll().Visible());
    EXPECT_EQ(125, lv.HScroll().MaxV());
    RECT bar{};
    ::GetWindowRect(lv.HScroll().hWnd(), &bar);
    ::MapWindowPoints(nullptr, lv.hWnd(), reinterpret_cast<POINT*>(&bar), 2);
    EXPECT_EQ(lv.ScaleHeight() - 20, bar.top);
    EXPECT_EQ(2, bar.left);
    EXPECT_EQ(296, bar.right - bar.left);
}

TEST_F(ListViewWindows, DraggingADividerResizesWithTheSizingCursorAndNoHeaderClick)
{
    auto& lv = Place(300, 200);
    for (int i = 0; i < 4; ++i)
        lv.AddHeaderItem(L"H" + std::to_wstring(i), 100, nullptr, nullptr);
    lv.LayoutNow();
    lv.HScroll().SetValue(100);
    const HWND h = lv.hWnd();
    const int edge = 2 - 100 + 200;  // column 1's right edge on screen
    const int y = 12;                // in the header (20 high from y 2)

    MoveMouse(h, edge - 3, y);
    EXPECT_EQ(9, lv.MousePointer()) << "sizing cursor over a divider";
    Press(h, edge - 3, y);
    EXPECT_TRUE(lv.Model().Resizing());
    MoveMouse(h, edge - 43, y, MK_LBUTTON);
    EXPECT_EQ(60, lv.Model().Store().Header(1).width);
    EXPECT_EQ(60, lv.HScroll().Value()) << "pulled back by the 40 pixels the table lost";
    MoveMouse(h, edge - 400 + 65536, y, MK_LBUTTON);  // far left, as a 16-bit word
    EXPECT_EQ(20, lv.Model().Store().Header(1).width) << "never below 20";
    EXPECT_EQ(20, lv.HScroll().Value());
    EXPECT_EQ(45, lv.HScroll().MaxV());
    Release(h, 10, y);
    EXPECT_FALSE(lv.Model().Resizing());
    EXPECT_TRUE(events.empty()) << events.size() << " events during the drag";
    MoveMouse(h, 152, y);  // the middle of column 2 (102..202 after the drag)
    EXPECT_EQ(0, lv.MousePointer());
}

TEST_F(ListViewWindows, ClicksOnHeadersAndRowsRaiseTheirEvents)
{
    auto& lv = Place(340, 200);
    for (int i = 0; i < 3; ++i)
        lv.AddHeaderItem(L"列表头" + std::to_wstring(i), 100, nullptr, big);
    GalleryRows(lv, 10);
    lv.LayoutNow();
    CheckTextHeight();
    const Report g{26, 22};  // big header icons, small item icons
    const HWND h = lv.hWnd();
    Click(h, g.Header(2));
    Click(h, g.Row(3));
    const POINT p = g.Row(4);
    ::SendMessageW(h, WM_LBUTTONDBLCLK, MK_LBUTTON, hosttest::At(p.x, p.y));
    Click(h, {1, 60});  // the frame: nothing
    EXPECT_EQ((std::vector<std::string>{"H2", "I3", "I4"}), events);
    EXPECT_EQ(4, lv.FocusIndex());
    EXPECT_EQ(L"列表头2", lv.HeaderItem(2));
    EXPECT_EQ(L"列表项4子项2", lv.SubItem(4, 1));
}

TEST_F(ListViewWindows, WheelScrollsThreeRowsWhileTheBarShows)
{
    auto& lv = FilledReport(30);
    ASSERT_TRUE(lv.VScroll().Visible());
    ::SendMessageW(lv.hWnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), hosttest::At(50, 50));
    EXPECT_EQ(3, lv.VScroll().Value());
    ::SendMessageW(lv.hWnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), hosttest::At(50, 50));
    EXPECT_EQ(0, lv.VScroll().Value());
}

TEST_F(ListViewWindows, RemovalsMoveTheViewAndEmptyingSchedulesALayout)
{
    auto& lv = FilledReport(30);
    const std::int32_t bottom = lv.VScroll().MaxV();
    lv.VScroll().SetValue(bottom);
    lv.RemoveListItem(9);
    lv.RemoveListItem(8);
    EXPECT_EQ(L"列表项10", lv.ListItem(8));
    ASSERT_TRUE(PumpUntil([&] { return !lv.LayoutPending(); }, 2000));
    EXPECT_EQ(bottom - 2, lv.VScroll().Value());
    EXPECT_EQ(bottom - 2, lv.VScroll().MaxV());
    while (lv.Model().ItemCount() > 1)
        lv.RemoveListItem(0);
    lv.LayoutNow();
    lv.RemoveListItem(0);
    EXPECT_EQ(0, lv.Model().ItemCount());
    EXPECT_TRUE(lv.LayoutPending());
    ASSERT_TRUE(PumpUntil([&] { return !lv.LayoutPending(); }, 2000));
    EXPECT_FALSE(lv.VScroll().Visible());
    EXPECT_THROW(lv.ListItem(0), std::out_of_range);
}

TEST_F(ListViewWindows, ReportPaintsHeadersRowsIconsAndOnlyExistingCells)
{
    auto& lv = Place(340, 200);
    lv.AddHeaderItem(L"名称", 100, small, nullptr);
    lv.AddHeaderItem(L"A", 100, nullptr, nullptr);
    lv.AddHeaderItem(L"B", 100, nullptr, nullptr);
    for (int i = 0; i < 4; ++i) {
        lv.AddListItem(L"甲乙", small, nullptr);
        for (int s = 0; s < i && s < 2; ++s)
            lv.AddListSubItem(i, L"丙丁", nullptr);
    }
    lv.LayoutNow();
    CheckTextHeight();
    const Report g{22, 22};  // a small header icon, small item icons
    MoveMouse(lv.hWnd(), 320, g.Row(2).y);
    ASSERT_EQ(2, lv.Model().HoverItem());
    Frame f(lv.hWnd());

    EXPECT_EQ(Hex(kFrame), Hex(f(0, 0))) << "outer frame";
    EXPECT_EQ(Hex(want::kViewHeaderInside), Hex(f(197, 5))) << "header cell";
    const int upper = 4;  // into the upper half of a row's box
    EXPECT_EQ(Hex(want::kViewFocusBody), Hex(f(320, g.RowTop(0) + upper))) << "item 0 is focused from the start";
    EXPECT_EQ(Hex(kWhite), Hex(f(320, g.RowTop(1) + upper))) << "plain row";
    EXPECT_EQ(Hex(want::kViewRowHoverBody), Hex(f(320, g.RowTop(2) + upper))) << "hovered row";
    // Icons at x 2 + 3, centred: the top at 2 + (22 - 16) / 2 = 5 in the header.
    EXPECT_EQ(Hex(kGreen), Hex(f(5 + 8, 5 + 8))) << "header's small icon";
    EXPECT_EQ(Hex(kWhite), Hex(f(5 + 8, 5 - 2))) << "above the header's icon";
    EXPECT_EQ(Hex(kGreen), Hex(f(5 + 8, g.RowTop(3) + 3 + 8))) << "item's small icon";

    // Text cells: a cell shows text exactly when the item has that sub-item.
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col) {
            const bool filled = col == 0 || col <= row;
            const int left = 2 + 100 * col;
            const int dark = DarkPixels(f, left + 3, g.RowTop(row) + 1, left + 100 - 1, g.RowTop(row) + g.rh - 1);
            EXPECT_EQ(filled, dark > 0) << "row " << row << " column " << col << ": " << dark << " dark pixels";
        }
}

TEST_F(ListViewWindows, HoveredHeaderIsDrawnInItsColour)
{
    auto& lv = Place(340, 200);
    for (int i = 0; i < 3; ++i)
        lv.AddHeaderItem(L"H", 100, nullptr, nullptr);
    lv.LayoutNow();
    MoveMouse(lv.hWnd(), 152, 12);  // column 1 (102..202), in the header
    ASSERT_EQ(1, lv.Model().HoverHeader());
    Frame f(lv.hWnd());
    EXPECT_EQ(Hex(want::kViewHeaderInside), Hex(f(97, 5)));
    EXPECT_EQ(Hex(want::kViewHeaderHoverInside), Hex(f(197, 5)));
    ::SendMessageW(lv.hWnd(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(-1, lv.Model().HoverHeader());
    Frame after(lv.hWnd());
    EXPECT_EQ(Hex(want::kViewHeaderInside), Hex(after(197, 5)));
}

TEST_F(ListViewWindows, GridAndListModesPaintCellsAndHitThem)
{
    auto& lv = Place(300, 200);
    for (int i = 0; i < 7; ++i)
        lv.AddListItem(L"a", nullptr, i == 1 ? big : nullptr);
    lv.SetDisMode(2);  // big-icon grid: cells 66 wide, rows 42 high and 44 apart
    CheckTextHeight();
    const int rh2 = 42;
    {
        Frame f(lv.hWnd());
        EXPECT_EQ(Hex(want::kViewFocusBody), Hex(f(2 + 6, 2 + 4))) << "focused cell 0";
        EXPECT_EQ(Hex(kBlue), Hex(f(66 + 24 + 10, 2 + 3 + 10))) << "item 1's big icon";
        EXPECT_EQ(Hex(kWhite), Hex(f(132 + 24 + 10, 2 + 3 + 10))) << "item 2 has no icon";
    }
    Click(lv.hWnd(), {66 * 2 + 30, 2 + rh2 + 2 + 5});  // second grid row, third cell
    EXPECT_EQ((std::vector<std::string>{"I6"}), events);
    EXPECT_EQ(6, lv.FocusIndex());

    lv.SetDisMode(3);  // list: one 80-pixel column
    EXPECT_EQ(0, lv.FocusIndex()) << "a mode change resets the focus";
    const int rh = 22;
    MoveMouse(lv.hWnd(), 200, 2 + rh + 3);
    ASSERT_EQ(1, lv.Model().HoverItem());
    Frame f(lv.hWnd());
    EXPECT_EQ(Hex(want::kViewFocusBody), Hex(f(8, 2 + 4)));
    EXPECT_EQ(Hex(want::kViewHeaderHoverBody), Hex(f(8, 2 + rh + 4))) << "hovered row";
    EXPECT_EQ(Hex(kWhite), Hex(f(90, 2 + rh + 4))) << "the column ends at 82";
    EXPECT_EQ(L"", lv.SubItem(0, 0));
}

TEST_F(ListViewWindows, ClearLeavesAnEmptyFrame)
{
    auto& lv = FilledReport(30);
    lv.VScroll().SetValue(5);
    const int headerY = 5, rowY = 20 + 2 + 4;  // item 5 is the top row now
    {
        Frame f(lv.hWnd());
        ASSERT_EQ(Hex(want::kViewHeaderInside), Hex(f(95, headerY)));
    }
    lv.Clear();
    EXPECT_FALSE(lv.VScroll().Visible());
    EXPECT_EQ(0, lv.VScroll().Value());
    EXPECT_EQ(0, lv.Model().HeaderCount());
    Frame f(lv.hWnd());
    EXPECT_EQ(Hex(kWhite), Hex(f(95, headerY)));
    EXPECT_EQ(Hex(kWhite), Hex(f(50, rowY)));
    EXPECT_EQ(Hex(kFrame), Hex(f(0, 50)));
}

TEST_F(ListViewWindows, PropertiesAreReadAndWrittenInOrder)
{
    host::PropertyBag bag;
    bag.set(L"IsTextMode", true);
    bag.set(L"DisMode", std::int64_t{3});
    bag.set(L"ForeColor", std::int64_t{0x00123456});
    auto& lv = Place(300, 200, bag);
    EXPECT_TRUE(lv.IsTextMode());
    EXPECT_EQ(3, lv.DisMode());
    EXPECT_EQ(0x00123456u, lv.ForeColor());
    const host::PropertyBag saved = lv.SaveBag();
    EXPECT_EQ((std::vector<std::wstring>{L"Font", L"BackColor", L"ForeColor", L"IsTextMode", L"DisMode"}),
              saved.keys());
    EXPECT_EQ(3, saved.readLong(L"DisMode", 0));
    EXPECT_TRUE(saved.readBool(L"IsTextMode", false));
}

// Boundary pixels of the report's hit test, for three 100-pixel columns and
// items without icons: the header is y 3..21, item i covers y 22 + 20i ..
// 41 + 20i, and within 6 pixels of a column's right edge (102, 202, 302) a
// press grabs the divider instead of the header.
TEST_F(ListViewWindows, ReportHitZonesEndOnTheirBoundaryPixels)
{
    auto& lv = Place(340, 200);
    for (int i = 0; i < 3; ++i)
        lv.AddHeaderItem(L"H", 100, nullptr, nullptr);
    for (int i = 0; i < 5; ++i)
        lv.AddListItem(L"a", nullptr, nullptr);
    lv.LayoutNow();
    CheckTextHeight();
    const struct {
        int x, y;
        const char* want;  // the event raised, "" for none
    } cases[] = {
        {2, 10, ""},     // the frame
        {3, 10, "H0"},   // first pixel inside
        {95, 10, "H0"},  // 7 pixels before column 0's right edge
        {96, 10, ""},    // the divider's zone begins
        {108, 10, ""},   // ... and ends
        {109, 10, "H1"},
        {50, 2, ""},     // above the header
        {50, 3, "H0"},
        {50, 21, "H0"},  // the header's last row
        {50, 22, "I0"},  // item 0's first row
        {50, 41, "I0"},
        {50, 42, "I1"},
        {50, 121, "I4"},
        {50, 122, ""},   // below the last item
    };
    for (const auto& c : cases) {
        events.clear();
        Click(lv.hWnd(), {c.x, c.y});
        EXPECT_EQ(Join(events), c.want[0] ? std::string(c.want) + "\n" : "") << "at " << c.x << "," << c.y;
        EXPECT_FALSE(lv.Model().Resizing()) << "a release ends any divider drag";
    }
}

} // namespace

namespace {

TEST_F(ListViewWindows, AtDesignTimeItPaintsWithoutAHookAndIgnoresClicks)
{
    host::SetDesignMode(true);
    struct Restore {
        ~Restore() { host::SetDesignMode(false); }
    } restore;
    auto& lv = Place(340, 200);
    for (int i = 0; i < 3; ++i)
        lv.AddHeaderItem(L"H", 100, nullptr, nullptr);
    GalleryRows(lv, 5);
    lv.LayoutNow();
    const Report g{20, 22};  // headers without icons, small item icons
    Click(lv.hWnd(), g.Row(1));
    EXPECT_TRUE(events.empty()) << "no hook, no events";
    EXPECT_EQ(0, lv.FocusIndex());
    ::RedrawWindow(lv.hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = ::GetDC(lv.hWnd());
    EXPECT_EQ(Hex(want::kViewFocusBody), Hex(::GetPixel(dc, 320, g.RowTop(0) + 4))) << "painted by the paint event";
    EXPECT_EQ(Hex(want::kViewHeaderInside), Hex(::GetPixel(dc, 97, 5)));
    ::ReleaseDC(lv.hWnd(), dc);
}

// The layout follows the last change of a burst by 100 ms, however the
// burst lies against the timer's own period. Here the last change comes just
// after the first: a timer that is not restarted finds the burst still young
// on its first tick and lays out only on its second, 190 ms after it.
TEST_F(ListViewWindows, TheLayoutRuns100MsAfterTheLastChange)
{
    auto& lv = Place(300, 200);
    lv.AddHeaderItem(L"H", 100, nullptr, nullptr);
    lv.AddListItem(L"first", nullptr, nullptr);
    const DWORD first = ::GetTickCount();
    PumpUntil([&] { return ::GetTickCount() - first >= 10; }, 100);
    lv.AddListItem(L"last", nullptr, nullptr);
    const DWORD last = ::GetTickCount();
    ASSERT_TRUE(PumpUntil([&] { return !lv.LayoutPending(); }, 2000));
    const DWORD after = ::GetTickCount() - last;
    EXPECT_GE(after, 85u) << "laid out before the burst was over";
    // Generous against a busy machine, yet below the second period.
    EXPECT_LT(after, 175u) << "laid out " << after << " ms after the last change";
}

} // namespace

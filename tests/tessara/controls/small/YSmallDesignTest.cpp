// At design time the controls hook nothing and paint through their
// ordinary paint event with the same painter.
#include "ExpectedColours.h"
#include "SmallTestSupport.h"

#include "tessara/controls/small/YCheck.h"
#include "tessara/controls/grouplist/YGroupList.h"
#include "tessara/controls/small/YProgress.h"
#include "tessara/controls/tab/YTab.h"

#include "host/Host.h"

using namespace smalltest;

namespace {

class DesignTime : public FormTest {
protected:
    void SetUp() override
    {
        host::SetDesignMode(true);
        FormTest::SetUp();
    }
    void TearDown() override
    {
        FormTest::TearDown();
        host::SetDesignMode(false);
    }
};

TEST_F(DesignTime, ControlsPaintThroughTheirPaintEventAndIgnoreTheMouse)
{
    host::PropertyBag tabBag;
    tabBag.set(L"BackColor", std::int64_t{0x00406080});
    auto& tab = form.AddControl<tessara::YTab>(L"YTab1", 150, 150, 257 * 15, 137 * 15, &tabBag);
    tab.AddItem(L"A");
    tab.AddItem(L"B");
    ASSERT_TRUE(PumpUntil([&] { return !tab.LayoutPending(); }, 2000));
    EXPECT_EQ(hosttest::PixelAt(tab.hWnd(), 200, 5), 0x00406080u) << "the band, painted at design time";
    EXPECT_EQ(hosttest::PixelAt(tab.hWnd(), 3, 5), want::kSelectedUpper);
    hosttest::ClickAt(tab.hWnd(), 60, 10);
    EXPECT_EQ(tab.SelectedTab(), 0) << "no hook at design time";

    const host::PropertyBag none;
    auto& list = form.AddControl<tessara::YGroupList>(L"YGroupList1", 4500, 150, 129 * 15, 146 * 15, &none);
    EXPECT_EQ(hosttest::PixelAt(list.hWnd(), 0, 0), want::kGroupBorder);
    EXPECT_EQ(hosttest::PixelAt(list.hWnd(), 60, 60), 0x00FFFFFFu);
    list.SetItemHeight(30);
    EXPECT_EQ(list.ItemHeight(), 20) << "the row height changes only at run time";

    host::PropertyBag barBag;
    barBag.set(L"Value", std::int64_t{50});
    barBag.set(L"BackColor", std::int64_t{0x00406080});
    auto& bar = form.AddControl<tessara::YProgress>(L"YProgress1", 150, 2400, 102 * 15, 9 * 15, &barBag);
    EXPECT_EQ(hosttest::PixelAt(bar.hWnd(), 10, 1), 0x00FFD6B3u) << "the fill";
    EXPECT_EQ(hosttest::PixelAt(bar.hWnd(), 60, 4), 0x00406080u) << "behind the bar";

    host::PropertyBag checkBag;
    checkBag.set(L"Caption", std::wstring(L"C"));
    auto& check = form.AddControl<tessara::YCheck>(L"YCheck1", 150, 2700, 73 * 15, 33 * 15, &checkBag);
    EXPECT_EQ(hosttest::PixelAt(check.hWnd(), 2, 15), want::kFaceBlue) << "the box's frame";
    hosttest::ClickAt(check.hWnd(), 5, 16);
    EXPECT_EQ(check.Value(), 0) << "no hook at design time";
}

} // namespace

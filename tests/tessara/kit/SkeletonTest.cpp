// The control skeleton in real windows: the frame's surface kept from paint
// to paint and freed with the control, no erasing under a full frame, and a
// form's load laid out for the first frame while bursts on screen wait.
#include "GdiCount.h"
#include "WindowPixels.h"

#include "tests/host/HostTestSupport.h"

#include "tessara/kit/ControlSkeleton.h"
#include "tessara/kit/MdlGDI.h"
#include "tessara/kit/MdlMemDC.h"

#include "host/Host.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

using hosttest::PumpUntil;

constexpr COLORREF kFill = RGB(10, 200, 30);

// A control that fills its frame and counts its frames and layouts.
class Probe : public kit::ControlSkeleton {
public:
    Probe() : ControlSkeleton(L"YSkeletonProbe", {WM_PAINT}) {}
    void Change() { DeferLayout(); }
    int frames = 0;
    int layouts = 0;
    int layoutsAtFirstFrame = -1;

protected:
    void PaintTo(HDC dc, int width, int height) override
    {
        if (frames++ == 0)
            layoutsAtFirstFrame = layouts;
        kit::FillRectColor(dc, 0, 0, width, height, kFill);
    }
    void RunLayout() override { ++layouts; }
};

// Runs messages for ms milliseconds: for checks that something does not
// happen within that time.
void Pump(int ms)
{
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < static_cast<DWORD>(ms)) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        host::DoEvents();
    }
}

using kittest::Repaint;
using kittest::WindowPixel;

struct Skeleton : ::testing::Test {
    host::Form form{L"frmSkeleton"};
    void TearDown() override { form.Unload(); }
};

TEST_F(Skeleton, TheFramesSurfaceLivesFromPaintToPaintAndGoesWithTheControl)
{
    form.Show();
    const kit::OpenSurfaceFigures before = kit::OpenSurfaces();
    auto& probe = form.AddControl<Probe>(L"Probe1", 150, 150, 60 * 15, 40 * 15);
    ASSERT_TRUE(PumpUntil([&] { return probe.frames > 0; }, 2000));
    EXPECT_EQ(kit::OpenSurfaces().count, before.count + 1);
    EXPECT_EQ(kit::OpenSurfaces().bytes, before.bytes + 60.0 * 40 * 4);
    const int gdi = kittest::LiveGdiObjects();
    const int frames = probe.frames;
    for (int i = 0; i < 30; ++i)
        Repaint(probe.hWnd());
    EXPECT_EQ(probe.frames, frames + 30);
    EXPECT_EQ(kit::OpenSurfaces().count, before.count + 1) << "one surface, not one per paint";
    EXPECT_EQ(kittest::LiveGdiObjects(), gdi);
    EXPECT_EQ(WindowPixel(probe.hWnd(), 59, 39), kFill);

    probe.Move(150, 150, 90 * 15, 30 * 15);
    Repaint(probe.hWnd());
    EXPECT_EQ(kit::OpenSurfaces().count, before.count + 1) << "the old size's surface went";
    EXPECT_EQ(kit::OpenSurfaces().bytes, before.bytes + 90.0 * 30 * 4);
    EXPECT_EQ(WindowPixel(probe.hWnd(), 89, 29), kFill);

    form.RemoveControl(L"Probe1");
    Pump(30);
    EXPECT_EQ(kit::OpenSurfaces().count, before.count);
}

TEST_F(Skeleton, AFullFrameIsNotErasedFirst)
{
    form.Show();
    auto& probe = form.AddControl<Probe>(L"Probe1", 150, 150, 60 * 15, 40 * 15);
    HDC dc = kit::CreateMemDC(60, 40);
    ::SetPixelV(dc, 30, 20, RGB(1, 2, 3));
    EXPECT_EQ(::SendMessageW(probe.hWnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    EXPECT_EQ(::GetPixel(dc, 30, 20), RGB(1, 2, 3));
    kit::DeleteMemDC(dc);
}

TEST_F(Skeleton, ChangesOfTheLoadAreLaidOutForTheFirstFrame)
{
    // Filled while the form is not on screen yet, as a form's load does.
    auto& probe = form.AddControl<Probe>(L"Probe1", 150, 150, 60 * 15, 40 * 15);
    for (int i = 0; i < 10; ++i)
        probe.Change();
    EXPECT_TRUE(probe.LayoutPending());
    form.Show();
    ASSERT_TRUE(PumpUntil([&] { return probe.frames > 0; }, 2000));
    EXPECT_EQ(probe.layoutsAtFirstFrame, 1) << "the first frame shows the load laid out";
    EXPECT_FALSE(probe.LayoutPending());
    Pump(250);  // more than twice the layout delay
    EXPECT_EQ(probe.layouts, 1) << "and only once";
}

TEST_F(Skeleton, ABurstOnScreenWaitsForItsEndEvenBeforeTheFirstFrame)
{
    form.Show();
    auto& probe = form.AddControl<Probe>(L"Probe1", 150, 150, 60 * 15, 40 * 15);
    probe.Change();
    const DWORD start = ::GetTickCount();
    ASSERT_TRUE(PumpUntil([&] { return probe.frames > 0; }, 2000));
    EXPECT_EQ(probe.layoutsAtFirstFrame, 0);
    ASSERT_TRUE(PumpUntil([&] { return probe.layouts > 0; }, 2000));
    EXPECT_GE(::GetTickCount() - start, 90u);
    EXPECT_EQ(probe.layouts, 1);
}

} // namespace

// Every kit routine deletes what it creates: many calls leave the number of
// live GDI objects unchanged and nothing selected into the caller's surface.
#include "GdiCount.h"
#include "KitRoutines.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kCalls = 300;  // one object kept per call would show as 300

TEST(GdiBalance, TheMeasureSeesALeak)
{
    const int before = kittest::LiveGdiObjects();
    EXPECT_EQ(kittest::LiveGdiObjects(), before);
    std::vector<HBRUSH> kept;
    for (int i = 0; i < 5; ++i)
        kept.push_back(::CreateSolidBrush(0));
    EXPECT_NE(kittest::LiveGdiObjects(), before);
    for (HBRUSH b : kept)
        ::DeleteObject(b);
    EXPECT_EQ(kittest::LiveGdiObjects(), before);
}

TEST(GdiBalance, RoutinesCreateAndDeleteTheirOwnObjects)
{
    kittest::KitRoutines routines;
    HDC dc = routines.surface();
    ASSERT_NE(dc, nullptr);
    const HGDIOBJ brush = ::GetCurrentObject(dc, OBJ_BRUSH);
    const HGDIOBJ pen = ::GetCurrentObject(dc, OBJ_PEN);
    const HGDIOBJ bitmap = ::GetCurrentObject(dc, OBJ_BITMAP);
    const HGDIOBJ font = ::GetCurrentObject(dc, OBJ_FONT);
    for (const kittest::KitRoutine& r : routines.list()) {
        // The first call may fill the system's own caches (the screen's
        // device context, font data); those stay by design.
        r.call();
        const int before = kittest::LiveGdiObjects();
        for (int i = 0; i < kCalls; ++i)
            r.call();
        EXPECT_EQ(kittest::LiveGdiObjects(), before) << r.name;
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_BRUSH), brush) << r.name;
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), pen) << r.name;
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_BITMAP), bitmap) << r.name;
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), font) << r.name;
    }
}

} // namespace

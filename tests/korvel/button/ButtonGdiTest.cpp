// Painting and property changes give back every GDI object they make, and
// the picture is prepared once per size or picture change.
#include "ButtonTestSupport.h"
#include "GdiCount.h"
#include "TestPictures.h"

using namespace kxtest;
using namespace kx;

namespace {

class Gdi : public ButtonForm {};

}  // namespace

TEST_F(Gdi, RepaintsAndPropertyChangesLeaveNoObjectsBehind)
{
    auto pic = SolidBitmap(20, 20, 0x008000);
    auto pic2 = SolidBitmap(16, 16, 0x0000C8);
    auto& rect = Add(L"kxButtons_H1", 90, 30);
    rect.SetButtonStyle(2);
    rect.SetPicture(pic);
    rect.SetCaptionStyle(1);
    auto& oval = Add(L"kxButtons_H2", 60, 30, 10, 50);
    oval.SetButtonShape(5);
    oval.SetMode(2);
    oval.SetValue(true);
    auto& shaped = Add(L"kxButtons_H3", 20, 20, 10, 90);
    shaped.SetPicture(pic);
    shaped.SetButtonShape(8);
    auto& disabled = Add(L"kxButtons_H4", 90, 30, 10, 120);
    disabled.SetPicture(pic2);
    disabled.SetEnabled(false);
    disabled.SetGradientMode(1);
    disabled.SetGradientColor(0xFF0000);
    for (kx::kxButtons_H* b : {&rect, &oval, &shaped, &disabled})
        b->Refresh();

    const int before = kittest::LiveGdiObjects();
    kx::kxButtons_H* all[] = {&rect, &oval, &shaped, &disabled};
    // A paint that kept one object would show here; bench/kx_button_bench
    // prints the figures for 10,000 repaints.
    for (int i = 0; i < 2000; ++i) {
        kx::kxButtons_H& b = *all[i % 4];
        const std::uint16_t bits = (i / 4) % 3 == 0 ? 0 : (i / 4) % 3 == 1 ? kBitOver : (kBitPressed | kBitOver);
        b.ShowLookState(static_cast<std::uint16_t>(bits | ((i / 12) % 2 ? kBitDefaultFrame : 0)), bits != 0,
                        bits == (kBitPressed | kBitOver));
    }
    EXPECT_EQ(kittest::LiveGdiObjects() - before, 0) << "after 2,000 repaints";

    auto change = [&](int i) {
        switch (i % 10) {
        case 0: rect.SetButtonStyle((i / 10) % 8); break;
        case 1: rect.SetButtonShape((i / 10) % 7); break;
        case 2: rect.SetCaption(i % 20 ? L"One||Two" : L"&Three"); break;
        case 3: rect.SetFontStyle((i / 10) % 16); break;
        case 4: rect.SetPictureSize((i / 10) % 5); break;
        case 5: rect.SetPicture(i % 20 ? pic2 : pic); break;
        case 6: rect.SetGradientMode((i / 10) % 5); break;
        case 7: rect.SetBackColor(static_cast<host::Colour>(i * 997)); break;
        case 8: rect.SetEnabled(i % 20 != 0); break;
        case 9: oval.SetButtonShape(4 + (i / 10) % 3); break;
        }
    };
    // Back to the starting properties: an oval, for one, keeps two inner
    // regions while it is one, so only equal states hold equal objects.
    auto restore = [&] {
        rect.SetButtonStyle(2);
        rect.SetButtonShape(0);
        rect.SetCaption(L"kxButtons_H1");
        rect.SetFontStyle(0);
        rect.SetPictureSize(0);
        rect.SetPicture(pic);
        rect.SetGradientMode(0);
        rect.SetEnabled(true);
        oval.SetButtonShape(5);
    };
    // One round through every state first: the platform keeps a clip
    // region for a window once it has a shaped region, once.
    for (int i = 0; i < 80; ++i)
        change(i);
    restore();
    const int settled = kittest::LiveGdiObjects();
    for (int i = 0; i < 1000; ++i)
        change(i);
    restore();
    EXPECT_EQ(kittest::LiveGdiObjects() - settled, 0) << "after 1,000 property changes";
}

TEST_F(Gdi, PictureIsPreparedOncePerSizeOrPictureChange)
{
    auto pic = SolidBitmap(20, 20, 0x008000);
    auto& b = Add(L"kxButtons_H1", 90, 30);
    b.SetPicture(pic);
    const int prepared = b.PicturePreparations();
    ASSERT_GE(prepared, 1);
    for (int i = 0; i < 50; ++i) {
        b.ShowLookState(i % 2 ? kBitOver : 0, i % 2 != 0, false);
        b.SetCaption(i % 2 ? L"a" : L"b");
    }
    EXPECT_EQ(b.PicturePreparations(), prepared);
    b.SetPictureSize(2);  // a new size
    EXPECT_EQ(b.PicturePreparations(), prepared + 1);
    b.SetPicture(SolidBitmap(20, 20, 0x000080));
    EXPECT_EQ(b.PicturePreparations(), prepared + 2);
}

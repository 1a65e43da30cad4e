// The button's caption beyond its drawing: the window text that screen
// readers and automation find the button by, and the caption lying under a
// picture that covers the face.
#include "ButtonTestSupport.h"
#include "TestPictures.h"

using namespace kxtest;

namespace {

std::wstring WindowText(HWND h)
{
    wchar_t text[128] = {};
    GetWindowTextW(h, text, 128);
    return text;
}

using Caption = ButtonForm;

TEST_F(Caption, TheWindowTextIsTheCaptionKeptCurrent)
{
    host::PropertyBag saved;
    saved.set(L"Caption", std::wstring(L"取消"));
    auto& b = form->AddControl<kx::kxButtons_H>(L"cmdCancel", 150, 150, 1350, 420, &saved);
    EXPECT_EQ(WindowText(b.hWnd()), L"取消");
    EXPECT_EQ(FindWindowExW(form->hWnd(), nullptr, L"kxButtons_H", L"取消"), b.hWnd());
    EXPECT_EQ(host::ControlBase::InstanceNameOf(b.hWnd()), L"cmdCancel");
    EXPECT_EQ(b.Name(), L"cmdCancel");

    b.SetCaption(L"&Close||now");
    EXPECT_EQ(WindowText(b.hWnd()), L"&Close||now") << "the caption as set, access key marker and all";
    b.SetCaption(L"");
    EXPECT_EQ(WindowText(b.hWnd()), L"cmdCancel") << "without a caption, the instance name";
    b.SetCaption(L"关闭");
    EXPECT_EQ(WindowText(b.hWnd()), L"关闭");
    EXPECT_EQ(host::ControlBase::InstanceNameOf(b.hWnd()), L"cmdCancel");

    // A new placement takes its design name as caption.
    auto& fresh = Add(L"kxButtons_H7", 80, 24, 10, 100);
    EXPECT_EQ(fresh.Caption(), L"kxButtons_H7");
    EXPECT_EQ(WindowText(fresh.hWnd()), L"kxButtons_H7");
}

TEST_F(Caption, APictureThatCoversTheFaceLiesOverTheCaption)
{
    constexpr std::uint32_t kRed = 0x0000FF, kGreen = 0x00FF00;
    struct Case {
        const char* label;
        bool picture;
    };
    int y = 10;
    for (const Case& c : {Case{"no picture: the caption shows", false}, Case{"stretched picture on top", true}}) {
        SCOPED_TRACE(c.label);
        auto& b = Add(c.picture ? L"Covered" : L"Bare", 100, 30, 10, y);
        y += 40;
        b.SetForeColor(kRed);
        b.SetCaption(L"WWWW");
        if (c.picture) {
            b.SetPicture(SolidBitmap(20, 20, kGreen));
            b.SetPictureSize(3);   // 40: stretched over the face, inset by 3
        }
        const Frame f(b.hWnd());
        const RECT red = f.Find(kRed, 0, 0, 100, 30);
        if (c.picture) {
            EXPECT_TRUE(IsRectEmpty(&red)) << "caption pixels over the picture at " << red.left << "," << red.top;
            EXPECT_EQ(Hex(f.At(50, 15)), Hex(kGreen));
            EXPECT_EQ(Hex(f.At(4, 4)), Hex(kGreen));
            EXPECT_EQ(Hex(f.At(95, 25)), Hex(kGreen));
        } else {
            EXPECT_FALSE(IsRectEmpty(&red));
            EXPECT_LE(red.left, 50);
            EXPECT_GE(red.right, 50);
        }
    }
}

}  // namespace

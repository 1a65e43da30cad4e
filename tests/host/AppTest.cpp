// Application services: colour translation, pictures from resources and
// handles, fonts and the program's message loop.
#include "HostTestSupport.h"

#include <gtest/gtest.h>

#include <ole2.h>
#include <olectl.h>

#include <vector>

using namespace hosttest;

namespace {

TEST(Colours, SystemColoursGoThroughTheSystemAndOthersStay)
{
    EXPECT_EQ(host::TranslateColour(0x8000000F), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(host::TranslateColour(0x80000012), GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(host::TranslateColour(0x00FFD6B3), RGB(0xB3, 0xD6, 0xFF));
    EXPECT_EQ(host::TranslateColour(0x800000FF), 0u);  // no such system colour: black
}

// The host translates stored colours itself (the program need not load OLE
// to start); the platform's translation is the oracle, colour by colour.
TEST(Colours, TranslatedAsThePlatformTranslatesStoredColours)
{
    std::vector<host::Colour> colours;
    for (host::Colour index = 0; index <= 40; ++index)
        colours.push_back(0x80000000u | index);
    for (host::Colour c : {0x00000000u, 0x00123456u, 0x01000005u, 0x02123456u, 0x03123456u, 0x7F123456u,
                           0x81000005u, 0xFF000005u, 0x80010005u, 0x80000105u, 0x8000FFFFu})
        colours.push_back(c);
    for (host::Colour c : colours) {
        COLORREF platform = 0;
        if (OleTranslateColor(static_cast<OLE_COLOR>(c), nullptr, &platform) != S_OK)
            platform = host::IsSystemColour(c) ? 0 : (c & 0x00FFFFFF);
        EXPECT_EQ(host::TranslateColour(c), platform) << std::hex << c;
    }
}

TEST(Pictures, ResourcesByNameAndNumberWithTheirSizes)
{
    struct Case {
        const char* label;
        host::PictureRef pic;
        host::Picture::Type type;
        int w, h;
        const wchar_t* source;
    };
    const Case cases[] = {
        {"bitmap by name", host::LoadBitmapPicture(L"REDBMP"), host::Picture::Type::Bitmap, 4, 3, L"REDBMP"},
        {"icon by number", host::LoadIconPicture(101), host::Picture::Type::Icon, 16, 16, L"#101"},
        {"cursor by name", host::LoadCursorPicture(L"POINTER"), host::Picture::Type::Cursor, 16, 16, L"POINTER"},
        {"any kind, bitmap", host::LoadPictureResource(L"REDBMP"), host::Picture::Type::Bitmap, 4, 3, L"REDBMP"},
        {"any kind, icon", host::LoadPictureResource(L"#101"), host::Picture::Type::Icon, 16, 16, L"#101"},
        {"any kind, cursor", host::LoadPictureResource(L"POINTER"), host::Picture::Type::Cursor, 16, 16, L"POINTER"},
    };
    for (const Case& c : cases) {
        ASSERT_NE(c.pic, nullptr) << c.label;
        EXPECT_EQ(c.pic->type, c.type) << c.label;
        EXPECT_EQ(c.pic->width, c.w) << c.label;
        EXPECT_EQ(c.pic->height, c.h) << c.label;
        EXPECT_EQ(c.pic->source, c.source) << c.label;
        EXPECT_NE(c.pic->handle, 0u) << c.label;
    }
    EXPECT_EQ(host::LoadPictureResource(L"NOTHING"), nullptr);
    EXPECT_EQ(host::LoadIconPicture(999), nullptr);
}

TEST(Pictures, AnOwnedHandleIsReleasedWithTheLastReference)
{
    HBITMAP bmp = CreateBitmap(5, 7, 1, 32, nullptr);
    host::PictureRef p = host::PictureFromHandle(bmp, host::Picture::Type::Bitmap);
    EXPECT_EQ(p->width, 5);
    EXPECT_EQ(p->height, 7);
    host::PictureRef copy = p;
    p.reset();
    EXPECT_EQ(GetObjectType(bmp), static_cast<DWORD>(OBJ_BITMAP));  // still referenced
    copy.reset();
    EXPECT_EQ(GetObjectType(bmp), 0u);

    HBITMAP kept = CreateBitmap(2, 2, 1, 32, nullptr);
    host::PictureFromHandle(kept, host::Picture::Type::Bitmap, false).reset();
    EXPECT_EQ(GetObjectType(kept), static_cast<DWORD>(OBJ_BITMAP));  // not owned: left alone
    DeleteObject(kept);
}

TEST(Fonts, AFontObjectBecomesAGdiFont)
{
    host::Font f;
    f.name = L"Tahoma";
    f.size = 12;
    f.bold = true;
    f.italic = true;
    HFONT h = host::CreateFontHandle(f);
    LOGFONTW lf = {};
    ASSERT_TRUE(GetObjectW(h, sizeof lf, &lf));
    EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_EQ(lf.lfCharSet, 134);
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(lf.lfHeight, -MulDiv(12, dpi, 72));
    DeleteObject(h);
}

TEST(MessageLoop, RunsUntilTheLastFormUnloads)
{
    host::Form a(L"frmA"), b(L"frmB");
    a.Show();
    b.Show();
    host::Timer t(10, true);
    int ticks = 0;
    t.Tick.connect([&] {
        ++ticks;
        if (ticks == 1)
            a.Unload();
        if (ticks == 2)
            SendMessageW(b.hWnd(), WM_CLOSE, 0, 0);  // the user closes the last one
    });
    host::RunMessageLoop();
    EXPECT_EQ(ticks, 2);
    EXPECT_TRUE(host::Form::LoadedForms().empty());
}

TEST(MessageLoop, DoEventsRunsWhatIsWaitingAndReturns)
{
    host::Form f(L"frmA");
    f.Show();
    int calls = 0;
    host::Label& l = f.AddControl<host::Label>(L"Label1", 0, 0, 600, 300);
    l.Click.connect([&] { ++calls; });
    PostMessageW(l.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(1, 1));
    PostMessageW(l.hWnd(), WM_LBUTTONUP, 0, At(1, 1));
    EXPECT_EQ(calls, 0);
    host::DoEvents();
    EXPECT_EQ(calls, 1);
    f.Unload();
}

} // namespace

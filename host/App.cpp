// Application-wide services of the host.
#include "App.h"

#include "Control.h"
#include "Form.h"
#include "UserControl.h"

#include <ole2.h>
#include <olectl.h>

#include <cwchar>

namespace host {

namespace {

std::wstring& TitleStore()
{
    static std::wstring title = [] {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring p = path;
        auto slash = p.find_last_of(L"\\/");
        if (slash != std::wstring::npos)
            p = p.substr(slash + 1);
        auto dot = p.find_last_of(L'.');
        if (dot != std::wstring::npos)
            p = p.substr(0, dot);
        return p;
    }();
    return title;
}

std::function<void(const MessageBoxRecord&)>& Sink()
{
    static std::function<void(const MessageBoxRecord&)> sink;
    return sink;
}

bool g_design = false;

void ReleasePicture(const Picture& p)
{
    switch (p.type) {
    case Picture::Type::Bitmap: DeleteObject(reinterpret_cast<HBITMAP>(p.handle)); break;
    case Picture::Type::Icon: DestroyIcon(reinterpret_cast<HICON>(p.handle)); break;
    case Picture::Type::Cursor: DestroyCursor(reinterpret_cast<HCURSOR>(p.handle)); break;
    default: break;
    }
}

void MeasurePicture(Picture& p)
{
    if (p.type == Picture::Type::Bitmap) {
        BITMAP bm = {};
        if (GetObjectW(reinterpret_cast<HBITMAP>(p.handle), sizeof bm, &bm)) {
            p.width = bm.bmWidth;
            p.height = bm.bmHeight;
        }
        return;
    }
    ICONINFO ii = {};
    if (GetIconInfo(reinterpret_cast<HICON>(p.handle), &ii)) {
        BITMAP bm = {};
        if (ii.hbmColor && GetObjectW(ii.hbmColor, sizeof bm, &bm)) {
            p.width = bm.bmWidth;
            p.height = bm.bmHeight;
        } else if (ii.hbmMask && GetObjectW(ii.hbmMask, sizeof bm, &bm)) {
            p.width = bm.bmWidth;
            p.height = bm.bmHeight / 2;  // mask-only: AND and XOR halves
        }
        if (ii.hbmColor)
            DeleteObject(ii.hbmColor);
        if (ii.hbmMask)
            DeleteObject(ii.hbmMask);
    }
}

// "#101" and numbers name resources by number.
LPCWSTR ResName(const std::wstring& name, int& id)
{
    id = 0;
    if (name.size() > 1 && name[0] == L'#') {
        id = _wtoi(name.c_str() + 1);
        return MAKEINTRESOURCEW(id);
    }
    return name.c_str();
}

PictureRef Loaded(HANDLE h, Picture::Type type, const std::wstring& source)
{
    if (!h)
        return nullptr;
    auto p = std::make_shared<Picture>();
    p->type = type;
    p->handle = reinterpret_cast<std::uintptr_t>(h);
    p->release = ReleasePicture;
    p->source = source;
    MeasurePicture(*p);
    return p;
}

std::wstring IdName(int id) { return L"#" + std::to_wstring(id); }

} // namespace

void SetAppTitle(const std::wstring& title) { TitleStore() = title; }
const std::wstring& AppTitle() { return TitleStore(); }

void SetMessageBoxSink(std::function<void(const MessageBoxRecord&)> sink) { Sink() = std::move(sink); }

int MsgBox(const std::wstring& text, MsgIcon icon, const std::wstring& title)
{
    MessageBoxRecord rec{text, title.empty() ? AppTitle() : title, icon};
    if (Sink()) {
        // Copy: the sink may replace itself.
        auto sink = Sink();
        sink(rec);
        return IDOK;
    }
    HWND owner = GetActiveWindow();
    MessageBoxW(owner, rec.text.c_str(), rec.title.c_str(), MB_OK | static_cast<UINT>(icon));
    return IDOK;
}

void SetDesignMode(bool design)
{
    if (g_design == design)
        return;
    g_design = design;
    // Copy: a handler may create or destroy controls.
    auto live = UserControl::Live();
    for (UserControl* c : live)
        c->NotifyAmbientChanged(L"UserMode");
}

bool DesignMode() { return g_design; }

namespace {
// The last index the platform translates as a system colour.
constexpr Colour kLastSystemColourIndex = COLOR_MENUBAR;
} // namespace

COLORREF TranslateColour(Colour c)
{
    // The platform's rule for stored colours, kept here so that starting a
    // program does not load OLE for it: the high byte says what the rest is.
    switch (c >> 24) {
    case 0x00:  // a colour
    case 0x01:  // a palette index
    case 0x02:  // a colour relative to the palette
        return c;
    case 0x80: {  // a system colour by the index in its low byte
        const Colour index = c & 0xFF;
        return index <= kLastSystemColourIndex ? GetSysColor(static_cast<int>(index)) : 0;
    }
    default:
        return IsSystemColour(c) ? 0 : (c & 0x00FFFFFF);
    }
}

LOGFONTW LogFontFor(const Font& f, FontRounding rounding, int dotsPerInch)
{
    LOGFONTW lf{};
    lf.lfHeight = FontPixelHeight(f.size, dotsPerInch, rounding);
    lf.lfWeight = f.weight();
    lf.lfItalic = f.italic ? 0xFF : 0;
    lf.lfUnderline = f.underline ? 0xFF : 0;
    lf.lfStrikeOut = f.strikethrough ? 0xFF : 0;
    lf.lfCharSet = static_cast<BYTE>(f.charset & 0xFF);
    // The record holds 31 characters and a terminator; longer names are cut
    // rather than written past the field.
    const std::size_t room = sizeof(lf.lfFaceName) / sizeof(lf.lfFaceName[0]) - 1;
    const std::size_t n = f.name.size() < room ? f.name.size() : room;
    std::wmemcpy(lf.lfFaceName, f.name.data(), n);
    lf.lfFaceName[n] = L'\0';
    return lf;
}

int ScreenDotsPerInch()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

HFONT CreateFontFor(const Font& f, FontRounding rounding)
{
    const LOGFONTW lf = LogFontFor(f, rounding, ScreenDotsPerInch());
    return CreateFontIndirectW(&lf);
}

HFONT CreateFontHandle(const Font& f) { return CreateFontFor(f, FontRounding::NearestPixel); }

PictureRef PictureFromHandle(HANDLE h, Picture::Type type, bool owned)
{
    if (!h || type == Picture::Type::None)
        return nullptr;
    auto p = std::make_shared<Picture>();
    p->type = type;
    p->handle = reinterpret_cast<std::uintptr_t>(h);
    p->release = owned ? ReleasePicture : nullptr;
    MeasurePicture(*p);
    return p;
}

PictureRef LoadBitmapPicture(const std::wstring& name)
{
    int id;
    LPCWSTR res = ResName(name, id);
    return Loaded(LoadImageW(AppInstance(), res, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION), Picture::Type::Bitmap,
                  name);
}
PictureRef LoadBitmapPicture(int id) { return LoadBitmapPicture(IdName(id)); }

PictureRef LoadIconPicture(const std::wstring& name, int size)
{
    int id;
    LPCWSTR res = ResName(name, id);
    // Size 0 without LR_DEFAULTSIZE: the first image at its own size.
    return Loaded(LoadImageW(AppInstance(), res, IMAGE_ICON, size, size, 0), Picture::Type::Icon, name);
}
PictureRef LoadIconPicture(int id, int size) { return LoadIconPicture(IdName(id), size); }

PictureRef LoadCursorPicture(const std::wstring& name)
{
    int id;
    LPCWSTR res = ResName(name, id);
    return Loaded(LoadImageW(AppInstance(), res, IMAGE_CURSOR, 0, 0, 0), Picture::Type::Cursor, name);
}
PictureRef LoadCursorPicture(int id) { return LoadCursorPicture(IdName(id)); }

PictureRef LoadPictureResource(const std::wstring& name)
{
    int id;
    LPCWSTR res = ResName(name, id);
    HINSTANCE inst = AppInstance();
    if (FindResourceW(inst, res, MAKEINTRESOURCEW(2) /* RT_BITMAP */))
        return LoadBitmapPicture(name);
    if (FindResourceW(inst, res, MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */))
        return LoadIconPicture(name);
    if (FindResourceW(inst, res, MAKEINTRESOURCEW(12) /* RT_GROUP_CURSOR */))
        return LoadCursorPicture(name);
    return nullptr;
}

namespace {

void Dispatch(MSG& msg)
{
    {
        DispatchScope busy;
        if (!Form::PreTranslate(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    DeleteRetiredControls();
}

} // namespace

void RunMessageLoop()
{
    MSG msg;
    while (!Form::LoadedForms().empty()) {
        BOOL r = GetMessageW(&msg, nullptr, 0, 0);
        if (r == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (r < 0)
            break;
        Dispatch(msg);
    }
    DeleteRetiredControls();
}

void DoEvents()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        Dispatch(msg);
    }
    DeleteRetiredControls();
}

HINSTANCE AppInstance() { return GetModuleHandleW(nullptr); }

} // namespace host

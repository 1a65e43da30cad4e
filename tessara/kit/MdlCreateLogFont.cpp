#include "tessara/kit/MdlCreateLogFont.h"

#include "tessara/kit/ColourMath.h"

#include <cwchar>

namespace kit {

LOGFONTW LogFontFromStdFont(const host::Font& font, int dotsPerInch)
{
    LOGFONTW lf{};
    lf.lfHeight = FontHeightForPoints(font.size, dotsPerInch);
    lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.italic ? 0xFF : 0;
    lf.lfUnderline = font.underline ? 0xFF : 0;
    lf.lfStrikeOut = font.strikethrough ? 0xFF : 0;
    lf.lfCharSet = static_cast<BYTE>(font.charset & 0xFF);
    // The record holds 31 characters and a terminator; longer names are cut
    // rather than written past the field.
    const std::size_t room = sizeof(lf.lfFaceName) / sizeof(lf.lfFaceName[0]) - 1;
    const std::size_t n = font.name.size() < room ? font.name.size() : room;
    std::wmemcpy(lf.lfFaceName, font.name.data(), n);
    lf.lfFaceName[n] = L'\0';
    return lf;
}

int ScreenDotsPerInch()
{
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

HFONT CreateFontFromStdFont(const host::Font& font)
{
    const LOGFONTW lf = LogFontFromStdFont(font, ScreenDotsPerInch());
    return ::CreateFontIndirectW(&lf);
}

} // namespace kit

// Turning a control's font object into a GDI font: the host's one
// conversion, with Tessara's rounding (the size in whole points first).
#pragma once
#include "host/App.h"
#include "host/Values.h"

#include <windows.h>

namespace kit {

// The logical-font record for a font at a vertical resolution: height
// -round(points) * dpi / 72 (halves to even both times), weight 700 or 400,
// the character set, 0xFF for italic/underline/strike-out, the face name.
inline LOGFONTW LogFontFromStdFont(const host::Font& font, int dotsPerInch)
{
    return host::LogFontFor(font, host::FontRounding::WholePoints, dotsPerInch);
}
using host::ScreenDotsPerInch;
// A font for the screen's resolution; the caller deletes it.
inline HFONT CreateFontFromStdFont(const host::Font& font)
{
    return host::CreateFontFor(font, host::FontRounding::WholePoints);
}

} // namespace kit

// Turning a control's font object into a GDI font.
#pragma once
#include "host/Values.h"

#include <windows.h>

namespace kit {

// The logical-font record for a font at a vertical resolution: height
// -round(points) * dpi / 72 (halves to even both times), weight 700 or 400,
// the character set, 0xFF for italic/underline/strike-out, the face name.
LOGFONTW LogFontFromStdFont(const host::Font& font, int dotsPerInch);
// The screen's vertical resolution (LOGPIXELSY).
int ScreenDotsPerInch();
// A font for the screen's resolution; the caller deletes it.
HFONT CreateFontFromStdFont(const host::Font& font);

} // namespace kit

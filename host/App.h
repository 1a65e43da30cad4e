// Application-wide services: title, message boxes (with a sink for tests),
// design-mode flag, colour translation, pictures and the message loop.
#pragma once
#include "Values.h"

#include <windows.h>

#include <functional>
#include <string>

namespace host {

// ---- Title and message boxes ------------------------------------------

// Defaults to the program file's name without its extension.
void SetAppTitle(const std::wstring& title);
const std::wstring& AppTitle();

enum class MsgIcon { None = 0, Information = MB_ICONINFORMATION };

struct MessageBoxRecord {
    std::wstring text;
    std::wstring title;   // as shown: the application title when none was given
    MsgIcon icon = MsgIcon::None;
};

// A modal box with one OK button over the active window. An empty title
// shows the application's title. Returns IDOK.
int MsgBox(const std::wstring& text, MsgIcon icon = MsgIcon::Information, const std::wstring& title = L"");

// Tests install a sink: every box is handed to it and answered with OK at
// once instead of being shown. An empty function restores real boxes.
void SetMessageBoxSink(std::function<void(const MessageBoxRecord&)> sink);

// ---- Design mode --------------------------------------------------------

// There is no designer; this flag lets tests run the design-time paths.
// While set, every control's Ambient UserMode() is false. Changing it
// tells every live control AmbientChanged("UserMode").
void SetDesignMode(bool design);
bool DesignMode();

// ---- Colours and fonts -------------------------------------------------

// A colour value as red-green-blue: system colours (high bit set) go
// through OleTranslateColor; unknown ones give black.
COLORREF TranslateColour(Colour c);

// The logical-font record of a font object: the pixel height by the
// rounding given (at dotsPerInch), weight 700 or 400, 0xFF for italic,
// underline and strike-out, the character set as one byte, the face name
// cut to the record's 31 characters. Everything that turns a font object
// into a GDI font goes through here.
LOGFONTW LogFontFor(const Font& f, FontRounding rounding, int dotsPerInch);
// The screen's vertical resolution (LOGPIXELSY).
int ScreenDotsPerInch();
// A GDI font for a font object at the screen's resolution; the caller owns it.
HFONT CreateFontFor(const Font& f, FontRounding rounding);
// The forms' and standard controls' font (nearest pixel).
HFONT CreateFontHandle(const Font& f);

// The cursor for a mouse-pointer number (1 arrow, 2 cross, 3 I-beam,
// 11 hourglass, ...); null for 0 (the window's own) and 99 (custom).
HCURSOR CursorForPointer(int pointer);

// ---- Pictures -----------------------------------------------------------

// Takes a bitmap, icon or cursor handle into a picture. With owned true
// the picture destroys the handle when the last reference goes.
PictureRef PictureFromHandle(HANDLE h, Picture::Type type, bool owned = true);

// Resources of the program. Each returns null when there is no such
// resource. The picture's source is the name ("#101" for number 101).
PictureRef LoadBitmapPicture(const std::wstring& name);
PictureRef LoadBitmapPicture(int id);
PictureRef LoadIconPicture(const std::wstring& name, int size = 0);  // size 0: the icon's own size
PictureRef LoadIconPicture(int id, int size = 0);
PictureRef LoadCursorPicture(const std::wstring& name);
PictureRef LoadCursorPicture(int id);
// Tries bitmap, then icon, then cursor ("#101" names a number).
PictureRef LoadPictureResource(const std::wstring& name);

// ---- Message loop -------------------------------------------------------

// Runs until every form is unloaded (for a program's main).
void RunMessageLoop();
// Processes the messages already waiting, then returns.
void DoEvents();

// The module whose resources and window classes the host uses.
HINSTANCE AppInstance();

// Twips and pixels (kTwipsPerPixel is in Values.h).
inline int TwipsToPixels(int tw) { return tw >= 0 ? (tw + 7) / 15 : -((-tw + 7) / 15); }
inline int PixelsToTwips(int px) { return px * kTwipsPerPixel; }

} // namespace host

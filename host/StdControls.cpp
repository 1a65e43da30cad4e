// Standard controls: thin wrappers over system controls where one fits
// (edit, list box, combo box, buttons) and small painted windows where
// none does (label, picture box, line).
#include "StdControls.h"

#include "Form.h"
#include "Input.h"

namespace host {

namespace {




Font DefaultFont(const ControlBase& c) { return c.Parent() ? c.Parent()->ContainerFontValue() : Font{}; }
Colour ContainerColourOf(const ControlBase& c) { return c.Parent() ? c.Parent()->ContainerColour() : 0x8000000F; }

void ReadEnabled(ControlBase& c, const PropertyBag* saved)
{
    if (saved)
        c.SetEnabled(saved->readBool(L"Enabled", true));
}

// Stored texts are one line: "||" stands for a line break.
std::wstring FromStoredText(const std::wstring& s)
{
    std::wstring out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == L'|' && i + 1 < s.size() && s[i + 1] == L'|') {
            out += L'\n';
            ++i;
        } else {
            out += s[i];
        }
    }
    return out;
}

std::wstring ToStoredText(const std::wstring& s)
{
    std::wstring out;
    for (wchar_t c : s) {
        if (c == L'\r')
            continue;
        if (c == L'\n')
            out += L"||";
        else
            out += c;
    }
    return out;
}

std::vector<std::wstring> SplitRows(const std::wstring& s)
{
    std::vector<std::wstring> rows;
    if (s.empty())
        return rows;
    std::wstring cur;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == L'|' && i + 1 < s.size() && s[i + 1] == L'|') {
            rows.push_back(cur);
            cur.clear();
            ++i;
        } else {
            cur += s[i];
        }
    }
    rows.push_back(cur);
    return rows;
}

std::wstring JoinRows(const std::vector<std::wstring>& rows)
{
    std::wstring out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i)
            out += L"||";
        out += rows[i];
    }
    return out;
}

bool SetPointerCursor(int pointer, const PictureRef& icon, LPARAM lp, LRESULT& result)
{
    if (LOWORD(lp) != HTCLIENT || pointer == 0)
        return false;
    HCURSOR c = pointer == 99 && icon ? reinterpret_cast<HCURSOR>(icon->handle) : CursorForPointer(pointer);
    if (!c)
        return false;
    SetCursor(c);
    result = TRUE;
    return true;
}

// Mouse messages of a painted control (label, picture box) as its
// MouseDown, MouseUp, Click and MouseMove events; true when msg was one.
template <class C>
bool RaiseMouse(C& c, bool& pressed, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (msg == WM_LBUTTONDOWN)
            pressed = true;
        c.MouseDown.raise(msg == WM_LBUTTONDOWN ? 1 : 2, ShiftState(), MouseX(lp), MouseY(lp));
        return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
        bool click = msg == WM_LBUTTONUP && pressed;
        if (msg == WM_LBUTTONUP)
            pressed = false;
        c.MouseUp.raise(msg == WM_LBUTTONUP ? 1 : 2, ShiftState(), MouseX(lp), MouseY(lp));
        if (click)
            c.Click.raise();  // last: the handler may unload the form
        return true;
    }
    case WM_MOUSEMOVE:
        c.MouseMove.raise(MouseButtons(wp), ShiftState(), MouseX(lp), MouseY(lp));
        return true;
    default:
        return false;
    }
}

void FillColour(HDC dc, const RECT& r, Colour c)
{
    HBRUSH b = CreateSolidBrush(TranslateColour(c));
    FillRect(dc, &r, b);
    DeleteObject(b);
}

} // namespace

// ---- FontedControl and CaptionedButton ----------------------------------------

FontedControl::~FontedControl()
{
    if (hfont_)
        DeleteObject(hfont_);
}

void FontedControl::Unloading()
{
    if (hWnd())
        SendMessageW(hWnd(), WM_SETFONT, 0, FALSE);  // the window lets go before the font goes
    if (hfont_)
        DeleteObject(hfont_);
    hfont_ = nullptr;
}

void FontedControl::SetFont(const host::Font& f)
{
    font_ = f;
    HFONT old = hfont_;
    hfont_ = nullptr;
    if (hWnd())
        SendMessageW(hWnd(), WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
    if (old)
        DeleteObject(old);
}

void FontedControl::LoadFont(const PropertyBag* saved)
{
    host::Font f = DefaultFont(*this);
    if (saved)
        f = saved->readFont(L"Font", f);
    SetFont(f);
}

void FontedControl::SaveCommon(PropertyBag& bag) const
{
    bag.write(L"Font", font_, DefaultFont(*this));
    bag.write(L"Enabled", Enabled(), true);
}

HFONT FontedControl::FontHandle()
{
    if (!hfont_)
        hfont_ = CreateFontHandle(font_);
    return hfont_;
}

std::wstring FontedControl::WindowText() const
{
    if (!hWnd())
        return L"";
    int n = GetWindowTextLengthW(hWnd());
    std::wstring s(static_cast<std::size_t>(n) + 1, L'\0');
    GetWindowTextW(hWnd(), &s[0], n + 1);
    s.resize(static_cast<std::size_t>(n));
    return s;
}

void CaptionedButton::SetCaption(const std::wstring& text)
{
    if (hWnd())
        SetWindowTextW(hWnd(), text.c_str());
}

// ---- Label -----------------------------------------------------------------

Label::Label() : FontedControl(L"Label") {}

HWND Label::CreateControlWindow(HWND parent, int x, int y, int w, int h)
{
    RegisterClassOnce(L"Label", CS_DBLCLKS);
    return MakeWindow(L"Label", WS_CLIPSIBLINGS, 0, parent, x, y, w, h, Name());
}

void Label::LoadProperties(const PropertyBag* saved)
{
    back_ = ContainerColourOf(*this);
    caption_ = Name();
    if (saved) {
        caption_ = FromStoredText(saved->readText(L"Caption", L""));
        fore_ = saved->readColour(L"ForeColor", fore_);
        back_ = saved->readColour(L"BackColor", back_);
        transparent_ = saved->readLong(L"BackStyle", 0) == 0;
        align_ = saved->readLong(L"Alignment", 0);
        pointer_ = saved->readLong(L"MousePointer", 0);
        mouseIcon_ = saved->readPicture(L"MouseIcon");
        ReadEnabled(*this, saved);
    }
    LoadFont(saved);
    SetWindowTextW(hWnd(), caption_.c_str());
}

void Label::SaveProperties(PropertyBag& bag)
{
    bag.write(L"Caption", ToStoredText(caption_), std::wstring());
    bag.write(L"ForeColor", static_cast<std::int64_t>(fore_), static_cast<std::int64_t>(0x80000012));
    if (!transparent_) {
        bag.set(L"BackStyle", static_cast<std::int64_t>(1));
        bag.set(L"BackColor", static_cast<std::int64_t>(back_));
    }
    bag.write(L"Alignment", static_cast<std::int64_t>(align_), static_cast<std::int64_t>(0));
    bag.write(L"MousePointer", static_cast<std::int64_t>(pointer_), static_cast<std::int64_t>(0));
    bag.write(L"MouseIcon", mouseIcon_, PictureRef());
    SaveCommon(bag);
}

void Label::Invalidate()
{
    if (hWnd())
        InvalidateRect(hWnd(), nullptr, FALSE);
}

void Label::SetCaption(const std::wstring& text)
{
    if (text == caption_)
        return;
    caption_ = text;
    if (hWnd())
        SetWindowTextW(hWnd(), text.c_str());
    Invalidate();
}

void Label::SetForeColor(Colour c)
{
    if (c == fore_)
        return;
    fore_ = c;
    Invalidate();
}

void Label::SetBackColor(Colour c)
{
    if (c == back_)
        return;
    back_ = c;
    Invalidate();
}

void Label::SetTransparent(bool t)
{
    if (t == transparent_)
        return;
    transparent_ = t;
    Invalidate();
}

void Label::SetFont(const host::Font& f)
{
    if (f == font_)
        return;
    FontedControl::SetFont(f);
    Invalidate();
}

void Label::SetBold(bool b)
{
    if (b == font_.bold)
        return;
    host::Font f = font_;
    f.bold = b;
    SetFont(f);
}

void Label::SetAlignment(int a)
{
    if (a < 0 || a > 2 || a == align_)
        return;
    align_ = a;
    Invalidate();
}

void Label::PaintOn(HDC dc)
{
    RECT r;
    GetClientRect(hWnd(), &r);
    FillColour(dc, r, transparent_ ? ContainerColourOf(*this) : back_);
    HGDIOBJ old = SelectObject(dc, FontHandle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Enabled() ? TranslateColour(fore_) : GetSysColor(COLOR_GRAYTEXT));
    UINT flags = DT_WORDBREAK | (align_ == 1 ? DT_RIGHT : align_ == 2 ? DT_CENTER : DT_LEFT);
    DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &r, flags);
    SelectObject(dc, old);
}

bool Label::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hWnd(), &ps);
        PaintOn(dc);
        EndPaint(hWnd(), &ps);
        return true;
    }
    case WM_PRINTCLIENT:
        PaintOn(reinterpret_cast<HDC>(wp));
        return true;
    case WM_SETCURSOR:
        return SetPointerCursor(pointer_, mouseIcon_, lp, result);
    case WM_LBUTTONDBLCLK:
        pressed_ = false;
        DblClick.raise();
        return true;
    default:
        return RaiseMouse(*this, pressed_, msg, wp, lp);
    }
}

// ---- TextBox ---------------------------------------------------------------

TextBox::TextBox() : FontedControl(L"TextBox") {}

HWND TextBox::CreateControlWindow(HWND parent, int x, int y, int w, int h)
{
    // The style depends on MultiLine, which only the stored data knows yet;
    // the window is made again in LoadProperties when it differs.
    return MakeWindow(L"EDIT", WS_TABSTOP | WS_CLIPSIBLINGS | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, parent, x, y, w, h,
                      L"");
}

void TextBox::LoadProperties(const PropertyBag* saved)
{
    std::wstring text;
    if (saved) {
        text = FromStoredText(saved->readText(L"Text", L""));
        multiLine_ = saved->readBool(L"MultiLine", false);
        locked_ = saved->readBool(L"Locked", false);
        maxLength_ = saved->readLong(L"MaxLength", 0);
        ReadEnabled(*this, saved);
    }
    if (multiLine_) {
        DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hWnd(), GWL_STYLE));
        SetWindowLongPtrW(hWnd(), GWL_STYLE,
                          (style & ~ES_AUTOHSCROLL) | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL);
    }
    SendMessageW(hWnd(), EM_SETREADONLY, locked_, 0);
    SendMessageW(hWnd(), EM_SETLIMITTEXT, maxLength_, 0);
    LoadFont(saved);
    settingText_ = true;
    SetWindowTextW(hWnd(), text.c_str());
    settingText_ = false;
}

void TextBox::SaveProperties(PropertyBag& bag)
{
    bag.write(L"Text", ToStoredText(Text()), std::wstring());
    bag.write(L"MultiLine", multiLine_, false);
    bag.write(L"Locked", locked_, false);
    bag.write(L"MaxLength", static_cast<std::int64_t>(maxLength_), static_cast<std::int64_t>(0));
    SaveCommon(bag);
}

std::wstring TextBox::Text() const { return WindowText(); }

void TextBox::SetText(const std::wstring& text)
{
    if (!hWnd() || text == Text())
        return;
    settingText_ = true;
    SetWindowTextW(hWnd(), text.c_str());
    settingText_ = false;
    Change.raise();
}

void TextBox::SetLocked(bool l)
{
    locked_ = l;
    if (hWnd())
        SendMessageW(hWnd(), EM_SETREADONLY, l, 0);
}

bool TextBox::OnParentNotify(UINT msg, WPARAM wp, LPARAM, LRESULT&)
{
    if (msg == WM_COMMAND && HIWORD(wp) == EN_CHANGE && !settingText_)
        Change.raise();
    return false;
}

// ---- CheckList -------------------------------------------------------------

CheckList::CheckList() : FontedControl(L"CheckList") {}

HWND CheckList::CreateControlWindow(HWND parent, int x, int y, int w, int h)
{
    HWND made = MakeWindow(L"LISTBOX",
                           WS_TABSTOP | WS_CLIPSIBLINGS | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                               LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                           WS_EX_CLIENTEDGE, parent, x, y, w, h, L"");
    if (made)
        Subclass();
    return made;
}

void CheckList::LoadProperties(const PropertyBag* saved)
{
    std::vector<std::wstring> rows;
    if (saved) {
        rows = SplitRows(saved->readText(L"List", L""));
        ReadEnabled(*this, saved);
    }
    LoadFont(saved);
    for (auto& r : rows)
        AddItem(r);
}

void CheckList::SaveProperties(PropertyBag& bag)
{
    std::vector<std::wstring> rows;
    for (auto& r : rows_)
        rows.push_back(r.text);
    bag.write(L"List", JoinRows(rows), std::wstring());
    SaveCommon(bag);
}

void CheckList::SetFont(const host::Font& f)
{
    FontedControl::SetFont(f);
    if (!hWnd())
        return;
    // Row height from the font, at least the tick box.
    HDC dc = GetDC(hWnd());
    HGDIOBJ old = SelectObject(dc, FontHandle());
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(hWnd(), dc);
    int hgt = tm.tmHeight + 2;
    if (hgt < 16)
        hgt = 16;
    SendMessageW(hWnd(), LB_SETITEMHEIGHT, 0, hgt);
    InvalidateRect(hWnd(), nullptr, TRUE);
}

int CheckList::BoxSize() const { return 13; }

void CheckList::Clear()
{
    rows_.clear();
    if (hWnd())
        SendMessageW(hWnd(), LB_RESETCONTENT, 0, 0);
}

void CheckList::AddItem(const std::wstring& text)
{
    rows_.push_back(Row{text, false});
    if (hWnd())
        SendMessageW(hWnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void CheckList::RemoveItem(int row)
{
    if (row < 0 || row >= ListCount())
        return;
    rows_.erase(rows_.begin() + row);
    if (hWnd())
        SendMessageW(hWnd(), LB_DELETESTRING, static_cast<WPARAM>(row), 0);
}

std::wstring CheckList::List(int row) const
{
    return row >= 0 && row < ListCount() ? rows_[static_cast<std::size_t>(row)].text : std::wstring();
}

bool CheckList::Selected(int row) const
{
    return row >= 0 && row < ListCount() && rows_[static_cast<std::size_t>(row)].ticked;
}

void CheckList::SetSelected(int row, bool ticked)
{
    if (row < 0 || row >= ListCount() || rows_[static_cast<std::size_t>(row)].ticked == ticked)
        return;
    rows_[static_cast<std::size_t>(row)].ticked = ticked;
    if (hWnd()) {
        RECT r;
        if (SendMessageW(hWnd(), LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r)) != LB_ERR)
            InvalidateRect(hWnd(), &r, FALSE);
    }
    ItemCheck.raise(row);
}

int CheckList::ListIndex() const
{
    if (!hWnd())
        return -1;
    LRESULT i = SendMessageW(hWnd(), LB_GETCURSEL, 0, 0);
    return i == LB_ERR ? -1 : static_cast<int>(i);
}

void CheckList::SetListIndex(int row)
{
    if (row < -1 || row >= ListCount() || row == ListIndex())
        return;
    SendMessageW(hWnd(), LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    Click.raise();
}

void CheckList::Toggle(int row) { SetSelected(row, !Selected(row)); }

bool CheckList::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        LRESULT hit = SendMessageW(hWnd(), LB_ITEMFROMPOINT, 0, lp);
        int row = HIWORD(hit) ? -1 : static_cast<int>(LOWORD(hit));
        bool wasCurrent = row >= 0 && row == ListIndex();
        bool onBox = MouseX(lp) < BoxSize() + 4;
        result = CallPrevious(msg, wp, lp);  // selects the row and takes the focus
        if (row >= 0 && row < ListCount() && (onBox || wasCurrent || msg == WM_LBUTTONDBLCLK))
            Toggle(row);
        return true;
    }
    case WM_KEYDOWN:
        if (wp == VK_SPACE) {
            Toggle(ListIndex());
            result = 0;
            return true;
        }
        return false;
    case WM_CHAR:
        if (wp == L' ') {
            result = 0;
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool CheckList::OnParentNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_COMMAND && HIWORD(wp) == LBN_SELCHANGE) {
        Click.raise();
        return false;
    }
    if (msg == WM_MEASUREITEM) {
        reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemHeight = 16;
        result = TRUE;
        return true;
    }
    if (msg != WM_DRAWITEM)
        return false;
    auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
    HDC dc = di->hDC;
    RECT r = di->rcItem;
    bool selected = (di->itemState & ODS_SELECTED) != 0;
    FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (di->itemID != static_cast<UINT>(-1) && di->itemID < rows_.size()) {
        const Row& row = rows_[di->itemID];
        int box = BoxSize();
        RECT b = {r.left + 2, r.top + (r.bottom - r.top - box) / 2, 0, 0};
        b.right = b.left + box;
        b.bottom = b.top + box;
        DrawFrameControl(dc, &b, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (row.ticked ? DFCS_CHECKED : 0));
        RECT t = r;
        t.left = b.right + 4;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(!Enabled() ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        HGDIOBJ old = SelectObject(dc, FontHandle());
        DrawTextW(dc, row.text.c_str(), static_cast<int>(row.text.size()), &t,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, old);
    }
    if (di->itemState & ODS_FOCUS)
        DrawFocusRect(dc, &r);
    result = TRUE;
    return true;
}

// ---- DropDownList ----------------------------------------------------------

DropDownList::DropDownList() : FontedControl(L"DropDownList") {}

HWND DropDownList::CreateControlWindow(HWND parent, int x, int y, int w, int h)
{
    // The height given to a drop-down combo is that of its open list.
    return MakeWindow(L"COMBOBOX", WS_TABSTOP | WS_CLIPSIBLINGS | WS_VSCROLL | CBS_DROPDOWNLIST, 0, parent, x, y, w,
                      h + 200, L"");
}

void DropDownList::LoadProperties(const PropertyBag* saved)
{
    std::vector<std::wstring> rows;
    int index = -1;
    if (saved) {
        rows = SplitRows(saved->readText(L"List", L""));
        index = saved->readLong(L"ListIndex", -1);
        ReadEnabled(*this, saved);
    }
    LoadFont(saved);
    for (auto& r : rows)
        AddItem(r);
    if (index >= 0 && index < ListCount())
        SendMessageW(hWnd(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DropDownList::SaveProperties(PropertyBag& bag)
{
    std::vector<std::wstring> rows;
    for (int i = 0; i < ListCount(); ++i)
        rows.push_back(List(i));
    bag.write(L"List", JoinRows(rows), std::wstring());
    bag.write(L"ListIndex", static_cast<std::int64_t>(ListIndex()), static_cast<std::int64_t>(-1));
    SaveCommon(bag);
}

void DropDownList::Clear()
{
    if (hWnd())
        SendMessageW(hWnd(), CB_RESETCONTENT, 0, 0);
}

void DropDownList::AddItem(const std::wstring& text)
{
    if (hWnd())
        SendMessageW(hWnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int DropDownList::ListCount() const
{
    if (!hWnd())
        return 0;
    LRESULT n = SendMessageW(hWnd(), CB_GETCOUNT, 0, 0);
    return n == CB_ERR ? 0 : static_cast<int>(n);
}

std::wstring DropDownList::List(int row) const
{
    if (row < 0 || row >= ListCount())
        return L"";
    LRESULT n = SendMessageW(hWnd(), CB_GETLBTEXTLEN, static_cast<WPARAM>(row), 0);
    if (n == CB_ERR)
        return L"";
    std::wstring s(static_cast<std::size_t>(n) + 1, L'\0');
    SendMessageW(hWnd(), CB_GETLBTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&s[0]));
    s.resize(static_cast<std::size_t>(n));
    return s;
}

int DropDownList::ListIndex() const
{
    if (!hWnd())
        return -1;
    LRESULT i = SendMessageW(hWnd(), CB_GETCURSEL, 0, 0);
    return i == CB_ERR ? -1 : static_cast<int>(i);
}

void DropDownList::SetListIndex(int row)
{
    if (row < -1 || row >= ListCount() || row == ListIndex())
        return;
    SendMessageW(hWnd(), CB_SETCURSEL, static_cast<WPARAM>(row), 0);
    Click.raise();
}

bool DropDownList::OnParentNotify(UINT msg, WPARAM wp, LPARAM, LRESULT&)
{
    if (msg == WM_COMMAND && HIWORD(wp) == CBN_SELCHANGE)
        Click.raise();
    return false;
}

// ---- CheckBox --------------------------------------------------------------

CheckBox::CheckBox() : CaptionedButton(L"CheckBox") {}

HWND CheckBox::CreateControlWindow(HWND parent, int x, int y, int w, int h)
{
    return MakeWindow(L"BUTTON", WS_TABSTOP | WS_CLIPSIBLINGS | BS_CHECKBOX, 0, parent, x, y, w, h, Name());
}

void CheckBox::LoadProperties(const PropertyBag* saved)
{
    std::wstring caption = Name();
    if (saved) {
        caption = saved->readText(L"Caption", L"");
        int v = saved->readLong(L"Value", 0);
        if (v != 0 && v != 1)
            throw StoredDataError(ToUtf8(Path()) + ": key \"Value\" must be 0 or 1");
        value_ = v;
        ReadEnabled(*this, saved);
    }
    LoadFont(saved);
    SetWindowTextW(hWnd(), caption.c_str());
    SendMessageW(hWnd(), BM_SETCHECK, value_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckBox::SaveProperties(PropertyBag& bag)
{
    bag.write(L"Caption", Caption(), std::wstring());
    bag.write(L"Value", static_cast<std::int64_t>(value_), static_cast<std::int64_t>(0));
    SaveCommon(bag);
}

void CheckBox::SetValue(int v)
{
    if ((v != 0 && v != 1) || v == value_)
        return;
    value_ = v;
    if (hWnd())
        SendMessageW(hWnd(), BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
    Click.raise();
}

bool CheckBox::OnParentNotify(UINT msg, WPARAM wp, LPARAM, LRESULT&)
{
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED)
        SetValue(value_ ? 0 : 1);
    return false;
}

// ---- OptionButton ----------------------------------------------------------

OptionButton::OptionButton() : CaptionedButton(L"OptionButton") {}

HWND OptionButton::CreateControlWindow(HWND parent, int x, int y, int w, int h)
{
    return MakeWindow(L"BUTTON", WS_TABSTOP | WS_CLIPSIBLINGS | BS_RADIOBUTTON, 0, parent, x, y, w, h, Name());
}

void OptionButton::LoadProperties(const PropertyBag* saved)
{
    std::wstring caption = Name();
    bool value = false;
    if (saved) {
        caption = saved->readText(L"Caption", L"");
        value = saved->readBool(L"Value", false);
        ReadEnabled(*this, saved);
    }
    LoadFont(saved);
    SetWindowTextW(hWnd(), caption.c_str());
    if (value)
        Select(false);
}

void OptionButton::SaveProperties(PropertyBag& bag)
{
    bag.write(L"Caption", Caption(), std::wstring());
    bag.write(L"Value", value_, false);
    SaveCommon(bag);
}

void OptionButton::Select(bool raise)
{
    if (Parent())
        for (ControlBase* c : Parent()->Controls())
            if (auto* o = dynamic_cast<OptionButton*>(c); o && o != this && o->value_) {
                o->value_ = false;
                SendMessageW(o->hWnd(), BM_SETCHECK, BST_UNCHECKED, 0);
            }
    value_ = true;
    SendMessageW(hWnd(), BM_SETCHECK, BST_CHECKED, 0);
    if (raise)
        Click.raise(Index());
}

void OptionButton::SetValue(bool v)
{
    if (v == value_)
        return;
    if (v) {
        Select(true);
        return;
    }
    value_ = false;
    SendMessageW(hWnd(), BM_SETCHECK, BST_UNCHECKED, 0);
}

bool OptionButton::OnParentNotify(UINT msg, WPARAM wp, LPARAM, LRESULT&)
{
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED)
        SetValue(true);
    return false;
}

// ---- PictureBox ------------------------------------------------------------

PictureBox::PictureBox() : ControlBase(L"PictureBox") {}
PictureBox::~PictureBox() = default;

HWND PictureBox::CreateControlWindow(HWND parent, int x, int y, int w, int h)
{
    RegisterClassOnce(L"PictureBox", CS_OWNDC | CS_DBLCLKS);
    HWND made = MakeWindow(L"PictureBox", WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, parent, x, y, w, h, Name());
    if (made)
        hdc_ = GetDC(made);
    return made;
}

void PictureBox::LoadProperties(const PropertyBag* saved)
{
    back_ = ContainerColourOf(*this);
    if (!saved)
        return;
    back_ = saved->readColour(L"BackColor", back_);
    SetBorderStyle(saved->readLong(L"BorderStyle", 0));
    autoSize_ = saved->readBool(L"AutoSize", false);
    SetPicture(saved->readPicture(L"Picture"));
    ReadEnabled(*this, saved);
}

void PictureBox::SaveProperties(PropertyBag& bag)
{
    bag.write(L"Picture", picture_, PictureRef());
    bag.write(L"AutoSize", autoSize_, false);
    bag.write(L"BackColor", static_cast<std::int64_t>(back_), static_cast<std::int64_t>(ContainerColourOf(*this)));
    bag.write(L"BorderStyle", static_cast<std::int64_t>(border_), static_cast<std::int64_t>(0));
    bag.write(L"Enabled", Enabled(), true);
}

int PictureBox::ScaleWidth() const
{
    RECT r = {};
    GetClientRect(hWnd(), &r);
    return r.right;
}

int PictureBox::ScaleHeight() const
{
    RECT r = {};
    GetClientRect(hWnd(), &r);
    return r.bottom;
}

void PictureBox::Refresh()
{
    if (!hWnd())
        return;
    InvalidateRect(hWnd(), nullptr, TRUE);
    UpdateWindow(hWnd());
}

void PictureBox::SetPicture(PictureRef p)
{
    picture_ = std::move(p);
    FitToPicture();
    if (hWnd())
        InvalidateRect(hWnd(), nullptr, TRUE);
}

void PictureBox::SetAutoSize(bool a)
{
    autoSize_ = a;
    FitToPicture();
}

void PictureBox::SetBackColor(Colour c)
{
    back_ = c;
    if (hWnd())
        InvalidateRect(hWnd(), nullptr, TRUE);
}

void PictureBox::SetBorderStyle(int b)
{
    if (b != 0 && b != 1)
        return;
    border_ = b;
    if (!hWnd())
        return;
    LONG_PTR style = GetWindowLongPtrW(hWnd(), GWL_STYLE);
    SetWindowLongPtrW(hWnd(), GWL_STYLE, b ? (style | WS_BORDER) : (style & ~WS_BORDER));
    SetWindowPos(hWnd(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    FitToPicture();
}

void PictureBox::FitToPicture()
{
    if (!autoSize_ || !picture_ || !hWnd())
        return;
    RECT r = {0, 0, picture_->width, picture_->height};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(hWnd(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(hWnd(), GWL_EXSTYLE)));
    SetWindowPos(hWnd(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PictureBox::PaintOn(HDC dc)
{
    if (picture_ && picture_->type == host::Picture::Type::Bitmap) {
        HDC mem = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(mem, reinterpret_cast<HBITMAP>(picture_->handle));
        BitBlt(dc, 0, 0, picture_->width, picture_->height, mem, 0, 0, SRCCOPY);
        SelectObject(mem, old);
        DeleteDC(mem);
    } else if (picture_) {
        DrawIconEx(dc, 0, 0, reinterpret_cast<HICON>(picture_->handle), 0, 0, 0, nullptr, DI_NORMAL);
    }
    // The handler draws on hDC(): lend it this context meanwhile.
    HDC own = hdc_;
    hdc_ = dc;
    Paint.raise();
    hdc_ = own;
}

bool PictureBox::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(hWnd(), &r);
        FillColour(reinterpret_cast<HDC>(wp), r, back_);
        result = 1;
        return true;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hWnd(), &ps);
        PaintOn(dc);
        EndPaint(hWnd(), &ps);
        return true;
    }
    case WM_PRINTCLIENT:
        PaintOn(reinterpret_cast<HDC>(wp));
        return true;
    default:
        return RaiseMouse(*this, pressed_, msg, wp, lp);
    }
}

// ---- Line ------------------------------------------------------------------

Line::Line() : ControlBase(L"Line") {}

HWND Line::CreateControlWindow(HWND parent, int x, int y, int w, int h)
{
    RegisterClassOnce(L"Line", 0);
    // Placed in code, the rectangle runs from its top-left to its
    // bottom-right corner; stored data gives the points instead.
    x1_ = PixelsToTwips(x);
    y1_ = PixelsToTwips(y);
    x2_ = PixelsToTwips(x + w);
    y2_ = PixelsToTwips(y + h);
    return MakeWindow(L"Line", WS_CLIPSIBLINGS | WS_DISABLED, 0, parent, x, y, w + 1, h + 1, Name());
}

void Line::LoadProperties(const PropertyBag* saved)
{
    if (saved) {
        x1_ = saved->readLong(L"X1", x1_);
        y1_ = saved->readLong(L"Y1", y1_);
        x2_ = saved->readLong(L"X2", x2_);
        y2_ = saved->readLong(L"Y2", y2_);
        colour_ = saved->readColour(L"BorderColor", colour_);
        width_ = saved->readLong(L"BorderWidth", width_);
        if (width_ < 1)
            width_ = 1;
    }
    Place();
}

void Line::SaveProperties(PropertyBag& bag)
{
    bag.set(L"X1", static_cast<std::int64_t>(x1_));
    bag.set(L"Y1", static_cast<std::int64_t>(y1_));
    bag.set(L"X2", static_cast<std::int64_t>(x2_));
    bag.set(L"Y2", static_cast<std::int64_t>(y2_));
    bag.write(L"BorderColor", static_cast<std::int64_t>(colour_), static_cast<std::int64_t>(0x80000012));
    bag.write(L"BorderWidth", static_cast<std::int64_t>(width_), static_cast<std::int64_t>(1));
}

void Line::SetPoints(int x1, int y1, int x2, int y2)
{
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    Place();
}

void Line::SetBorderColor(Colour c)
{
    colour_ = c;
    if (hWnd())
        InvalidateRect(hWnd(), nullptr, TRUE);
}

void Line::SetBorderWidth(int px)
{
    if (px < 1)
        return;
    width_ = px;
    Place();
}

void Line::Place()
{
    if (!hWnd())
        return;
    // The window covers the line's bounding box, widened by the pen.
    int ax = TwipsToPixels(x1_), ay = TwipsToPixels(y1_), bx = TwipsToPixels(x2_), by = TwipsToPixels(y2_);
    int left = (ax < bx ? ax : bx) - width_ / 2, top = (ay < by ? ay : by) - width_ / 2;
    int w = (ax < bx ? bx - ax : ax - bx) + width_, h = (ay < by ? by - ay : ay - by) + width_;
    SetWindowPos(hWnd(), nullptr, left, top, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hWnd(), nullptr, TRUE);
}

void Line::PaintOn(HDC dc)
{
    RECT r;
    GetClientRect(hWnd(), &r);
    FillColour(dc, r, ContainerColourOf(*this));
    RECT wr;
    GetWindowRect(hWnd(), &wr);
    MapWindowPoints(nullptr, GetParent(hWnd()), reinterpret_cast<POINT*>(&wr), 2);
    HPEN pen = CreatePen(PS_SOLID, width_, TranslateColour(colour_));
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, TwipsToPixels(x1_) - wr.left, TwipsToPixels(y1_) - wr.top, nullptr);
    LineTo(dc, TwipsToPixels(x2_) - wr.left, TwipsToPixels(y2_) - wr.top);
    SelectObject(dc, old);
    DeleteObject(pen);
}

bool Line::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT& result)
{
    switch (msg) {
    case WM_NCHITTEST:
        result = HTTRANSPARENT;
        return true;
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hWnd(), &ps);
        PaintOn(dc);
        EndPaint(hWnd(), &ps);
        return true;
    }
    case WM_PRINTCLIENT:
        PaintOn(reinterpret_cast<HDC>(wp));
        return true;
    default:
        return false;
    }
}

} // namespace host

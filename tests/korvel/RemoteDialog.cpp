// See RemoteDialog.h.
#include "RemoteDialog.h"

#include <vector>

namespace kt {

namespace {

constexpr UINT kWaitMs = 5000;

struct FormSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<FormSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window))
        return TRUE;
    wchar_t text[128] = {};
    GetWindowTextW(window, text, 128);
    if (lstrcmpW(text, kDialogTitle) != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

struct Children {
    const wchar_t* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM param)
{
    auto* children = reinterpret_cast<Children*>(param);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (lstrcmpiW(name, children->className) == 0)
        children->found.push_back(window);
    return TRUE;
}

std::vector<HWND> ChildrenOf(HWND form, const wchar_t* className)
{
    Children children{className, {}};
    EnumChildWindows(form, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children.found;
}

LRESULT Send(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(h, msg, wp, lp, SMTO_ABORTIFHUNG, kWaitMs, &result);
    return static_cast<LRESULT>(result);
}

} // namespace

RemoteDialog::RemoteDialog(DWORD processId, DWORD timeoutMs)
{
    FormSearch search{processId, nullptr};
    const DWORD start = GetTickCount();
    for (;;) {
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found || GetTickCount() - start > timeoutMs)
            break;
        Sleep(20);
    }
    form_ = search.found;
}

std::wstring RemoteDialog::RowText(HWND list, int row) const
{
    const LRESULT length = Send(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (length <= 0)
        return std::wstring();
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    Send(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

HWND RemoteDialog::ListStartingWith(const std::wstring& firstRow) const
{
    for (HWND list : ChildrenOf(form_, L"ListBox"))
        if (RowText(list, 0) == firstRow)
            return list;
    return nullptr;
}

void RemoteDialog::ClickRowBox(HWND list, int row) const
{
    const int height = static_cast<int>(Send(list, LB_GETITEMHEIGHT, 0, 0));
    const LPARAM at = MAKELPARAM(6, row * height + height / 2);
    Send(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Send(list, WM_LBUTTONUP, 0, at);
}

void RemoteDialog::TypeParameters(const std::wstring& text) const
{
    const std::vector<HWND> edits = ChildrenOf(form_, L"Edit");
    if (edits.empty())
        return;
    Send(edits.front(), EM_SETSEL, static_cast<WPARAM>(-1), -1);
    for (wchar_t c : text)
        Send(edits.front(), WM_CHAR, c, 1);
}

bool RemoteDialog::Press(const wchar_t* caption) const
{
    HWND button = FindWindowExW(form_, nullptr, L"kxButtons_H", caption);
    if (!button)
        return false;
    RECT r;
    GetClientRect(button, &r);
    const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
    Send(button, WM_LBUTTONDOWN, MK_LBUTTON, at);
    // Posted: the dialog ends its modal display inside this click.
    PostMessageW(button, WM_LBUTTONUP, 0, at);
    return true;
}

bool RemoteDialog::Tick(const wchar_t* caption) const
{
    HWND box = FindWindowExW(form_, nullptr, L"Button", caption);
    if (!box)
        return false;
    RECT r;
    GetClientRect(box, &r);
    const LPARAM at = MAKELPARAM(6, r.bottom / 2);
    Send(box, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Send(box, WM_LBUTTONUP, 0, at);
    return true;
}

void RemoteDialog::MoveWindowState(int steps) const
{
    const std::vector<HWND> boxes = ChildrenOf(form_, L"ComboBox");
    if (boxes.empty())
        return;
    const WPARAM key = steps > 0 ? VK_DOWN : VK_UP;
    for (int i = 0; i < (steps > 0 ? steps : -steps); ++i)
        Send(boxes.front(), WM_KEYDOWN, key, 0);
}

void RemoteDialog::CloseFromTitleBar() const { PostMessageW(form_, WM_SYSCOMMAND, SC_CLOSE, 0); }

} // namespace kt

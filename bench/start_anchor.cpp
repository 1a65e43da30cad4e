// The start-up figure's anchor: a program that shows one empty window of
// the gallery form's client size and, once that window has painted, answers
// the gallery's readiness query as the gallery does. What the gallery takes
// beyond this is the cost of its own load and paint.
//
//   start_anchor WIDTH HEIGHT      (client size in pixels)
#include "tessara/gallery/frmMain.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <cwchar>

namespace {

UINT g_query = 0;
bool g_painted = false;

LRESULT CALLBACK AnchorProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == g_query)
        return wp == gallery::QueryPainted && g_painted ? 1 : 0;
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        ::BeginPaint(h, &ps);
        ::EndPaint(h, &ps);
        g_painted = true;
        return 0;
    }
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(h, msg, wp, lp);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    const int w = argc > 2 ? std::wcstol(argv[1], nullptr, 10) : 0;
    const int h = argc > 2 ? std::wcstol(argv[2], nullptr, 10) : 0;
    ::LocalFree(argv);
    if (w <= 0 || h <= 0)
        return 2;
    g_query = ::RegisterWindowMessageW(gallery::kQueryMessageName);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = AnchorProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"StartAnchor";
    ::RegisterClassExW(&wc);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT r{0, 0, w, h};
    ::AdjustWindowRectEx(&r, style, FALSE, 0);
    HWND win = ::CreateWindowExW(0, L"StartAnchor", L"start anchor", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                 r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, nullptr);
    if (!win)
        return 1;
    ::ShowWindow(win, show);
    ::UpdateWindow(win);
    MSG m;
    while (::GetMessageW(&m, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&m);
        ::DispatchMessageW(&m);
    }
    return 0;
}

#include "ButtonTestSupport.h"
using namespace kxtest;
class Smoke : public ButtonForm {};
TEST_F(Smoke, Look)
{
    auto& b = Add(L"kxButtons_H1", 80, 30);
    b.SetBackColor(0x3366CC);
    b.SetForeColor(0x0000FF);
    b.SetCaption(L"Hello");
    Frame f(b.hWnd());
    printf("size %d x %d\n", f.Width(), f.Height());
    for (int y = 0; y < f.Height(); ++y) {
        for (int x = 0; x < f.Width(); ++x) {
            auto c = f.At(x, y);
            char ch = c == 0x3366CC ? '.' : c == 0xFFFFFF ? 'W' : c == 0 ? 'K' : c == 0x808080 ? 'G' : c == 0xE9E9E9 ? 'L' : c == 0x0000FF ? 'R' : '?';
            putchar(ch);
        }
        putchar('\n');
    }
    printf("caption %ld %ld %ld %ld\n", (long)b.CurrentLayout().caption.left, (long)b.CurrentLayout().caption.top, (long)b.CurrentLayout().caption.right, (long)b.CurrentLayout().caption.bottom);
    CursorTo(b.hWnd(), 5, 5);
    POINT p; GetCursorPos(&p);
    printf("cursor %ld %ld wfp %p btn %p form %p\n", p.x, p.y, (void*)WindowFromPoint(p), (void*)b.hWnd(), (void*)form->hWnd());
    printf("gdi %lu screen %d\n", GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), GetSystemMetrics(SM_CXSCREEN));
}

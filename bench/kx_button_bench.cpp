// Prints what kxButtons_H costs per repaint in several looks, how many GDI
// objects 10,000 repaints and 1,000 property changes leave alive (0 when
// each paint and setter gives back what it makes), and how often the
// picture was prepared meanwhile.
#include "GdiCount.h"
#include "TestPictures.h"

#include "korvel/button/kxButtons_H.h"

#include "host/Host.h"

#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

double Micros(Clock::time_point since, int n)
{
    return std::chrono::duration<double, std::micro>(Clock::now() - since).count() / n;
}

}  // namespace

int main()
{
    host::Form form(L"frmBench");
    form.SetClientSize(6000, 4000);
    form.Load();
    form.Show();
    auto pic = kxtest::SolidBitmap(20, 20, 0x008000);
    auto pic2 = kxtest::SolidBitmap(16, 16, 0x0000C8);

    struct Case {
        const char* name;
        kx::kxButtons_H* button;
    };
    auto& plain = form.AddControl<kx::kxButtons_H>(L"kxButtons_H1", 150, 150, 1200, 450);
    auto& xp = form.AddControl<kx::kxButtons_H>(L"kxButtons_H2", 150, 750, 1200, 450);
    xp.SetButtonStyle(2);
    xp.SetPicture(pic);
    xp.SetCaptionStyle(1);
    auto& gradient = form.AddControl<kx::kxButtons_H>(L"kxButtons_H3", 150, 1350, 1200, 450);
    gradient.SetGradientMode(3);
    gradient.SetGradientColor(0xFF0000);
    auto& oval = form.AddControl<kx::kxButtons_H>(L"kxButtons_H4", 150, 1950, 900, 450);
    oval.SetButtonShape(5);
    oval.SetMode(2);
    oval.SetValue(true);
    auto& shaped = form.AddControl<kx::kxButtons_H>(L"kxButtons_H5", 150, 2550, 300, 300);
    shaped.SetPicture(pic);
    shaped.SetButtonShape(8);
    auto& disabled = form.AddControl<kx::kxButtons_H>(L"kxButtons_H6", 1500, 150, 1200, 450);
    disabled.SetPicture(pic2);
    disabled.SetEnabled(false);
    const Case cases[] = {{"style 0 rectangle", &plain}, {"style 2, picture, emboss", &xp},
                          {"vertical gradient", &gradient}, {"oval, selected", &oval},
                          {"cut from picture", &shaped}, {"disabled with picture", &disabled}};

    constexpr int kRepaints = 10000;
    std::printf("%-28s %14s %14s %14s\n", "button", "us per paint", "objects left", "preparations");
    for (const Case& c : cases) {
        c.button->Refresh();
        const int prepared = c.button->PicturePreparations();
        const int before = kittest::LiveGdiObjects();
        const auto start = Clock::now();
        for (int i = 0; i < kRepaints; ++i)
            c.button->ShowLookState(i % 3 == 0 ? 0 : kx::kBitOver, i % 3 != 0, false);
        const double us = Micros(start, kRepaints);
        std::printf("%-28s %14.1f %14d %14d\n", c.name, us, kittest::LiveGdiObjects() - before,
                    c.button->PicturePreparations() - prepared);
    }

    // 1,000 property changes, ending where they started.
    auto change = [&](int i) {
        switch (i % 8) {
        case 0: xp.SetButtonStyle((i / 8) % 8); break;
        case 1: xp.SetButtonShape((i / 8) % 7); break;
        case 2: xp.SetCaption(i % 16 ? L"One||Two" : L"&Three"); break;
        case 3: xp.SetFontStyle((i / 8) % 16); break;
        case 4: xp.SetPictureSize((i / 8) % 5); break;
        case 5: xp.SetPicture(i % 16 ? pic2 : pic); break;
        case 6: xp.SetGradientMode((i / 8) % 5); break;
        case 7: xp.SetEnabled(i % 16 != 7); break;
        }
    };
    auto restore = [&] {
        xp.SetButtonStyle(2);
        xp.SetButtonShape(0);
        xp.SetCaption(L"kxButtons_H2");
        xp.SetFontStyle(0);
        xp.SetPictureSize(0);
        xp.SetPicture(pic);
        xp.SetGradientMode(0);
        xp.SetEnabled(true);
    };
    for (int i = 0; i < 64; ++i)  // platform caches settle
        change(i);
    restore();
    const int before = kittest::LiveGdiObjects();
    const auto start = Clock::now();
    for (int i = 0; i < 1000; ++i)
        change(i);
    const double us = Micros(start, 1000);
    restore();
    std::printf("%-28s %14.1f %14d\n", "1,000 property changes", us, kittest::LiveGdiObjects() - before);
    form.Unload();
    return 0;
}

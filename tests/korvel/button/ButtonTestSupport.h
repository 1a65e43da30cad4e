// Driving kxButtons_H on a real host form under Wine: a form fixture,
// captures of the painted frame and an event journal.
#pragma once
#include "korvel/button/kxButtons_H.h"

#include "HostTestSupport.h"
#include "host/Host.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kxtest {

// The button's client area as it paints itself, read through WM_PRINTCLIENT
// into a 32-bit memory surface.
class Frame {
public:
    explicit Frame(HWND h)
    {
        RECT r;
        GetClientRect(h, &r);
        w = r.right;
        h_ = r.bottom;
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h_;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, bmp);
        SendMessageW(h, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        GdiFlush();
        auto* p = static_cast<std::uint32_t*>(bits);
        px.assign(p, p + static_cast<std::size_t>(w) * h_);
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
    int Width() const { return w; }
    int Height() const { return h_; }
    // 0x00BBGGRR, like a colour value.
    std::uint32_t At(int x, int y) const
    {
        std::uint32_t v = px[static_cast<std::size_t>(y) * w + x];
        return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
    }
    // Bounding box of the pixels of one colour inside [l, r) x [t, b);
    // right and bottom exclusive, empty when none.
    RECT Find(std::uint32_t colour, int l, int t, int r, int b) const
    {
        RECT box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        for (int y = std::max(t, 0); y < std::min(b, h_); ++y)
            for (int x = std::max(l, 0); x < std::min(r, w); ++x)
                if (At(x, y) == colour) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        if (box.left == INT32_MAX)
            box = RECT{0, 0, 0, 0};
        return box;
    }

private:
    int w = 0, h_ = 0;
    std::vector<std::uint32_t> px;
};

inline std::string Hex(std::uint32_t c)
{
    char buf[16];
    snprintf(buf, sizeof buf, "0x%06X", c);
    return buf;
}

// A shown form with message boxes recorded instead of shown.
class ButtonForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        host::SetMessageBoxSink([this](const host::MessageBoxRecord& r) { boxes.push_back(r); });
        form = std::make_unique<host::Form>(L"frmButtons");
        form->SetClientSize(8000 * 15 / 15, 6000);
        form->Load();
        form->Show();
    }
    void TearDown() override
    {
        if (form)
            form->Unload();
        form.reset();
        host::SetDesignMode(false);
        host::SetMessageBoxSink(nullptr);
    }
    // A new button at pixel position and size.
    kx::kxButtons_H& Add(const std::wstring& name, int w, int h, int x = 10, int y = 10)
    {
        return form->AddControl<kx::kxButtons_H>(name, x * 15, y * 15, w * 15, h * 15);
    }
    std::unique_ptr<host::Form> form;
    std::vector<host::MessageBoxRecord> boxes;
};

using hosttest::PumpUntil;

// The cursor over a client point of a window.
inline void CursorTo(HWND h, int x, int y)
{
    POINT p{x, y};
    ClientToScreen(h, &p);
    SetCursorPos(p.x, p.y);
}

// Records the events a button raises, in order.
struct Journal {
    std::vector<std::string> seen;
    explicit Journal(kx::kxButtons_H& b)
    {
        b.MouseDown.connect([this](int btn, int, float, float) { seen.push_back("MouseDown" + std::to_string(btn)); });
        b.MouseUp.connect([this](int btn, int, float, float) { seen.push_back("MouseUp" + std::to_string(btn)); });
        b.Click.connect([this] { seen.push_back("Click"); });
        b.KeyDown.connect([this](int& k, int&) { seen.push_back("KeyDown" + std::to_string(k)); });
        b.KeyUp.connect([this](int k, int) { seen.push_back("KeyUp" + std::to_string(k)); });
        b.MouseOnButton.connect([this](bool& on) { seen.push_back(on ? "MouseOnButton(true)" : "MouseOnButton(false)"); });
    }
    std::string str() const
    {
        std::string s;
        for (auto& e : seen)
            s += (s.empty() ? "" : " ") + e;
        return s;
    }
};

}  // namespace kxtest

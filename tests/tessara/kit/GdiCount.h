// Whether GDI objects stay alive, measured without help from the platform
// (Wine's GetGuiResources answers 0). GDI reuses freed table slots before
// fresh ones, so a burst of more probes than there are free slots ends in
// fresh slots: the highest slot it gets stays the same as long as every
// object created in between was deleted, and grows with each one that was
// not.
#pragma once
#include <windows.h>

#include <vector>

namespace kittest {

inline int LiveGdiObjects()
{
    constexpr int kProbes = 3000;
    std::vector<HGDIOBJ> probes;
    probes.reserve(kProbes);
    int highest = 0;
    for (int i = 0; i < kProbes; ++i) {
        HGDIOBJ h = ::CreateSolidBrush(static_cast<COLORREF>(i));
        probes.push_back(h);
        const int slot = static_cast<int>(reinterpret_cast<ULONG_PTR>(h) & 0xFFFF);
        if (slot > highest)
            highest = slot;
    }
    for (auto it = probes.rbegin(); it != probes.rend(); ++it)
        ::DeleteObject(*it);
    return highest;
}

} // namespace kittest

// Objects of this process found by their window. The window procedures of
// the host and the kit look their object up for every message; a lookup
// here costs no call into the window manager, where a window property is a
// round trip to the display server under Wine.
#pragma once
#include <windows.h>

#include <mutex>
#include <unordered_map>

namespace host {

template <class T>
class WindowMap {
public:
    void Set(HWND window, T* object)
    {
        std::lock_guard<std::mutex> lock(lock_);
        map_[window] = object;
    }
    // Forgets the window's entry if it still names `object` (a reused
    // handle may name another by now).
    void Forget(HWND window, const T* object)
    {
        std::lock_guard<std::mutex> lock(lock_);
        const auto found = map_.find(window);
        if (found != map_.end() && found->second == object)
            map_.erase(found);
    }
    T* Find(HWND window) const
    {
        std::lock_guard<std::mutex> lock(lock_);
        const auto found = map_.find(window);
        return found == map_.end() ? nullptr : found->second;
    }

private:
    mutable std::mutex lock_;
    std::unordered_map<HWND, T*> map_;
};

} // namespace host

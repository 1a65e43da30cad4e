// The per-window message hook every Tessara control owns: it replaces the
// window procedure of each hooked window by one dispatcher that hands the
// watched messages to the control's zSubclass_Proc before (and/or after)
// the window's previous procedure.
//
// For each message: result = 0, handled = false; the before-handler runs if
// the before list matches; unless handled, the previous procedure runs and
// gives the result, then the after-handler runs if the after list matches.
#pragma once
#include "tessara/kit/HookLists.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kit {

// Implemented by a control. All arguments but bBefore are by reference: the
// handler answers through bHandled and lReturn, and may change the message
// and its parameters before the previous procedure sees them.
class HookClient {
public:
    virtual void zSubclass_Proc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND hWnd, UINT& uMsg,
                                WPARAM& wParam, LPARAM& lParam) = 0;

protected:
    ~HookClient() = default;
};

namespace detail {
struct HookLevel;
struct HookChain;
void SettleChain(HookChain* chain);
} // namespace detail

class WindowHook {
public:
    explicit WindowHook(HookClient& client);
    // Detaches every window still hooked.
    ~WindowHook();
    WindowHook(const WindowHook&) = delete;
    WindowHook& operator=(const WindowHook&) = delete;

    // Hooks the window and returns its entry index (free entries are reused,
    // searched from the last one down). A window this hook already holds
    // keeps its entry; -1 when the window does not exist or refuses.
    int HookAttach(HWND hwnd);
    // Adds msg (or kAllMessages) to the before list (phase bit HookBefore)
    // and/or the after list (HookAfter). False when the window is not hooked.
    bool HookWatch(HWND hwnd, std::int32_t msg, int phase = HookBefore);
    // Removes msg from the chosen list(s); kAllMessages empties them.
    bool HookUnwatch(HWND hwnd, std::int32_t msg, int phase = HookBefore);
    // Restores the window's previous procedure. If someone else replaced the
    // procedure after us, ours stays in their chain as a plain pass-through
    // and is removed when that becomes possible or the window is destroyed.
    void HookDetach(HWND hwnd);
    // Every hooked window, last entry first.
    void HookDetachAll();

    // A control's run-time hook-up: hooks the window once and watches each
    // message before its previous procedure, in the order given. A window
    // already hooked is left as it is.
    void AttachWatching(HWND hwnd, const UINT* messages, std::size_t count);
    template <std::size_t N>
    void AttachWatching(HWND hwnd, const UINT (&messages)[N])
    {
        AttachWatching(hwnd, messages, N);
    }

    bool IsHooked(HWND hwnd) const { return Find(hwnd) >= 0; }
    // The hook table: its size and the window of an entry (0 when free).
    int EntryCount() const { return static_cast<int>(table_.size()); }
    HWND EntryWindow(int index) const;
    // The lists of a hooked window, or null.
    const MessageList* BeforeList(HWND hwnd) const;
    const MessageList* AfterList(HWND hwnd) const;

    // Every hook alive now, so a check can see that no entry outlives its
    // window.
    static const std::vector<const WindowHook*>& Live();

private:
    friend void detail::SettleChain(detail::HookChain* chain);
    struct Entry {
        HWND hwnd = nullptr;
        detail::HookLevel* level = nullptr;
    };
    int Find(HWND hwnd) const;
    void Forget(detail::HookLevel* level);

    HookClient& client_;
    std::vector<Entry> table_;
};

// The mouse words straight from a message's lParam (which is wider than 32
// bits in 64-bit builds; the coordinates live in its low 32 bits).
inline std::int32_t LowWordOf(LPARAM lParam) { return LowWordOf(static_cast<std::int32_t>(lParam)); }
inline std::int32_t HighWordOf(LPARAM lParam) { return HighWordOf(static_cast<std::int32_t>(lParam)); }

// Asks for one WM_MOUSELEAVE (0x2A3) when the mouse leaves the window.
bool RequestMouseLeave(HWND hwnd);

} // namespace kit

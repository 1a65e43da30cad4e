#include "tessara/kit/Hook.h"

#include "host/WindowMap.h"

#include <algorithm>
#include <memory>

namespace kit {

namespace detail {

struct HookChain;

// One hook of one window. Levels of the same window form a chain, bottom
// (first installed) first; each level's previous procedure is what the
// window had when it was installed.
struct HookLevel {
    HookChain* chain = nullptr;
    WindowHook* owner = nullptr;
    HookClient* client = nullptr;
    WNDPROC prev = nullptr;
    MessageList before;
    MessageList after;
    bool dead = false;  // detached but still somebody's previous procedure
};

// All levels of one window, found through a window property. Levels are
// only freed when no dispatch of the window is running, so a handler may
// detach, destroy its window or its control at any point.
struct HookChain {
    HWND hwnd = nullptr;
    std::vector<std::unique_ptr<HookLevel>> levels;
    HookLevel* pending = nullptr;  // level the next entry of the dispatcher serves
    int depth = 0;                 // dispatches of this window now running
    bool destroyed = false;        // WM_NCDESTROY went through
    bool unsettled = false;        // a level is dead: settle after the dispatch
};

} // namespace detail

namespace {

using detail::HookChain;
using detail::HookLevel;

const wchar_t kChainProp[] = L"TessaraHookChain";

LRESULT CALLBACK HookProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

HookChain* ChainOf(HWND hwnd)
{
    if (!hwnd || !::IsWindow(hwnd))
        return nullptr;
    return static_cast<HookChain*>(::GetPropW(hwnd, kChainProp));
}

// The chains by window for the dispatcher, which runs for every message of
// every hooked window. The property stays the record that a window carries
// a chain (it goes with the window); both are set and removed together.
host::WindowMap<HookChain>& DispatchChains()
{
    static host::WindowMap<HookChain> chains;
    return chains;
}

bool SetChain(HWND hwnd, HookChain* chain)
{
    if (!::SetPropW(hwnd, kChainProp, chain))
        return false;
    DispatchChains().Set(hwnd, chain);
    return true;
}

// Removes the chain's record; the property only while the window is ours.
void ForgetChain(HWND hwnd, HookChain* chain, bool ours)
{
    if (ours)
        ::RemovePropW(hwnd, kChainProp);
    DispatchChains().Forget(hwnd, chain);
}

HookLevel* LevelBelow(HookChain* chain, HookLevel* level)
{
    for (std::size_t i = 1; i < chain->levels.size(); ++i)
        if (chain->levels[i].get() == level)
            return chain->levels[i - 1].get();
    return nullptr;
}

WNDPROC CurrentProc(HWND hwnd) { return reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC)); }

void Retire(HookLevel* level)
{
    level->dead = true;
    level->chain->unsettled = true;
    level->owner = nullptr;
    level->client = nullptr;
    level->before.Clear();
    level->after.Clear();
}

LRESULT CALLBACK HookProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    HookChain* chain = DispatchChains().Find(hwnd);
    if (!chain || chain->levels.empty())
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    HookLevel* level = chain->pending ? chain->pending : chain->levels.back().get();
    chain->pending = nullptr;
    ++chain->depth;

    const UINT original = msg;
    LRESULT result = 0;
    bool handled = false;
    if (!level->dead && level->before.Matches(msg))
        level->client->zSubclass_Proc(true, handled, result, hwnd, msg, wParam, lParam);
    if (!handled) {
        chain->pending = LevelBelow(chain, level);
        result = ::CallWindowProcW(level->prev, hwnd, msg, wParam, lParam);
        chain->pending = nullptr;
        if (!level->dead && level->after.Matches(msg))
            level->client->zSubclass_Proc(false, handled, result, hwnd, msg, wParam, lParam);
    }
    if (original == WM_NCDESTROY)
        chain->destroyed = true;
    if (--chain->depth == 0 && (chain->destroyed || chain->unsettled))
        detail::SettleChain(chain);
    return result;
}

} // namespace

namespace detail {

// Runs when no dispatch of the chain's window is active: frees what was
// detached, or everything once the window is gone.
void SettleChain(HookChain* chain)
{
    HWND hwnd = chain->hwnd;
    // The window may be gone (destroyed behind someone else's procedure) and
    // its handle reused: only a window still carrying this chain is touched.
    const bool ours = ::IsWindow(hwnd) && ::GetPropW(hwnd, kChainProp) == chain;
    if (chain->destroyed) {
        for (auto& l : chain->levels)
            if (l->owner)
                l->owner->Forget(l.get());
        ForgetChain(hwnd, chain, ours);
        delete chain;
        return;
    }
    // Dead levels on top come off while the window's procedure is ours.
    while (ours && !chain->levels.empty() && chain->levels.back()->dead && CurrentProc(hwnd) == HookProc) {
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain->levels.back()->prev));
        chain->levels.pop_back();
    }
    // A dead level right under one of ours is spliced out of the chain.
    for (std::size_t i = chain->levels.size(); i-- > 1;) {
        HookLevel* lower = chain->levels[i - 1].get();
        if (lower->dead && chain->levels[i]->prev == HookProc) {
            chain->levels[i]->prev = lower->prev;
            chain->levels.erase(chain->levels.begin() + static_cast<std::ptrdiff_t>(i - 1));
        }
    }
    const bool allDead = std::all_of(chain->levels.begin(), chain->levels.end(),
                                     [](const std::unique_ptr<HookLevel>& l) { return l->dead; });
    if (chain->levels.empty() || (!ours && allDead)) {
        ForgetChain(hwnd, chain, ours);
        delete chain;
        return;
    }
    chain->unsettled = std::any_of(chain->levels.begin(), chain->levels.end(),
                                   [](const std::unique_ptr<HookLevel>& l) { return l->dead; });
}

} // namespace detail

namespace {

std::vector<const WindowHook*>& LiveHooks()
{
    static std::vector<const WindowHook*> hooks;
    return hooks;
}

} // namespace

WindowHook::WindowHook(HookClient& client) : client_(client) { LiveHooks().push_back(this); }

WindowHook::~WindowHook()
{
    HookDetachAll();
    auto& hooks = LiveHooks();
    hooks.erase(std::remove(hooks.begin(), hooks.end(), this), hooks.end());
}

const std::vector<const WindowHook*>& WindowHook::Live() { return LiveHooks(); }

int WindowHook::Find(HWND hwnd) const
{
    if (!hwnd)
        return -1;
    for (int i = static_cast<int>(table_.size()) - 1; i >= 0; --i)
        if (table_[static_cast<std::size_t>(i)].hwnd == hwnd)
            return i;
    return -1;
}

int WindowHook::HookAttach(HWND hwnd)
{
    if (!hwnd || !::IsWindow(hwnd))
        return -1;
    const int existing = Find(hwnd);
    if (existing >= 0) {
        if (table_[static_cast<std::size_t>(existing)].level->chain == ChainOf(hwnd))
            return existing;
        // A handle reused after its window died unseen: drop the stale entry.
        HookDetach(hwnd);
    }

    HookChain* chain = ChainOf(hwnd);
    const bool fresh = chain == nullptr;
    if (fresh) {
        chain = new HookChain;
        chain->hwnd = hwnd;
        if (!SetChain(hwnd, chain)) {
            delete chain;
            return -1;
        }
    }
    auto level = std::make_unique<HookLevel>();
    level->chain = chain;
    level->owner = this;
    level->client = &client_;
    HookLevel* raw = level.get();
    chain->levels.push_back(std::move(level));
    const auto prev = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookProc)));
    if (!prev) {
        chain->levels.pop_back();
        if (fresh) {
            ForgetChain(hwnd, chain, true);
            delete chain;
        }
        return -1;
    }
    raw->prev = prev;

    int index = -1;
    for (int i = static_cast<int>(table_.size()) - 1; i >= 0; --i)
        if (!table_[static_cast<std::size_t>(i)].hwnd) {
            index = i;
            break;
        }
    if (index < 0) {
        table_.emplace_back();
        index = static_cast<int>(table_.size()) - 1;
    }
    table_[static_cast<std::size_t>(index)] = Entry{hwnd, raw};
    return index;
}

bool WindowHook::HookWatch(HWND hwnd, std::int32_t msg, int phase)
{
    const int i = Find(hwnd);
    if (i < 0)
        return false;
    HookLevel* level = table_[static_cast<std::size_t>(i)].level;
    if (phase & HookBefore)
        level->before.Add(msg);
    if (phase & HookAfter)
        level->after.Add(msg);
    return true;
}

bool WindowHook::HookUnwatch(HWND hwnd, std::int32_t msg, int phase)
{
    const int i = Find(hwnd);
    if (i < 0)
        return false;
    HookLevel* level = table_[static_cast<std::size_t>(i)].level;
    if (phase & HookBefore)
        level->before.Remove(msg);
    if (phase & HookAfter)
        level->after.Remove(msg);
    return true;
}

void WindowHook::HookDetach(HWND hwnd)
{
    const int i = Find(hwnd);
    if (i < 0)
        return;
    Entry& e = table_[static_cast<std::size_t>(i)];
    // An entry's level stays alive until its chain tells us otherwise
    // (Forget), so it is safe to reach even when the window is gone.
    HookLevel* level = e.level;
    e = Entry{};
    HookChain* chain = level->chain;
    Retire(level);
    if (chain->depth == 0)
        detail::SettleChain(chain);
}

void WindowHook::HookDetachAll()
{
    for (int i = static_cast<int>(table_.size()) - 1; i >= 0; --i) {
        const HWND hwnd = table_[static_cast<std::size_t>(i)].hwnd;
        if (hwnd)
            HookDetach(hwnd);
    }
}

void WindowHook::Forget(HookLevel* level)
{
    for (Entry& e : table_)
        if (e.level == level)
            e = Entry{};
}

HWND WindowHook::EntryWindow(int index) const
{
    if (index < 0 || index >= static_cast<int>(table_.size()))
        return nullptr;
    return table_[static_cast<std::size_t>(index)].hwnd;
}

const MessageList* WindowHook::BeforeList(HWND hwnd) const
{
    const int i = Find(hwnd);
    return i < 0 ? nullptr : &table_[static_cast<std::size_t>(i)].level->before;
}

const MessageList* WindowHook::AfterList(HWND hwnd) const
{
    const int i = Find(hwnd);
    return i < 0 ? nullptr : &table_[static_cast<std::size_t>(i)].level->after;
}

bool RequestMouseLeave(HWND hwnd)
{
    TRACKMOUSEEVENT tme{};
    tme.cbSize = sizeof(tme);
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = hwnd;
    tme.dwHoverTime = 0;
    return ::TrackMouseEvent(&tme) != FALSE;
}

} // namespace kit

void kit::WindowHook::AttachWatching(HWND hwnd, const UINT* messages, std::size_t count)
{
    if (IsHooked(hwnd) || HookAttach(hwnd) < 0)
        return;
    for (std::size_t i = 0; i < count; ++i)
        HookWatch(hwnd, static_cast<std::int32_t>(messages[i]), HookBefore);
}

// Controls and containers: window creation, placement in twips, the
// lifecycle run for each new control, lookup by name and the registry of
// kinds that stored form data can name.
#include "Control.h"

#include "Form.h"
#include "StdControls.h"
#include "UserControl.h"
#include "WindowMap.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>

namespace host {

namespace {

// The control of each window of ours.
WindowMap<ControlBase>& ControlsByWindow()
{
    static WindowMap<ControlBase> controls;
    return controls;
}

// Holds a global atom of the instance name: readable from any process of
// the session, unlike the object pointer beside it.
constexpr const wchar_t* kInstanceNameProp = L"InstanceName";

std::set<std::wstring, KeyLess>& HostClasses()
{
    static std::set<std::wstring, KeyLess> classes;
    return classes;
}

std::map<std::wstring, ControlFactory, KeyLess>& Registry()
{
    static std::map<std::wstring, ControlFactory, KeyLess> registry;
    return registry;
}

std::string Demangle(const std::type_info& t)
{
    int status = 0;
    char* name = abi::__cxa_demangle(t.name(), nullptr, nullptr, &status);
    std::string out = (status == 0 && name) ? name : t.name();
    std::free(name);
    return out;
}

int g_nextChildId = 1000;

int g_dispatchDepth = 0;

// Deliberately never destroyed: at exit nothing is left to delete safely.
std::vector<std::unique_ptr<ControlBase>>& Retired()
{
    static auto* retired = new std::vector<std::unique_ptr<ControlBase>>();
    return *retired;
}

// Keys the host itself takes from a control's stored properties.
struct Extender {
    bool visible = true;
    std::wstring tag;
    bool tabStop = true;
    bool isDefault = false;
    bool isCancel = false;
    int oleDropMode = -1;  // -1: not stored
};

Extender ReadExtender(const PropertyBag& bag, bool ownerDrawn)
{
    Extender e;
    if (ownerDrawn && bag.has(L"OLEDropMode"))
        e.oleDropMode = bag.readLong(L"OLEDropMode", 0);
    e.visible = bag.readBool(L"Visible", true);
    e.tag = bag.readText(L"Tag", L"");
    e.tabStop = bag.readBool(L"TabStop", true);
    e.isDefault = bag.readBool(L"Default", false);
    e.isCancel = bag.readBool(L"Cancel", false);
    return e;
}

} // namespace

// ---- Retiring controls ----------------------------------------------------

DispatchScope::DispatchScope() { ++g_dispatchDepth; }
DispatchScope::~DispatchScope() { --g_dispatchDepth; }

void DeleteRetiredControls()
{
    if (g_dispatchDepth > 0)
        return;
    // Destructors may retire further controls: take the list first.
    while (!Retired().empty()) {
        auto batch = std::move(Retired());
        Retired().clear();
        batch.clear();
    }
}

void ControlBase::Retire(std::unique_ptr<ControlBase> c)
{
    if (c->hwnd_)
        c->Unloading();
    if (c->hwnd_) {
        HWND h = c->hwnd_;
        DestroyWindow(h);  // its WM_NCDESTROY detaches the object
    }
    if (g_dispatchDepth > 0)
        Retired().push_back(std::move(c));
}

// ---- ControlBase -----------------------------------------------------------

ControlBase::ControlBase(std::wstring kind) : kind_(std::move(kind)) {}

ControlBase::~ControlBase()
{
    if (hwnd_) {
        HWND h = hwnd_;
        Detach();
        DestroyWindow(h);
    }
}

std::wstring ControlBase::BaseName() const
{
    auto open = name_.find(L'(');
    return open == std::wstring::npos ? name_ : name_.substr(0, open);
}

HWND ControlBase::ContainerHwnd() const
{
    if (hwnd_) {
        HWND p = GetParent(hwnd_);
        if (p)
            return p;
    }
    return parent_ ? parent_->ContainerWindow() : nullptr;
}

Form* ControlBase::ParentForm() const { return parent_ ? parent_->OwningForm() : nullptr; }

namespace {

RECT RectInParent(HWND h)
{
    RECT r = {};
    if (!h)
        return r;
    GetWindowRect(h, &r);
    HWND parent = GetParent(h);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace

int ControlBase::Left() const { return PixelsToTwips(RectInParent(hwnd_).left); }
int ControlBase::Top() const { return PixelsToTwips(RectInParent(hwnd_).top); }
int ControlBase::Width() const
{
    RECT r = RectInParent(hwnd_);
    return PixelsToTwips(r.right - r.left);
}
int ControlBase::Height() const
{
    RECT r = RectInParent(hwnd_);
    return PixelsToTwips(r.bottom - r.top);
}

void ControlBase::Move(int left, int top, int width, int height)
{
    if (!hwnd_)
        return;
    RECT r = RectInParent(hwnd_);
    int x = left == -1 ? r.left : TwipsToPixels(left);
    int y = top == -1 ? r.top : TwipsToPixels(top);
    int w = width == -1 ? r.right - r.left : TwipsToPixels(width);
    int h = height == -1 ? r.bottom - r.top : TwipsToPixels(height);
    if (w < 0)
        w = 0;
    if (h < 0)
        h = 0;
    MoveWindow(hwnd_, x, y, w, h, TRUE);
}

void ControlBase::SetVisible(bool v)
{
    visible_ = v;
    if (hwnd_)
        ShowWindow(hwnd_, v ? SW_SHOWNA : SW_HIDE);
}

void ControlBase::SetEnabled(bool v)
{
    enabled_ = v;
    if (hwnd_)
        EnableWindow(hwnd_, v);
}

bool ControlBase::HasFocus() const { return hwnd_ && GetFocus() == hwnd_; }

void ControlBase::SetFocus()
{
    if (hwnd_)
        ::SetFocus(hwnd_);
}

ControlBase* ControlBase::FromHwnd(HWND h)
{
    if (!h)
        return nullptr;
    return ControlsByWindow().Find(h);
}

std::wstring ControlBase::InstanceNameOf(HWND h)
{
    const auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropW(h, kInstanceNameProp)));
    if (!atom)
        return std::wstring();
    wchar_t name[256] = {};
    const UINT n = GlobalGetAtomNameW(atom, name, 256);
    return std::wstring(name, n);
}

bool ControlBase::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
bool ControlBase::OnParentNotify(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

void ControlBase::Subclass()
{
    if (!hwnd_ || prev_)
        return;
    prev_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlBase::WndProc)));
}

void ControlBase::RegisterClassOnce(const std::wstring& cls, UINT style, HCURSOR cursor)
{
    if (HostClasses().count(cls))
        return;
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = &ControlBase::WndProc;
    wc.hInstance = AppInstance();
    wc.hCursor = cursor ? cursor : LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
    wc.lpszClassName = cls.c_str();
    RegisterClassExW(&wc);
    HostClasses().insert(cls);
}

HWND ControlBase::MakeWindow(const wchar_t* cls, DWORD style, DWORD exStyle, HWND parent, int x, int y, int w,
                             int h, const std::wstring& text)
{
    bool ours = HostClasses().count(cls) != 0;
    HWND made = CreateWindowExW(exStyle, cls, text.c_str(), style | WS_CHILD, x, y, w, h, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(g_nextChildId++)), AppInstance(),
                                ours ? this : nullptr);
    if (made && !hwnd_)
        Attach(made);
    return made;
}

std::wstring ControlBase::Path() const
{
    return parent_ ? parent_->ContainerPath() + L"." + name_ : name_;
}

LRESULT ControlBase::CallPrevious(UINT msg, WPARAM wp, LPARAM lp)
{
    if (prev_)
        return CallWindowProcW(prev_, hwnd_, msg, wp, lp);
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

void ControlBase::Attach(HWND h)
{
    hwnd_ = h;
    ControlsByWindow().Set(h, this);
    if (!name_.empty())
        if (const ATOM name = GlobalAddAtomW(name_.c_str()))
            SetPropW(h, kInstanceNameProp, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(name)));
}

void ControlBase::Detach()
{
    if (!hwnd_)
        return;
    if (prev_) {
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(prev_));
        prev_ = nullptr;
    }
    ControlsByWindow().Forget(hwnd_, this);
    if (const auto name = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(RemovePropW(hwnd_, kInstanceNameProp))))
        GlobalDeleteAtom(name);
    hwnd_ = nullptr;
}

LRESULT CALLBACK ControlBase::WndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    ControlBase* c = nullptr;
    if (msg == WM_NCCREATE) {
        // A new window of one of our classes: its control comes with it,
        // whatever the table knew of the handle before.
        c = static_cast<ControlBase*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        if (c)
            c->Attach(h);
    }
    if (!c)
        c = FromHwnd(h);
    if (!c)
        return DefWindowProcW(h, msg, wp, lp);
    DispatchScope busy;
    LRESULT result = 0;
    if (msg == WM_NCDESTROY) {
        WNDPROC prev = c->prev_;
        c->Detach();
        return prev ? CallWindowProcW(prev, h, msg, wp, lp) : DefWindowProcW(h, msg, wp, lp);
    }
    if (c->OnMessage(msg, wp, lp, result))
        return result;
    if (c->hwnd_ != h)
        return result;  // a handler destroyed the window
    return c->CallPrevious(msg, wp, lp);
}

// ---- Registry ------------------------------------------------------------

void RegisterControl(const std::wstring& kind, ControlFactory factory) { Registry()[kind] = std::move(factory); }

std::unique_ptr<ControlBase> CreateControl(const std::wstring& kind)
{
    auto it = Registry().find(kind);
    if (it != Registry().end())
        return it->second();
    static const std::map<std::wstring, ControlFactory, KeyLess> standard = {
        {L"Label", [] { return std::make_unique<Label>(); }},
        {L"TextBox", [] { return std::make_unique<TextBox>(); }},
        {L"CheckList", [] { return std::make_unique<CheckList>(); }},
        {L"DropDownList", [] { return std::make_unique<DropDownList>(); }},
        {L"CheckBox", [] { return std::make_unique<CheckBox>(); }},
        {L"OptionButton", [] { return std::make_unique<OptionButton>(); }},
        {L"PictureBox", [] { return std::make_unique<PictureBox>(); }},
        {L"Line", [] { return std::make_unique<Line>(); }},
    };
    auto s = standard.find(kind);
    if (s != standard.end())
        return s->second();
    return nullptr;
}

// ---- Container -------------------------------------------------------------

Container::~Container()
{
    // Children go before the window that holds them.
    timers_.clear();
    controls_.clear();
}

void Container::Place(std::unique_ptr<ControlBase> c, const std::wstring& name, int leftTw, int topTw, int widthTw,
                      int heightTw, const PropertyBag* saved, const ControlData* data)
{
    DeleteRetiredControls();
    EnsureWindow();
    for (auto& existing : controls_)
        if (KeyEquals(existing->Name(), name))
            throw StoredDataError(ToUtf8(ContainerPath()) + ": a control named " + ToUtf8(name) +
                                  " already exists");
    c->name_ = name;
    c->index_ = -1;
    auto open = name.find(L'(');
    if (open != std::wstring::npos && name.back() == L')')
        c->index_ = _wtoi(name.c_str() + open + 1);
    c->parent_ = this;

    // A bag given in code names no owner yet: messages should name the control.
    PropertyBag named;
    if (saved && saved->owner().empty()) {
        named = *saved;
        named.setOwner(ContainerPath() + L"." + name);
        saved = &named;
    }
    Extender ext;
    if (saved) {
        saved->forgetReads();
        ext = ReadExtender(*saved, dynamic_cast<UserControl*>(c.get()) != nullptr);
    }
    c->visible_ = ext.visible;
    c->tag_ = ext.tag;

    HWND h = c->CreateControlWindow(ContainerWindow(), TwipsToPixels(leftTw), TwipsToPixels(topTw),
                                    TwipsToPixels(widthTw), TwipsToPixels(heightTw));
    if (!h)
        throw std::runtime_error("could not create the window of " + ToUtf8(ContainerPath()) + "." + ToUtf8(name));
    if (!ext.tabStop)
        SetWindowLongPtrW(h, GWL_STYLE, GetWindowLongPtrW(h, GWL_STYLE) & ~WS_TABSTOP);

    controls_.push_back(std::move(c));
    ControlBase& ref = *controls_.back();
    try {
        ref.LoadProperties(saved);
        if (saved) {
            auto unknown = saved->unreadKeys();
            if (!unknown.empty())
                throw StoredDataError(ToUtf8(ref.Path()) + ": unknown key \"" + ToUtf8(unknown.front()) + "\"");
        }
        if (data && !data->children.empty()) {
            auto* inner = dynamic_cast<Container*>(&ref);
            if (!inner)
                throw StoredDataError(ToUtf8(ref.Path()) + ": a " + ToUtf8(ref.Kind()) +
                                      " cannot hold other controls");
            for (auto& child : data->children)
                inner->AddStored(child);
        }
        if (auto* uc = dynamic_cast<UserControl*>(&ref)) {
            if (ext.oleDropMode >= 0)
                uc->SetOLEDropMode(ext.oleDropMode);
            if (Form* f = OwningForm()) {
                if (ext.isDefault)
                    f->SetDefaultControl(uc);
                if (ext.isCancel)
                    f->SetCancelControl(uc);
            }
        }
        ref.Placed();
        if (ref.visible_ && ref.hwnd_) {
            ShowWindow(ref.hwnd_, SW_SHOWNA);
            ref.Shown();
        }
    } catch (...) {
        RemoveControl(name);
        throw;
    }
}

ControlBase* Container::AddStored(const ControlData& data)
{
    std::wstring who = ContainerPath() + L"." + data.name;
    if (KeyEquals(data.kind, L"Timer")) {
        data.props.forgetReads();
        int interval = data.props.readLong(L"Interval", 0);
        bool enabled = data.props.readBool(L"Enabled", true);
        auto unknown = data.props.unreadKeys();
        if (!unknown.empty())
            throw StoredDataError(ToUtf8(who) + ": unknown key \"" + ToUtf8(unknown.front()) + "\"");
        AddTimer(data.name, interval, enabled);
        return nullptr;
    }
    std::unique_ptr<ControlBase> c = CreateControl(data.kind);
    if (!c)
        throw StoredDataError(ToUtf8(who) + ": unknown control kind \"" + ToUtf8(data.kind) + "\"");
    PropertyBag bag = data.props;
    bag.setOwner(who);
    for (auto& key : data.pictureRefs) {
        std::wstring res = bag.readText(key, L"");
        PictureRef pic = res.empty() ? nullptr : LoadPictureResource(res);
        if (!res.empty() && !pic)
            throw StoredDataError(ToUtf8(who) + ": key \"" + ToUtf8(key) + "\" names the picture resource \"" +
                                  ToUtf8(res) + "\", which the program does not have");
        bag.set(key, pic);
    }
    ControlBase* raw = c.get();
    Place(std::move(c), data.name, data.left, data.top, data.width, data.height, &bag, &data);
    return raw;
}

Timer& Container::AddTimer(const std::wstring& name, int intervalMs, bool enabled)
{
    for (auto& t : timers_)
        if (KeyEquals(t.first, name))
            throw StoredDataError(ToUtf8(ContainerPath()) + ": a timer named " + ToUtf8(name) + " already exists");
    timers_.emplace_back(name, std::make_unique<Timer>(intervalMs, enabled));
    return *timers_.back().second;
}

void Container::RemoveControl(const std::wstring& name)
{
    for (auto it = controls_.begin(); it != controls_.end(); ++it) {
        if (!KeyEquals((*it)->Name(), name))
            continue;
        std::unique_ptr<ControlBase> c = std::move(*it);
        controls_.erase(it);
        if (Form* f = OwningForm()) {
            if (f->DefaultControl() == c.get())
                f->SetDefaultControl(nullptr);
            if (f->CancelControl() == c.get())
                f->SetCancelControl(nullptr);
        }
        ControlBase::Retire(std::move(c));
        return;
    }
}

void Container::DestroyControls()
{
    timers_.clear();
    // Last placed goes first, like windows stacked on each other.
    while (!controls_.empty()) {
        std::unique_ptr<ControlBase> c = std::move(controls_.back());
        controls_.pop_back();
        ControlBase::Retire(std::move(c));
    }
}

UserControl* Container::FindControl(const std::wstring& name) const
{
    return dynamic_cast<UserControl*>(FindAny(name));
}

ControlBase* Container::FindAny(const std::wstring& name) const
{
    for (auto& c : controls_)
        if (KeyEquals(c->Name(), name))
            return c.get();
    return nullptr;
}

Timer* Container::FindTimer(const std::wstring& name) const
{
    for (auto& t : timers_)
        if (KeyEquals(t.first, name))
            return t.second.get();
    return nullptr;
}

std::vector<ControlBase*> Container::Controls() const
{
    std::vector<ControlBase*> out;
    for (auto& c : controls_)
        out.push_back(c.get());
    return out;
}

std::vector<ControlBase*> Container::ArrayElements(const std::wstring& baseName) const
{
    std::vector<ControlBase*> out;
    for (auto& c : controls_)
        if (c->Index() >= 0 && KeyEquals(c->BaseName(), baseName))
            out.push_back(c.get());
    std::sort(out.begin(), out.end(), [](ControlBase* a, ControlBase* b) { return a->Index() < b->Index(); });
    return out;
}

void Container::MissingControl(const std::wstring& name, const std::type_info& kind) const
{
    throw StoredDataError(ToUtf8(ContainerPath()) + ": no control named \"" + ToUtf8(name) + "\" (a " +
                          Demangle(kind) + " was expected)");
}

void Container::WrongKind(const ControlBase& c, const std::type_info& kind) const
{
    throw StoredDataError(ToUtf8(c.Path()) + ": is a " + ToUtf8(c.Kind()) + ", not a " + Demangle(kind));
}

bool Container::ReflectToChild(HWND parent, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    HWND child = nullptr;
    switch (msg) {
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_HSCROLL:
    case WM_VSCROLL:
        child = reinterpret_cast<HWND>(lp);
        break;
    case WM_DRAWITEM:
        child = reinterpret_cast<DRAWITEMSTRUCT*>(lp)->hwndItem;
        break;
    case WM_MEASUREITEM:
        child = GetDlgItem(parent, static_cast<int>(reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->CtlID));
        break;
    case WM_NOTIFY:
        child = reinterpret_cast<NMHDR*>(lp)->hwndFrom;
        break;
    default:
        return false;
    }
    ControlBase* c = ControlBase::FromHwnd(child);
    if (!c || c->parent_ != this)
        return false;
    return c->OnParentNotify(msg, wp, lp, result);
}

void Container::NotifyAmbient(const std::wstring& name)
{
    for (auto& c : controls_)
        if (auto* uc = dynamic_cast<UserControl*>(c.get()))
            uc->NotifyAmbientChanged(name);
}

void Container::ForEachControl(const std::function<void(ControlBase&)>& f) const
{
    for (auto& c : controls_) {
        f(*c);
        if (auto* inner = dynamic_cast<Container*>(c.get()))
            inner->ForEachControl(f);
    }
}

} // namespace host

// The base of every control a container holds, and the container itself
// (forms and owner-drawn controls both hold controls).
#pragma once
#include "App.h"
#include "FormData.h"
#include "Timer.h"
#include "Values.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <vector>

namespace host {

class Container;
class Form;
class UserControl;

// One control with its own child window. Positions and sizes are twips.
class ControlBase {
public:
    explicit ControlBase(std::wstring kind);
    virtual ~ControlBase();
    ControlBase(const ControlBase&) = delete;
    ControlBase& operator=(const ControlBase&) = delete;

    const std::wstring& Kind() const { return kind_; }  // window class, e.g. L"YTreeView"
    const std::wstring& Name() const { return name_; }  // instance name, e.g. L"Option1(2)"
    std::wstring BaseName() const;                      // L"Option1" for L"Option1(2)"
    int Index() const { return index_; }                // array index, or -1
    HWND hWnd() const { return hwnd_; }
    Container* Parent() const { return parent_; }
    HWND ContainerHwnd() const;
    Form* ParentForm() const;

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    // Twips; -1 keeps a value.
    void Move(int left, int top = -1, int width = -1, int height = -1);
    void SetSize(int width, int height) { Move(-1, -1, width, height); }

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool v);
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool v);
    const std::wstring& Tag() const { return tag_; }
    void SetTag(std::wstring t) { tag_ = std::move(t); }
    bool HasFocus() const;
    void SetFocus();

    // Writes the control's stored properties (for saving a form).
    virtual void SaveProperties(PropertyBag& bag) { (void)bag; }

    // Names the control in messages: "frmMain.YList1".
    std::wstring Path() const;

    // The control for a window the host made, or null.
    static ControlBase* FromHwnd(HWND h);
    // The instance name of a window the host made ("cmdOK"), also from
    // another process, whatever text the window shows; empty for others.
    static std::wstring InstanceNameOf(HWND h);

protected:
    // Creates the window inside parent at the pixel rectangle; style
    // WS_VISIBLE is not set yet.
    virtual HWND CreateControlWindow(HWND parent, int x, int y, int w, int h) = 0;
    // After the window exists: take the stored properties or the defaults
    // of a new placement. Keys it does not know are reported by the host.
    virtual void LoadProperties(const PropertyBag* saved) = 0;
    // After the properties, whether visible or not (first Resize).
    virtual void Placed() {}
    // The window has just been shown by its container.
    virtual void Shown() {}
    // Before the window is destroyed (hWnd still valid).
    virtual void Unloading() {}
    // Messages of the control's own window; return true when handled.
    virtual bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    // Notifications the parent window gets about this control
    // (WM_COMMAND, WM_CTLCOLOR*, WM_DRAWITEM, WM_NOTIFY).
    virtual bool OnParentNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

    // A system control class (EDIT, LISTBOX, ...): route its messages
    // through OnMessage first.
    void Subclass();
    // Registers a window class whose procedure is the host's, once.
    static void RegisterClassOnce(const std::wstring& cls, UINT style, HCURSOR cursor = nullptr);
    HWND MakeWindow(const wchar_t* cls, DWORD style, DWORD exStyle, HWND parent, int x, int y, int w, int h,
                    const std::wstring& text);
    LRESULT CallPrevious(UINT msg, WPARAM wp, LPARAM lp);

private:
    friend class Container;
    static LRESULT CALLBACK WndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    void Attach(HWND h);
    void Detach();
    // Unloading, then the window goes; the object is deleted now or,
    // inside a message, once it is handled.
    static void Retire(std::unique_ptr<ControlBase> c);

    std::wstring kind_;
    std::wstring name_;
    int index_ = -1;
    HWND hwnd_ = nullptr;
    WNDPROC prev_ = nullptr;        // system class procedure, when subclassed
    Container* parent_ = nullptr;
    bool visible_ = true;
    bool enabled_ = true;
    std::wstring tag_;
};

// A control removed while window messages are being handled (a close
// button unloading its own form) loses its window at once, but the object
// lives on until the handling has ended: the message loops call this
// between messages.
void DeleteRetiredControls();

// Marks a window message being handled, for the rule above. The host's
// window procedures and message loops hold one.
class DispatchScope {
public:
    DispatchScope();
    ~DispatchScope();
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;
};

// Makes a control of a registered kind (for stored form data).
using ControlFactory = std::function<std::unique_ptr<ControlBase>()>;
void RegisterControl(const std::wstring& kind, ControlFactory factory);
// Null when the kind is unknown. The standard kinds are always known:
// Label, TextBox, CheckList, DropDownList, CheckBox, OptionButton,
// PictureBox, Line (and Timer, which forms keep apart).
std::unique_ptr<ControlBase> CreateControl(const std::wstring& kind);

// Holds controls and timers: forms and owner-drawn controls.
class Container {
public:
    Container() = default;
    virtual ~Container();
    Container(const Container&) = delete;
    Container& operator=(const Container&) = delete;

    // Creates the control and its window, then runs its lifecycle:
    // Initialize, InitProperties (saved is null) or ReadProperties(*saved),
    // Resize, Show. Positions are twips inside this container.
    template <class T>
    T& AddControl(const std::wstring& name, int leftTw, int topTw, int widthTw, int heightTw,
                  const PropertyBag* saved = nullptr)
    {
        static_assert(std::is_base_of<ControlBase, T>::value, "AddControl makes controls");
        auto made = std::make_unique<T>();
        T& ref = *made;
        Place(std::move(made), name, leftTw, topTw, widthTw, heightTw, saved);
        return ref;
    }
    // A control described by stored data (its kind must be registered),
    // with its children when it is itself a container. Picture("x")
    // values are loaded from the program's resources. Returns null for a
    // Timer, which is kept apart (FindTimer, Control<Timer>).
    ControlBase* AddStored(const ControlData& data);
    // A timer kept by this container, findable by name.
    Timer& AddTimer(const std::wstring& name, int intervalMs = 0, bool enabled = false);
    // Destroys one control (Terminate runs first).
    void RemoveControl(const std::wstring& name);

    UserControl* FindControl(const std::wstring& name) const;   // owner-drawn controls only
    ControlBase* FindAny(const std::wstring& name) const;       // any control
    Timer* FindTimer(const std::wstring& name) const;
    // The named control as T; a missing control or another kind throws
    // StoredDataError naming this container and the control.
    template <class T>
    T& Control(const std::wstring& name) const
    {
        if constexpr (std::is_same<T, Timer>::value) {
            if (Timer* t = FindTimer(name))
                return *t;
            MissingControl(name, typeid(Timer));
        } else {
            ControlBase* c = FindAny(name);
            if (!c)
                MissingControl(name, typeid(T));
            T* t = dynamic_cast<T*>(c);
            if (!t)
                WrongKind(*c, typeid(T));
            return *t;
        }
    }
    // The elements of a control array (Option1(0), Option1(1), ...) in
    // index order.
    template <class T>
    std::vector<T*> ControlArray(const std::wstring& baseName) const
    {
        std::vector<T*> out;
        for (ControlBase* c : ArrayElements(baseName))
            if (T* t = dynamic_cast<T*>(c))
                out.push_back(t);
        return out;
    }
    std::vector<ControlBase*> Controls() const;
    // Visits every control, depth first.
    void ForEachControl(const std::function<void(ControlBase&)>& f) const;

    // What children see of their container.
    virtual HWND ContainerWindow() const = 0;
    virtual Colour ContainerColour() const = 0;
    virtual host::Font ContainerFontValue() const = 0;
    virtual std::wstring ContainerPath() const = 0;   // "frmMain" or "frmMain.YFrame1"
    virtual Form* OwningForm() const = 0;

protected:
    void Place(std::unique_ptr<ControlBase> c, const std::wstring& name, int leftTw, int topTw, int widthTw,
               int heightTw, const PropertyBag* saved, const ControlData* data = nullptr);
    // Terminate every control (children first), then destroy them all.
    void DestroyControls();
    // Lets the container's window procedure hand child notifications on.
    bool ReflectToChild(HWND parent, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    // Tells the owner-drawn controls directly inside of an ambient change.
    void NotifyAmbient(const std::wstring& name);
    // A form creates its window on first need.
    virtual void EnsureWindow() {}

private:
    [[noreturn]] void MissingControl(const std::wstring& name, const std::type_info& kind) const;
    [[noreturn]] void WrongKind(const ControlBase& c, const std::type_info& kind) const;
    std::vector<ControlBase*> ArrayElements(const std::wstring& baseName) const;

    std::vector<std::unique_ptr<ControlBase>> controls_;
    std::vector<std::pair<std::wstring, std::unique_ptr<Timer>>> timers_;
};

} // namespace host

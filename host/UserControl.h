// Base of every owner-drawn control. A control is a class deriving from
// UserControl, constructed with its kind (its window class):
//
//   class Swatch : public host::UserControl {
//   public:
//       Swatch() : UserControl(L"Swatch") {}
//       void InitProperties() override { SetBackColor(0x00FF0000); }
//       void ReadProperties(const host::PropertyBag& b) override { SetBackColor(b.readColour(L"BackColor", 0x00FF0000)); }
//       void WriteProperties(host::PropertyBag& b) override { b.write(L"BackColor", BackColor(), 0x00FF0000); }
//       void Paint() override { /* draw on hDC(), ScaleWidth() x ScaleHeight() pixels */ }
//       void Click() override { Clicked.raise(); }
//       host::Event<> Clicked;
//   };
//
// The host calls the lifecycle events in this order: Initialize; then
// InitProperties (a new placement) or ReadProperties (stored properties);
// Resize (and again on every later size change); Show; then Paint,
// focus and input events while it lives; WriteProperties when the form
// is saved; Terminate before the window is destroyed.
//
// The control's window is an ordinary child window of class Kind(). Its
// text is the control's caption once the control reports one with
// CaptionChanged (what screen readers and automation find it by), else
// the instance name, which every host window also carries as a property
// (ControlBase::InstanceNameOf). Its procedure may be replaced with
// SetWindowLongPtrW; the host's procedure then runs as the previous one
// and still validates WM_PAINT (calling Paint()) and raises the events.
#pragma once
#include "Control.h"
#include "DragData.h"

namespace host {

namespace dragdrop {
class Target;
}

class UserControl : public ControlBase, public Container {
public:
    explicit UserControl(std::wstring kind);
    ~UserControl() override;

    // ---- Lifecycle events (called by the host) -----------------------
    virtual void Initialize() {}
    virtual void InitProperties() {}
    virtual void ReadProperties(const PropertyBag& bag) { (void)bag; }
    virtual void Resize() {}
    virtual void Show() {}
    virtual void Hide() {}
    // On WM_PAINT, between BeginPaint and EndPaint; draw on hDC().
    virtual void Paint() {}
    virtual void EnterFocus() {}
    virtual void GotFocus() {}
    virtual void LostFocus() {}
    virtual void ExitFocus() {}
    virtual void WriteProperties(PropertyBag& bag) { (void)bag; }
    // "UserMode", "DisplayAsDefault", "BackColor", "ForeColor", "Font", "DisplayName".
    virtual void AmbientChanged(const std::wstring& name) { (void)name; }
    virtual void Terminate() {}

    // ---- Input (for controls that do not hook their window) ----------
    // button: 1 left, 2 right, 4 middle; shift: 1 shift, 2 ctrl, 4 alt;
    // x, y pixels of the client area.
    virtual void MouseDown(int button, int shift, float x, float y) {}
    virtual void MouseUp(int button, int shift, float x, float y) {}
    virtual void MouseMove(int button, int shift, float x, float y) {}
    // Left button pressed and released over the control.
    virtual void Click() {}
    virtual void DblClick() {}
    virtual void KeyDown(int& keyCode, int& shift) {}
    virtual void KeyPress(int& keyAscii) {}
    virtual void KeyUp(int& keyCode, int& shift) {}
    // One of AccessKeys() with Alt, Enter (13) on the form's default
    // control, Esc (27) on its cancel control.
    virtual void AccessKeyPress(int keyAscii) {}

    // ---- Drag and drop (every control, hooked or not) -------------------
    // As a drop target (OLEDropMode 1): a drag entered, moves over or left
    // the window (state kDragEnter, kDragOver, kDragLeave), or was dropped
    // on it. Effect comes in as what the source allows; the handler leaves
    // what it would do (kDropEffectNone refuses). x, y are client pixels.
    virtual void OLEDragOver(DragData& data, long& effect, int button, int shift, float x, float y, int state) {}
    virtual void OLEDragDrop(DragData& data, long& effect, int button, int shift, float x, float y) {}
    // As the source of a drag started with OLEDrag: fill the data and say
    // which effects are allowed (copy and move to begin with); give a
    // format's data when a target asks for one offered without it; choose
    // the cursors (defaultCursors false: the handler set its own); hear
    // what the drop did (kDropEffectNone when cancelled).
    virtual void OLEStartDrag(DragData& data, long& allowedEffects) {}
    virtual void OLESetData(DragData& data, int& dataFormat) {}
    virtual void OLEGiveFeedback(long& effect, bool& defaultCursors) {}
    virtual void OLECompleteDrag(long effect) {}

    // ---- Services ---------------------------------------------------
    HDC hDC() const { return hdc_; }          // the window's own device context
    int ScaleWidth() const;                   // client pixels
    int ScaleHeight() const;

    const host::Font& Font() const { return font_; }
    void SetFont(const host::Font& f);
    Colour BackColor() const { return back_; }
    void SetBackColor(Colour c);              // repaints; children hear AmbientChanged("BackColor")
    Colour ForeColor() const { return fore_; }
    void SetForeColor(Colour c);

    // 0 default arrow, 1 arrow, 2 cross, 3 I-beam, 11 hourglass, 99 custom (MouseIcon).
    int MousePointer() const { return pointer_; }
    void SetMousePointer(int p);
    PictureRef MouseIcon() const { return mouseIcon_; }
    // Takes an icon or cursor (or null); refuses a bitmap and returns
    // false with the reason in MouseIconError().
    bool SetMouseIcon(PictureRef p);
    const std::wstring& MouseIconError() const { return mouseIconError_; }

    // 0 takes no drops; 1 makes the window a drop target of the system's
    // drag and drop, and the control hears OLEDragOver and OLEDragDrop.
    // Other values are ignored. Stored forms may give it as "OLEDropMode".
    int OLEDropMode() const { return oleDropMode_; }
    void SetOLEDropMode(int mode);
    // The window is registered as a drop target now.
    bool IsDropTarget() const { return dropTarget_ != nullptr; }
    // Starts a drag from the control (typically while a mouse button is
    // held): OLEStartDrag fills the data, and the drag runs until the
    // button is let go over a target or Esc cancels it; OLECompleteDrag
    // tells how it ended. Returns then.
    void OLEDrag();

    const std::wstring& AccessKeys() const { return accessKeys_; }
    void SetAccessKeys(std::wstring keys) { accessKeys_ = std::move(keys); }

    Colour ContainerBackColor() const;
    host::Font ContainerFont() const;
    bool ContainerIsMdi() const { return false; }

    // ---- Ambient values ----------------------------------------------
    bool UserMode() const { return !DesignMode(); }
    bool DisplayAsDefault() const;            // the form's default control
    Colour AmbientBackColor() const { return ContainerBackColor(); }
    Colour AmbientForeColor() const;
    host::Font AmbientFont() const { return ContainerFont(); }
    std::wstring DisplayName() const { return Name(); }

    // Tells the host a stored property changed. Each key is kept once (the
    // set of keys changed since the last clear), so a control that changes
    // properties for hours holds a bounded list.
    void PropertyChanged(const std::wstring& key);
    const std::vector<std::wstring>& ChangedProperties() const { return changed_; }
    void ClearChangedProperties() { changed_.clear(); }

    // The control shows this caption now (setters and property loads call
    // it): it becomes the window's text, kept current; an empty caption
    // gives the instance name back.
    void CaptionChanged(const std::wstring& caption);

    // Repaints now.
    void Refresh();

    // Runs WriteProperties into a fresh bag.
    PropertyBag SaveBag();
    void SaveProperties(PropertyBag& bag) override;

    // The form's default or cancel control changed, or the design flag:
    // forwarded by the host.
    void NotifyAmbientChanged(const std::wstring& name);

    // ---- Container side ------------------------------------------------
    HWND ContainerWindow() const override { return hWnd(); }
    Colour ContainerColour() const override { return back_; }
    host::Font ContainerFontValue() const override { return font_; }
    std::wstring ContainerPath() const override { return Path(); }
    Form* OwningForm() const override { return ParentForm(); }

    // Every owner-drawn control alive, for ambient broadcasts.
    static const std::vector<UserControl*>& Live();

protected:
    HWND CreateControlWindow(HWND parent, int x, int y, int w, int h) override;
    void LoadProperties(const PropertyBag* saved) override;
    void Placed() override;
    void Shown() override;
    void Unloading() override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    bool OnParentNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

public:
    // Raises Show or Hide as the window appears or goes.
    void SetVisible(bool v) override;

private:
    void StopDrops();

    HDC hdc_ = nullptr;
    host::Font font_;
    Colour back_ = 0x8000000F;
    Colour fore_ = 0x80000012;
    int pointer_ = 0;
    PictureRef mouseIcon_;
    std::wstring mouseIconError_;
    std::wstring accessKeys_;
    std::vector<std::wstring> changed_;
    int oleDropMode_ = 0;
    dragdrop::Target* dropTarget_ = nullptr;  // registered while OLEDropMode is 1
    bool pressed_ = false;        // left button went down over the window
    bool sized_ = false;          // the first Resize has run
};

} // namespace host

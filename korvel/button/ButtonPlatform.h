// What the kxButtons_H button model asks of its window: colour
// translation, design-time messages, the host's copies of its properties,
// the window's shape, layout and painting, capture, the hover timer and
// the container's option group. The Win32 control implements it; the
// model's tests implement it with a recording fake. No Windows header.
#pragma once
#include "ButtonColors.h"

#include "host/Values.h"

#include <string>

namespace kx {

class ButtonModel;

// The option group of one container: "kx_OptCount" and "kx_Obj1".."kx_ObjN".
class OptionRegistry {
public:
    virtual ~OptionRegistry() = default;
    virtual int Count() const = 0;                    // 0 when missing
    virtual void SetCount(int n) = 0;                 // 0 removes the count
    virtual ButtonModel* Member(int index) const = 0; // 1-based; null when missing
    virtual void SetMember(int index, ButtonModel* b) = 0;
    virtual void RemoveMember(int index) = 0;
};

class ButtonPlatform {
public:
    virtual ~ButtonPlatform() = default;

    // ---- Host services ----------------------------------------------------
    virtual Rgb Translate(host::Colour c) const = 0;
    virtual bool InDesignMode() const = 0;
    // A modal information box with one OK button; an empty title is the
    // host's default. Only called in design mode.
    virtual void ShowMessage(const std::wstring& text, const std::wstring& title) = 0;
    virtual void NotifyChanged(const std::wstring& key) = 0;
    // The host keeps its own copy of these properties (input, cursor,
    // ambient font): the model hands each new value on.
    virtual void PassEnabled(bool v) = 0;
    virtual void PassForeColor(host::Colour v) = 0;
    virtual void PassFont(const host::Font& v) = 0;
    virtual void PassMousePointer(int v) = 0;
    // False when the host refuses the picture; error then says why.
    virtual bool PassMouseIcon(const host::PictureRef& v, std::wstring& error) = 0;
    virtual void PassAccessKey(wchar_t key) = 0;
    virtual host::Colour AmbientBack() const = 0;
    virtual bool IsDefaultButton() const = 0;
    virtual std::wstring DesignName() const = 0;
    virtual bool InMdiParent() const = 0;
    virtual host::Font ParentFont() const = 0;
    // Remembers the container window (as decimal text in the tag).
    virtual void RememberContainer() = 0;

    // ---- Shape, layout and painting -------------------------------------
    virtual void RebuildShape() = 0;
    virtual void Relayout(bool pictureChanged) = 0;
    virtual void PaintButton() = 0;      // the whole repaint sequence
    virtual void ResizeHandling() = 0;
    virtual void BuildDrawingFont() = 0;

    // ---- Input --------------------------------------------------------------
    virtual void CaptureMouse(bool capture) = 0;
    virtual bool CursorOverButton() const = 0;
    // Sets "kx_ClassID"/"kx_TimerID" on the button window and starts the
    // timer; false when that failed.
    virtual bool StartHoverTimer() = 0;
    virtual void StopHoverTimer(int timerId) = 0;
    virtual void PostKeyToContainer(int keyCode, long lParam) = 0;
    virtual void CursorClientPosition(float& x, float& y) const = 0;
    // The option group of the container, or null.
    virtual OptionRegistry* Registry() = 0;
};

}  // namespace kx

// The body every Tessara control is built on. It owns what each control
// would otherwise write again: the hook on its own window (attached at run
// time when the properties are read or initialised, detached at
// termination), the paint cycle with its one off-screen surface (kept while
// the size and the font stay), the
// design-time paint, invalidation, the message switch with its mouse-move
// throttle, the deferred layout of a burst of changes, and measuring text
// in the control's font.
//
// A control supplies PaintTo (the whole frame onto a surface) and the
// handlers of the messages it watches:
//
//   class YProgress : public kit::ControlSkeleton {
//   public:
//       YProgress() : ControlSkeleton(L"YProgress", {WM_PAINT}, Options().NoText()) {}
//   protected:
//       void ReadStored(const host::PropertyBag& bag) override { ... }
//       void PaintTo(HDC dc, int width, int height) override { ... }
//   };
//
// host/README.md walks through writing one.
#pragma once
#include "tessara/kit/Hook.h"
#include "tessara/kit/MdlMemDC.h"
#include "tessara/kit/PixelMath.h"
#include "tessara/kit/Throttle.h"
#include "tessara/kit/Timing.h"

#include "host/UserControl.h"

#include <functional>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <vector>

namespace kit {

// How a control paints and takes the mouse; the defaults suit most.
struct SkeletonOptions {
    // The frame draws text: the control's font and ForeColor are set up
    // on the surface (transparent background) for PaintTo.
    bool text = true;
    // The surface is filled with this colour before each frame (for a
    // frame that leaves pixels of the surface unpainted: the surface holds
    // the last frame).
    std::optional<host::Colour> clear;
    // The paint event draws the frame at design time.
    bool atDesignTime = true;
    // Mouse moves reach OnMouseMove at most every 30 ms; false leaves the
    // throttling to the control's model.
    bool throttleMoves = true;

    SkeletonOptions& NoText() { text = false; return *this; }
    SkeletonOptions& Clear(host::Colour c) { clear = c; return *this; }
    SkeletonOptions& NothingAtDesignTime() { atDesignTime = false; return *this; }
    SkeletonOptions& ModelThrottlesMoves() { throttleMoves = false; return *this; }
};

class ControlSkeleton : public host::UserControl, public HookClient {
public:
    using Options = SkeletonOptions;

    // Draws the whole frame onto a surface of width x height pixels, text set
    // up, exactly as a paint does (a printout, a picture of the control).
    void DrawFrame(HDC surface, int width, int height);

    // A deferred layout waits to run.
    bool LayoutPending() const { return layout_.Pending(); }
    // tmHeight of the control's font (measured once per font).
    int TextHeight() const;

    // Runs the deferred layout now, as its timer would (benchmarks and tests
    // that do not wait).
    void LayoutNow()
    {
        layout_.Stop();
        RunLayout();
    }

    void zSubclass_Proc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND hWnd, UINT& uMsg, WPARAM& wParam,
                        LPARAM& lParam) final;

protected:
    // kind: the window class. watched: the messages of its own window that
    // it takes through the hook, in this order (none: the control paints in
    // its ordinary paint event and hooks nothing).
    ControlSkeleton(const wchar_t* kind, std::initializer_list<UINT> watched, Options options = Options());
    ~ControlSkeleton() override;

    // ---- What a control supplies -----------------------------------------
    // The whole frame: every pixel of the surface (width x height).
    virtual void PaintTo(HDC surface, int width, int height) = 0;
    // Rows of the surface copied to the window (from the top).
    virtual int PresentedHeight(int height) const { return height; }
    // After each paint through the hook.
    virtual void Painted() {}
    // A new placement (no stored properties), and stored properties; the
    // hook is attached right after either at run time.
    virtual void InitNew() {}
    virtual void ReadStored(const host::PropertyBag& bag) { (void)bag; }
    // More windows to hook after the control's own (its parts).
    virtual void HookParts(WindowHook& hook) { (void)hook; }
    // Before the hook is detached at termination: stop timers, free images.
    virtual void Teardown() {}
    // The deferred layout that DeferLayout schedules.
    virtual void RunLayout() {}

    // ---- Messages of the own window (only those watched) -----------------
    // x, y are the mouse words of lParam.
    virtual void OnMouseMove(int x, int y) { (void)x, (void)y; }
    virtual void OnMouseLeave() {}
    virtual void OnLButtonDown(int x, int y) { (void)x, (void)y; }
    virtual void OnLButtonDblClk(int x, int y) { (void)x, (void)y; }
    virtual void OnLButtonUp(int x, int y) { (void)x, (void)y; }
    virtual void OnRButtonDown(int x, int y) { (void)x, (void)y; }
    virtual void OnMouseWheel(WPARAM wParam) { (void)wParam; }
    virtual void OnKillFocus(HWND to) { (void)to; }
    // A watched message of a part's window (HookParts).
    virtual void OnPartMessage(HWND part, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        (void)part, (void)msg, (void)wParam, (void)lParam;
    }

    // ---- Services ----------------------------------------------------------
    // Asks for a new frame (erase: let the window clear itself first).
    void Invalidate(bool erase = false);
    // Moves a part (an embedded control or picture box) to a rectangle of
    // the control's client pixels.
    static void Place(host::ControlBase& part, const Rect& pixels);
    // A part's frame (a picture box of the control) drawn on an off-screen
    // surface of width x height and copied onto the part's target in one go.
    void PaintPart(HDC target, int width, int height, const std::function<void(HDC surface)>& draw);
    // Notes a change: RunLayout runs once, about 100 ms after the last one.
    // Changes made before the window is first on screen (a form's load) are
    // laid out for its first frame instead.
    void DeferLayout();
    void CancelLayout() { layout_.Stop(); }

    // Measures in the control's font on one device context for as long as it
    // lives (nested scopes use the outer one's; a paint measures on its
    // surface), instead of making the font again for every text.
    class Measuring {
    public:
        explicit Measuring(const ControlSkeleton& control);
        ~Measuring();
        Measuring(const Measuring&) = delete;
        Measuring& operator=(const Measuring&) = delete;

    private:
        const ControlSkeleton& control_;
        HGDIOBJ previous_ = nullptr;
        bool outer_ = false;
    };
    // Width of a text in the control's font.
    int TextWidth(std::wstring_view text) const;

private:
    void InitProperties() final;
    void ReadProperties(const host::PropertyBag& bag) final;
    void Paint() final;
    void Terminate() final;

    void AttachHook();
    void OnPaint();
    // PaintTo on a surface whose text is set up already.
    void DrawPrepared(HDC surface, int width, int height);
    void ReleaseSurfaces();

    const std::vector<UINT> watched_;
    const Options options_;
    WindowHook hook_{*this};
    Throttle moves_;
    BurstTimer layout_{[this] { RunLayout(); }};
    // The frame's surface and the font, kept between paints, and one
    // surface for each part that paints through PaintPart.
    mutable FramePainter painter_;
    struct PartSurface {
        HDC target;
        KeptSurface surface;
    };
    std::vector<PartSurface> parts_;
    bool paintedOnce_ = false;
    bool changedWhileShown_ = false;  // before the first frame
    mutable HDC measureDc_ = nullptr;    // set while a Measuring scope or a paint is open
    mutable host::Font measuredFont_;    // TextHeight's font and result
    mutable int measuredHeight_ = -1;
};

} // namespace kit

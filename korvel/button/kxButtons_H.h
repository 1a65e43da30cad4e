// kxButtons_H: the launcher's owner-drawn push button (window class
// "kxButtons_H"). Place it on a form like any owner-drawn control:
//
//   auto& ok = form.AddControl<kxButtons_H>(L"cmdOK", 600, 2400, 1215, 375);
//   ok.SetCaption(L"确定(&O)");
//   ok.Click.connect([&] { Accept(); });
//
// It paints one of eight looks (ButtonStyle) in one of nine outlines
// (ButtonShape), works as a command button, check box or option button
// (Mode; option buttons on one container form one group), shows a caption
// with an optional picture and follows the mouse with hover colours.
// Properties, events and their rules live in kx::ButtonModel; this class
// gives them a window, an off-screen surface and the platform services.
#pragma once
#include "ButtonLayout.h"
#include "ButtonModel.h"

#include "host/UserControl.h"

#include <vector>

namespace kx {
namespace detail {

// Takes the host's input and enable notifications under the host's own
// names (MouseDown, Click, ...) and hands them on, so that the button can
// use those names for its events.
class ButtonHostSide : public host::UserControl {
protected:
    ButtonHostSide() : UserControl(L"kxButtons_H") {}

    virtual void OnHostMouseDown(int button, int shift, float x, float y) = 0;
    virtual void OnHostMouseUp(int button, int shift, float x, float y) = 0;
    virtual void OnHostMouseMove(int button, int shift, float x, float y) = 0;
    virtual void OnHostClick() = 0;
    virtual void OnHostDblClick() = 0;
    virtual void OnHostKeyDown(int& keyCode, int& shift) = 0;
    virtual void OnHostKeyPress(int& keyAscii) = 0;
    virtual void OnHostKeyUp(int& keyCode, int& shift) = 0;
    virtual void OnHostAccessKey(int keyAscii) = 0;
    virtual void OnHostSetEnabled(bool enabled) = 0;
    virtual void OnHostOLEDragOver(host::DragData& data, long& effect, int button, int shift, float x, float y,
                                   int state) = 0;
    virtual void OnHostOLEDragDrop(host::DragData& data, long& effect, int button, int shift, float x, float y) = 0;
    virtual void OnHostOLEStartDrag(host::DragData& data, long& allowedEffects) = 0;
    virtual void OnHostOLESetData(host::DragData& data, int& dataFormat) = 0;
    virtual void OnHostOLEGiveFeedback(long& effect, bool& defaultCursors) = 0;
    virtual void OnHostOLECompleteDrag(long effect) = 0;

private:
    void MouseDown(int button, int shift, float x, float y) final { OnHostMouseDown(button, shift, x, y); }
    void MouseUp(int button, int shift, float x, float y) final { OnHostMouseUp(button, shift, x, y); }
    void MouseMove(int button, int shift, float x, float y) final { OnHostMouseMove(button, shift, x, y); }
    void Click() final { OnHostClick(); }
    void DblClick() final { OnHostDblClick(); }
    void KeyDown(int& keyCode, int& shift) final { OnHostKeyDown(keyCode, shift); }
    void KeyPress(int& keyAscii) final { OnHostKeyPress(keyAscii); }
    void KeyUp(int& keyCode, int& shift) final { OnHostKeyUp(keyCode, shift); }
    void AccessKeyPress(int keyAscii) final { OnHostAccessKey(keyAscii); }
    void SetEnabled(bool v) final { OnHostSetEnabled(v); }
    void OLEDragOver(host::DragData& data, long& effect, int button, int shift, float x, float y, int state) final
    {
        OnHostOLEDragOver(data, effect, button, shift, x, y, state);
    }
    void OLEDragDrop(host::DragData& data, long& effect, int button, int shift, float x, float y) final
    {
        OnHostOLEDragDrop(data, effect, button, shift, x, y);
    }
    void OLEStartDrag(host::DragData& data, long& allowedEffects) final { OnHostOLEStartDrag(data, allowedEffects); }
    void OLESetData(host::DragData& data, int& dataFormat) final { OnHostOLESetData(data, dataFormat); }
    void OLEGiveFeedback(long& effect, bool& defaultCursors) final { OnHostOLEGiveFeedback(effect, defaultCursors); }
    void OLECompleteDrag(long effect) final { OnHostOLECompleteDrag(effect); }
};

// The option group kept as window properties of the container window:
// "kx_OptCount" and "kx_Obj1".."kx_ObjN".
class WindowPropRegistry : public OptionRegistry {
public:
    void SetWindow(HWND container) { container_ = container; }
    HWND Window() const { return container_; }
    int Count() const override;
    void SetCount(int n) override;
    ButtonModel* Member(int index) const override;
    void SetMember(int index, ButtonModel* b) override;
    void RemoveMember(int index) override;

private:
    HWND container_ = nullptr;
};

}  // namespace detail

class kxButtons_H : public detail::ButtonHostSide, public ButtonModel {
public:
    kxButtons_H();
    ~kxButtons_H() override;

    // The button's events and properties; the host's notifications of the
    // same names stay on the host side.
    using ButtonModel::Click;
    using ButtonModel::KeyDown;
    using ButtonModel::KeyPress;
    using ButtonModel::KeyUp;
    using ButtonModel::MouseDown;
    using ButtonModel::MouseMove;
    using ButtonModel::MouseUp;
    using ButtonModel::OLECompleteDrag;
    using ButtonModel::OLEDragDrop;
    using ButtonModel::OLEDragOver;
    using ButtonModel::OLEGiveFeedback;
    using ButtonModel::OLESetData;
    using ButtonModel::OLEStartDrag;
    using ButtonModel::BackColor;
    using ButtonModel::Enabled;
    using ButtonModel::Font;
    using ButtonModel::ForeColor;
    using ButtonModel::MouseIcon;
    using ButtonModel::MousePointer;
    using ButtonModel::Refresh;
    using ButtonModel::SetBackColor;
    using ButtonModel::SetEnabled;
    using ButtonModel::SetFont;
    using ButtonModel::SetForeColor;
    using ButtonModel::SetMouseIcon;
    using ButtonModel::SetMousePointer;

    // Read-only: the control's drawing surface and window.
    HDC hdc() const { return hDC(); }
    HWND hwnd() const { return hWnd(); }

    // Geometry as last built (pixels).
    int LeftRun() const { return leftRun_; }
    int RightEdge() const { return rightEdge_; }
    const kx::Layout& CurrentLayout() const { return layout_; }
    // How many times the picture has been scaled and prepared (once per
    // size or picture change, never per paint).
    int PicturePreparations() const { return preparations_; }

    // Sets the look state directly and repaints: lets a caller show a
    // pressed, hovered or default look without input.
    void ShowLookState(std::uint16_t stateBits, bool hovering, bool pressedLook);

protected:
    // ---- Host lifecycle ---------------------------------------------------
    void InitProperties() override;
    void ReadProperties(const host::PropertyBag& bag) override;
    void WriteProperties(host::PropertyBag& bag) override;
    void Resize() override;
    void Show() override;
    void Paint() override;
    void GotFocus() override;
    void AmbientChanged(const std::wstring& name) override;
    void Terminate() override;

    // ---- Host input -------------------------------------------------------
    void OnHostMouseDown(int button, int shift, float x, float y) override;
    void OnHostMouseUp(int button, int shift, float x, float y) override;
    void OnHostMouseMove(int button, int shift, float x, float y) override;
    void OnHostClick() override;
    void OnHostDblClick() override;
    void OnHostKeyDown(int& keyCode, int& shift) override;
    void OnHostKeyPress(int& keyAscii) override;
    void OnHostKeyUp(int& keyCode, int& shift) override;
    void OnHostAccessKey(int keyAscii) override;
    void OnHostSetEnabled(bool enabled) override;
    // The six drag-and-drop notifications pass through as the events.
    void OnHostOLEDragOver(host::DragData& data, long& effect, int button, int shift, float x, float y,
                           int state) override;
    void OnHostOLEDragDrop(host::DragData& data, long& effect, int button, int shift, float x, float y) override;
    void OnHostOLEStartDrag(host::DragData& data, long& allowedEffects) override;
    void OnHostOLESetData(host::DragData& data, int& dataFormat) override;
    void OnHostOLEGiveFeedback(long& effect, bool& defaultCursors) override;
    void OnHostOLECompleteDrag(long effect) override;

    // ---- Platform services for the model ---------------------------------
    kx::Rgb Translate(host::Colour c) const override;
    bool InDesignMode() const override;
    void ShowMessage(const std::wstring& text, const std::wstring& title) override;
    void NotifyChanged(const std::wstring& key) override;
    void PassEnabled(bool v) override;
    void PassForeColor(host::Colour v) override;
    void PassFont(const host::Font& v) override;
    void PassMousePointer(int v) override;
    bool PassMouseIcon(const host::PictureRef& v, std::wstring& error) override;
    void PassAccessKey(wchar_t key) override;
    host::Colour AmbientBack() const override;
    bool IsDefaultButton() const override;
    std::wstring DesignName() const override;
    bool InMdiParent() const override;
    host::Font ParentFont() const override;
    void RememberContainer() override;
    void RebuildShape() override;
    void Relayout(bool pictureChanged) override;
    void PaintButton() override;
    void ResizeHandling() override;
    void BuildDrawingFont() override;
    void CaptureMouse(bool capture) override;
    bool CursorOverButton() const override;
    bool StartHoverTimer() override;
    void StopHoverTimer(int timerId) override;
    void PostKeyToContainer(int keyCode, long lParam) override;
    void CursorClientPosition(float& x, float& y) const override;
    kx::OptionRegistry* Registry() override;

private:
    // Off-screen surface and prepared picture
    bool EnsureSurface();
    void ReleaseGdi();
    void PreparePicture(int width, int height);
    void ReleasePrepared();
    void ApplyWindowRegion(HRGN outer);

    // Painting steps (ButtonPaint.cpp)
    bool CustomClickMove(const kx::LookState& s);
    void PaintRingAndClip(const kx::LookState& s);
    void FillBackground(const kx::LookState& s, const kx::StyleLook& look);
    void DrawCaption(const kx::LookState& s, const kx::StyleLook& look);
    void DrawPicture(const kx::LookState& s, const kx::StyleLook& look);
    void DrawBevel(const kx::LookState& s, const kx::StyleLook& look);
    void DrawFocusFrame(const kx::LookState& s, const kx::StyleLook& look);
    void DrawPreparedPicture(HDC dc, const kx::Rect& area);
    void PresentTo(HDC target);
    void FrameShapedButton(HDC target);

    HDC surface_ = nullptr;           // off-screen surface, compatible with hDC()
    HBITMAP firstBitmap_ = nullptr;   // the surface's own bitmap, put back before deleting ours
    HBITMAP bitmap_ = nullptr;        // W x H bitmap selected into the surface
    int surfaceW_ = 0, surfaceH_ = 0;
    HFONT font_ = nullptr;            // drawing font selected into the surface
    HFONT firstFont_ = nullptr;

    HRGN outerRgn_ = nullptr;         // our copy of the window region
    HRGN inner1_ = nullptr;           // inset by one pixel (ovals, picture shapes)
    HRGN inner2_ = nullptr;           // inset by two
    int leftRun_ = 0;
    int rightEdge_ = 0;
    bool reshaping_ = false;          // resizing the window for its shape

    kx::Layout layout_;
    HBITMAP preparedColour_ = nullptr;  // scaled picture, transparent pixels black
    HBITMAP preparedMask_ = nullptr;    // one bit per pixel, 1 = transparent
    std::vector<std::uint32_t> preparedPixels_;  // normalised pixels of the scaled picture
    int preparedW_ = 0, preparedH_ = 0;
    const host::Picture* preparedFrom_ = nullptr;
    int preparations_ = 0;

    bool frameAfterCopy_ = false;     // a shaped frame goes onto the window after the copy
    HRGN frameRgn_ = nullptr;         // which region it follows (not owned)
    kx::Rgb frameColour_ = 0;

    kx::detail::WindowPropRegistry registry_;
};

}  // namespace kx

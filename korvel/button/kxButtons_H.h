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
// Properties, events and their rules live in kx::ButtonModel, which this
// class holds and reaches the window through (its ButtonPlatform, a private
// site). The button's properties, methods and events are the model's,
// forwarded; Model() reads the rest of its state.
#pragma once
#include "ButtonLayout.h"
#include "ButtonModel.h"

#include "host/UserControl.h"

#include <memory>
#include <vector>

namespace kx {
namespace detail {

// Takes the host's input notifications under the host's own names
// (MouseDown, Click, ...) and hands them on, so that the button can use
// those names for its events.
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

class kxButtons_H : public detail::ButtonHostSide {
    // First: the event members below refer into the model.
    class Site;
    std::unique_ptr<Site> site_;
    ButtonModel model_;

public:
    kxButtons_H();
    ~kxButtons_H() override;

    // The model, for the rest of its state (StateBits, Hovering, Colours,
    // AccessKey ...).
    const ButtonModel& Model() const { return model_; }

    // ---- Events (the model's) ---------------------------------------------
    host::Event<int, int, float, float>& MouseDown = model_.MouseDown;
    host::Event<int, int, float, float>& MouseUp = model_.MouseUp;
    host::Event<int, int, float, float>& MouseMove = model_.MouseMove;
    host::Event<int&, int&>& KeyDown = model_.KeyDown;
    host::Event<int&>& KeyPress = model_.KeyPress;
    host::Event<int, int>& KeyUp = model_.KeyUp;
    host::Event<bool&>& MouseOnButton = model_.MouseOnButton;
    host::Event<>& Click = model_.Click;
    host::Event<int>& DoubleClick = model_.DoubleClick;
    host::Event<long>& OLECompleteDrag = model_.OLECompleteDrag;
    host::Event<DragData&, long&, int, int, float, float>& OLEDragDrop = model_.OLEDragDrop;
    host::Event<DragData&, long&, int, int, float, float, int>& OLEDragOver = model_.OLEDragOver;
    host::Event<long&, bool&>& OLEGiveFeedback = model_.OLEGiveFeedback;
    host::Event<DragData&, int&>& OLESetData = model_.OLESetData;
    host::Event<DragData&, long&>& OLEStartDrag = model_.OLEStartDrag;

    // ---- Properties (the model's; they hide the host's of the same names,
    // which the model keeps in step) -----------------------------------------
    int ButtonStyle() const { return model_.ButtonStyle(); }
    void SetButtonStyle(int v) { model_.SetButtonStyle(v); }
    int Mode() const { return model_.Mode(); }
    void SetMode(int v) { model_.SetMode(v); }
    const std::wstring& Caption() const { return model_.Caption(); }
    void SetCaption(const std::wstring& v) { model_.SetCaption(v); }
    int CaptionAlign() const { return model_.CaptionAlign(); }
    void SetCaptionAlign(int v) { model_.SetCaptionAlign(v); }
    int CaptionStyle() const { return model_.CaptionStyle(); }
    void SetCaptionStyle(int v) { model_.SetCaptionStyle(v); }
    int CustomClick() const { return model_.CustomClick(); }
    void SetCustomClick(int v) { model_.SetCustomClick(v); }
    int ButtonShape() const { return model_.ButtonShape(); }
    void SetButtonShape(int v) { model_.SetButtonShape(v); }
    const host::PictureRef& Picture() const { return model_.Picture(); }
    void SetPicture(host::PictureRef v) { model_.SetPicture(std::move(v)); }
    int PictureAlign() const { return model_.PictureAlign(); }
    void SetPictureAlign(int v) { model_.SetPictureAlign(v); }
    bool Enabled() const { return model_.Enabled(); }
    // Also the host's enable notification.
    void SetEnabled(bool v) override { model_.SetEnabled(v); }
    bool ShowFocusRect() const { return model_.ShowFocusRect(); }
    void SetShowFocusRect(bool v) { model_.SetShowFocusRect(v); }
    bool Value() const { return model_.Value(); }
    void SetValue(bool v) { model_.SetValue(v); }
    int PictureSize() const { return model_.PictureSize(); }
    void SetPictureSize(int v) { model_.SetPictureSize(v); }
    int MousePointer() const { return model_.MousePointer(); }
    void SetMousePointer(int v) { model_.SetMousePointer(v); }
    const host::PictureRef& MouseIcon() const { return model_.MouseIcon(); }
    void SetMouseIcon(host::PictureRef v) { model_.SetMouseIcon(std::move(v)); }
    const host::Font& Font() const { return model_.Font(); }
    void SetFont(const host::Font& v) { model_.SetFont(v); }
    int FontStyle() const { return model_.FontStyle(); }
    void SetFontStyle(int v) { model_.SetFontStyle(v); }
    host::Colour ForeColor() const { return model_.ForeColor(); }
    void SetForeColor(host::Colour v) { model_.SetForeColor(v); }
    host::Colour BackColor() const { return model_.BackColor(); }
    void SetBackColor(host::Colour v) { model_.SetBackColor(v); }
    host::Colour GradientColor() const { return model_.GradientColor(); }
    void SetGradientColor(host::Colour v) { model_.SetGradientColor(v); }
    int GradientMode() const { return model_.GradientMode(); }
    void SetGradientMode(int v) { model_.SetGradientMode(v); }
    bool ResetDefaultColors() const { return model_.ResetDefaultColors(); }
    void SetResetDefaultColors(bool v) { model_.SetResetDefaultColors(v); }
    int HoverColorLocks() const { return model_.HoverColorLocks(); }
    void SetHoverColorLocks(int v) { model_.SetHoverColorLocks(v); }
    host::Colour HoverForeColor() const { return model_.HoverForeColor(); }
    void SetHoverForeColor(host::Colour v) { model_.SetHoverForeColor(v); }
    host::Colour HoverBackColor() const { return model_.HoverBackColor(); }
    void SetHoverBackColor(host::Colour v) { model_.SetHoverBackColor(v); }

    // ---- Methods ------------------------------------------------------------
    void Refresh() { model_.Refresh(); }  // clears DrawingDelayed and repaints
    void DelayDrawing(bool delay) { model_.DelayDrawing(delay); }

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
    // The six drag-and-drop notifications pass through as the events.
    void OnHostOLEDragOver(host::DragData& data, long& effect, int button, int shift, float x, float y,
                           int state) override;
    void OnHostOLEDragDrop(host::DragData& data, long& effect, int button, int shift, float x, float y) override;
    void OnHostOLEStartDrag(host::DragData& data, long& allowedEffects) override;
    void OnHostOLESetData(host::DragData& data, int& dataFormat) override;
    void OnHostOLEGiveFeedback(long& effect, bool& defaultCursors) override;
    void OnHostOLECompleteDrag(long effect) override;

private:
    // The model's platform work that needs the control's GDI state.
    void RebuildShape();
    void Relayout(bool pictureChanged);
    void PaintButton();      // the whole repaint sequence
    void ResizeHandling();
    void BuildDrawingFont();

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
};

}  // namespace kx

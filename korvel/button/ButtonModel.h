// The kxButtons_H button without its window: every property with its
// range and side effects, hover-colour locks, design-time messages,
// saving and loading, the mouse/key/focus state machine, the option
// group and the hover leave check. Platform work (painting, regions,
// capture, timers, window properties) goes through the ButtonPlatform the
// model is given at construction. No Windows header.
#pragma once
#include "ButtonColors.h"
#include "ButtonLayout.h"
#include "ButtonLooks.h"
#include "ButtonPlatform.h"

#include "host/DragData.h"
#include "host/Event.h"
#include "host/Values.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kx {

// Option-group actions.
enum OptionAction : int {
    kOptionLeave = -1,
    kOptionClearOthers = 0,
    kOptionJoin = 1,
    kOptionQuery = 2,
};

// Property defaults.
constexpr host::Colour kButtonFace = 0x8000000F;
constexpr host::Colour kButtonText = 0x80000012;
constexpr int kHoverTimerId = 237;
constexpr int kHoverTimerMs = 50;

// Drag-and-drop payload as the host hands it on.
using DragData = host::DragData;

class ButtonModel {
public:
    explicit ButtonModel(ButtonPlatform& platform) : site_(platform) {}
    ButtonModel(const ButtonModel&) = delete;
    ButtonModel& operator=(const ButtonModel&) = delete;

    // ---- Events, in declaration order -------------------------------
    host::Event<int, int, float, float> MouseDown;  // Button, Shift, X, Y
    host::Event<int, int, float, float> MouseUp;
    host::Event<int, int, float, float> MouseMove;
    host::Event<int&, int&> KeyDown;                 // KeyCode, Shift (by reference)
    host::Event<int&> KeyPress;                      // KeyAscii
    host::Event<int, int> KeyUp;                     // KeyCode, Shift
    host::Event<bool&> MouseOnButton;                // OnButton
    host::Event<> Click;
    host::Event<int> DoubleClick;                    // Button
    host::Event<long> OLECompleteDrag;               // Effect
    host::Event<DragData&, long&, int, int, float, float> OLEDragDrop;
    host::Event<DragData&, long&, int, int, float, float, int> OLEDragOver;
    host::Event<long&, bool&> OLEGiveFeedback;       // Effect, DefaultCursors
    host::Event<DragData&, int&> OLESetData;         // Data, DataFormat
    host::Event<DragData&, long&> OLEStartDrag;      // Data, AllowedEffects

    // ---- Properties (setters ignore out-of-range values) -------------
    int ButtonStyle() const { return style_; }
    void SetButtonStyle(int v);
    int Mode() const { return mode_; }
    void SetMode(int v);
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& v);
    int CaptionAlign() const { return captionAlign_; }
    void SetCaptionAlign(int v);
    int CaptionStyle() const { return captionStyle_; }
    void SetCaptionStyle(int v);
    int CustomClick() const { return customClick_; }
    void SetCustomClick(int v);
    int ButtonShape() const { return shape_; }
    void SetButtonShape(int v);
    const host::PictureRef& Picture() const { return picture_; }
    void SetPicture(host::PictureRef v);
    int PictureAlign() const { return pictureAlign_; }
    void SetPictureAlign(int v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    bool ShowFocusRect() const { return showFocusRect_; }
    void SetShowFocusRect(bool v);
    bool Value() const { return value_; }
    void SetValue(bool v);
    int PictureSize() const { return PictureSizeOfEdge(pictureEdge_); }
    void SetPictureSize(int v);
    int MousePointer() const { return mousePointer_; }
    void SetMousePointer(int v);
    const host::PictureRef& MouseIcon() const { return mouseIcon_; }
    void SetMouseIcon(host::PictureRef v);
    const host::Font& Font() const { return font_; }
    void SetFont(const host::Font& v);
    int FontStyle() const;
    void SetFontStyle(int v);
    host::Colour ForeColor() const { return foreColor_; }
    void SetForeColor(host::Colour v);
    host::Colour BackColor() const { return backColor_; }
    void SetBackColor(host::Colour v);
    host::Colour GradientColor() const { return gradientColor_; }
    void SetGradientColor(host::Colour v);
    int GradientMode() const { return gradientMode_; }
    void SetGradientMode(int v);
    bool ResetDefaultColors() const { return false; }
    void SetResetDefaultColors(bool v);
    int HoverColorLocks() const { return locks_; }
    void SetHoverColorLocks(int v);
    host::Colour HoverForeColor() const { return hoverForeColor_; }
    void SetHoverForeColor(host::Colour v);
    host::Colour HoverBackColor() const { return hoverBackColor_; }
    void SetHoverBackColor(host::Colour v);

    // ---- Methods --------------------------------------------------------
    void Refresh();                  // clears DrawingDelayed and repaints
    void DelayDrawing(bool delay);   // while set, painting requests do nothing

    // ---- Life and persistence -----------------------------------------
    void InitNew();                              // first placement on a form
    void Load(const host::PropertyBag& bag);     // stored properties
    void Save(host::PropertyBag& bag) const;
    // Before the window goes: stop hovering and leave the option group,
    // so neither the timer nor the group can reach a destroyed button.
    void Dispose();

    // ---- Host notifications (input reaches an enabled button only) -------
    void HandleMouseDown(int button, int shift, float x, float y);
    void HandleMouseMove(int button, int shift, float x, float y);
    void HandleMouseUp(int button, int shift, float x, float y);
    void HandleClick();
    void HandleDoubleClick();
    void HandleKeyDown(int& keyCode, int& shift);
    void HandleKeyUp(int& keyCode, int& shift);
    void HandleKeyPress(int& keyAscii);
    void HandleAccessKey(int keyAscii);
    void HandleGotFocus();
    void HandleShown();
    void HandleAmbientChanged(const std::wstring& name);
    // The hover timer's check: stops hovering once the cursor left.
    void HoverLeaveCheck(int timerId);

    // The option-group routine; the result answers a query.
    bool OptionGroup(int action);

    // ---- State that painting and tests read -----------------------------
    std::uint16_t StateBits() const { return stateBits_; }
    bool Hovering() const { return hovering_; }
    bool PressedLook() const { return pressedLook_; }
    bool DrawingDelayed() const { return drawingDelayed_; }
    int LastButton() const { return lastButton_; }
    int PictureWidth() const { return pictureWidth_; }
    int PictureHeight() const { return pictureHeight_; }
    bool PictureIsIcon() const { return pictureIsIcon_; }
    int PictureEdge() const { return pictureEdge_; }
    const DerivedColours& Colours() const { return colours_; }
    Rgb ContainerColor() const { return containerColor_; }
    std::optional<wchar_t> AccessKey() const { return accessKey_; }
    // Everything a painter needs for a W x H client.
    LookState MakeLookState(int width, int height) const;
    // Recomputes FaceColor, ShadowColor, HoverFaceColor, SelectedFaceColor.
    void DeriveColours();
    // Repaints unless drawing is delayed.
    void Repaint();

    // Painting and tests may drive the look state directly.
    void SetStateBits(std::uint16_t bits) { stateBits_ = bits; }
    void SetHovering(bool h) { hovering_ = h; }
    void SetPressedLook(bool p) { pressedLook_ = p; }
    void SetDrawingDelayed(bool d) { drawingDelayed_ = d; }

private:
    void ApplyAccessKey(const std::wstring& caption);
    void MeasurePicture();
    void FreeCaptionLock();
    void FreeBackLock();

    ButtonPlatform& site_;

    // Properties
    int style_ = 0;
    int mode_ = 0;
    std::wstring caption_;
    int captionAlign_ = 2;
    int captionStyle_ = 0;
    int customClick_ = 0;
    int shape_ = 0;
    host::PictureRef picture_;
    int pictureAlign_ = 0;
    bool enabled_ = true;
    bool showFocusRect_ = true;
    bool value_ = false;
    int pictureEdge_ = 16;         // stored pixel edge of PictureSize
    int mousePointer_ = 0;
    host::PictureRef mouseIcon_;
    host::Font font_;
    host::Colour foreColor_ = kButtonText;
    host::Colour backColor_ = kButtonFace;
    host::Colour gradientColor_ = 0;
    int gradientMode_ = 0;
    int locks_ = 0;                // bit 0: hover back free, bit 1: hover caption free
    host::Colour hoverForeColor_ = kButtonText;
    host::Colour hoverBackColor_ = kButtonFace;

    // Internal state
    std::uint16_t stateBits_ = 0;
    bool hovering_ = false;        // the hover timer runs
    bool pressedLook_ = false;
    bool drawingDelayed_ = false;
    int lastButton_ = 0;
    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
    bool pictureIsIcon_ = false;
    DerivedColours colours_;
    Rgb containerColor_ = 0;
    std::optional<wchar_t> accessKey_;
    bool inGroup_ = false;         // registered in the container's option group
};

}  // namespace kx

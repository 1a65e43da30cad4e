#include "ButtonModel.h"

namespace kx {

namespace {

const wchar_t kMsgCaptionAlign[] =
    L"When button images are aligned top/bottom center, \r\nbutton captions can only be center aligned";
const wchar_t kMsgCustomClick[] = L"This property has no effect unless the Button Shape is a custom shape.";
const wchar_t kMsgShapeNeedsBitmap[] = L"The Picture Property must be assigned first and must be a bitmap or JPEG.";
const wchar_t kMsgIconShape[] =
    L"Icons cannot be used for custom buttons. Only use bitmaps or JPEGs.\r\nButton was changed to Rectangular shaped.";
const wchar_t kMsgFocusRect[] =
    L"The focus rectangle may appear on default buttons ONLY while in design mode, \r\nbut will not appear when the form is running.";
const wchar_t kMsgValueCommand[] = L"This property is not applicable for command button modes.";
const wchar_t kMsgPictureSize[] = L"The picture size cannot be changed for Shaped buttons";
const wchar_t kMouseIconTitle[] = L"Select .ico Or .cur Files Only";

bool IsIconPicture(const host::PictureRef& p)
{
    return p && (p->type == host::Picture::Type::Icon || p->type == host::Picture::Type::Cursor);
}
bool IsBitmapPicture(const host::PictureRef& p) { return p && p->type == host::Picture::Type::Bitmap; }

bool ValidPointer(int v) { return (v >= 0 && v <= 15) || v == 99; }

}  // namespace

// ---- Properties ------------------------------------------------------------

void ButtonModel::SetButtonStyle(int v)
{
    if (v < 0 || v > 7)
        return;
    const int old = style_;
    // Stored before the rebuild: the window outline follows the new look.
    style_ = v;
    if (shape_ < 4 || (shape_ < 7 && (old == 5 || v == 5)))
        site_.RebuildShape();
    site_.Relayout(false);
    DeriveColours();
    Repaint();
    site_.NotifyChanged(L"BackStyle");
}

void ButtonModel::SetMode(int v)
{
    if (v < 0 || v > 2)
        return;
    if (mode_ == 2 && v < 2)
        OptionGroup(kOptionLeave);
    else if (v == 2 && mode_ < 2)
        OptionGroup(kOptionJoin);
    if (v == 0 && mode_ > 0)
        value_ = false;
    mode_ = v;
    Repaint();
    site_.NotifyChanged(L"Mode");
}

void ButtonModel::ApplyAccessKey(const std::wstring& caption)
{
    if (auto key = AccessKeyOf(caption)) {
        accessKey_ = key;
        site_.PassAccessKey(*key);
    }
}

void ButtonModel::SetCaption(const std::wstring& v)
{
    ApplyAccessKey(v);
    caption_ = v;
    site_.Relayout(false);
    Repaint();
    site_.NotifyChanged(L"Caption");
}

void ButtonModel::SetCaptionAlign(int v)
{
    if (v < 0 || v > 2)
        return;
    if (v == 2 || pictureAlign_ < 4 || !picture_) {
        captionAlign_ = v;
        site_.Relayout(false);
        Repaint();
        site_.NotifyChanged(L"CapAlign");
    } else if (site_.InDesignMode()) {
        site_.ShowMessage(kMsgCaptionAlign, L"");
    }
}

void ButtonModel::SetCaptionStyle(int v)
{
    if (v < 0 || v > 2)
        return;
    captionStyle_ = v;
    site_.NotifyChanged(L"CapStyle");
    if (!caption_.empty()) {
        site_.Relayout(false);
        Repaint();
    }
}

void ButtonModel::SetCustomClick(int v)
{
    if (v < 0 || v > 8)
        return;
    if (shape_ < 7 && v > 0 && site_.InDesignMode())
        site_.ShowMessage(kMsgCustomClick, L"");
    customClick_ = v;
    site_.NotifyChanged(L"CustomClick");
}

void ButtonModel::SetButtonShape(int v)
{
    if (v < 0 || v > 8)
        return;
    if (IsPictureShape(v)) {
        if (!IsBitmapPicture(picture_)) {
            if (site_.InDesignMode())
                site_.ShowMessage(kMsgShapeNeedsBitmap, L"");
            return;
        }
        drawingDelayed_ = true;
        if (shape_ < 7)
            SetPictureSize(4);
        else
            pictureEdge_ = EdgeOfPictureSize(4);
    }
    shape_ = v;
    captionAlign_ = 2;
    site_.RebuildShape();
    site_.Relayout(false);
    Repaint();
    drawingDelayed_ = false;
    Repaint();
    site_.NotifyChanged(L"Shape");
}

void ButtonModel::MeasurePicture()
{
    pictureWidth_ = picture_ ? picture_->width : 0;
    pictureHeight_ = picture_ ? picture_->height : 0;
    pictureIsIcon_ = IsIconPicture(picture_);
}

void ButtonModel::SetPicture(host::PictureRef v)
{
    picture_ = std::move(v);
    if (pictureEdge_ == 0)
        pictureEdge_ = 16;
    MeasurePicture();
    if (shape_ < 7) {
        site_.Relayout(true);
        Repaint();
    } else {
        if (!picture_) {
            shape_ = 0;
        } else if (pictureIsIcon_) {
            shape_ = 0;
            if (site_.InDesignMode())
                site_.ShowMessage(kMsgIconShape, L"");
        }
        site_.ResizeHandling();
    }
    site_.NotifyChanged(L"Image");
}

void ButtonModel::SetPictureAlign(int v)
{
    if (v < 0 || v > 5)
        return;
    pictureAlign_ = v;
    if (v >= 4)
        captionAlign_ = 2;
    site_.Relayout(false);
    Repaint();
    site_.NotifyChanged(L"ImgAlign");
}

void ButtonModel::SetEnabled(bool v)
{
    if (v == enabled_)
        return;
    enabled_ = v;
    site_.PassEnabled(v);
    if (style_ == 3 && mode_ == 0 && shape_ <= 3) {
        // This look's outline depends on the enabled state.
        drawingDelayed_ = true;
        site_.RebuildShape();
        site_.Relayout(false);
        drawingDelayed_ = false;
    }
    Repaint();
    site_.NotifyChanged(L"Enabled");
}

void ButtonModel::SetShowFocusRect(bool v)
{
    showFocusRect_ = v;
    if (stateBits_ & kBitDefaultFrame) {
        if (!site_.InDesignMode()) {
            stateBits_ &= static_cast<std::uint16_t>(~kBitDefaultFrame);
            Repaint();
        } else {
            site_.ShowMessage(kMsgFocusRect, L"");
        }
    } else {
        Repaint();
    }
    site_.NotifyChanged(L"Focus");
}

void ButtonModel::SetValue(bool v)
{
    if (v && mode_ == 0) {
        if (site_.InDesignMode())
            site_.ShowMessage(kMsgValueCommand, L"");
        return;
    }
    value_ = v;
    if (v && mode_ == 2)
        OptionGroup(kOptionClearOthers);
    Repaint();
    site_.NotifyChanged(L"Value");
}

void ButtonModel::SetPictureSize(int v)
{
    if (v < 0 || v > 4)
        return;
    if (IsPictureShape(shape_)) {
        if (site_.InDesignMode())
            site_.ShowMessage(kMsgPictureSize, L"");
        return;
    }
    pictureEdge_ = EdgeOfPictureSize(v);
    site_.Relayout(true);
    Repaint();
    site_.NotifyChanged(L"ImgSize");
}

void ButtonModel::SetMousePointer(int v)
{
    if (!ValidPointer(v))
        return;
    mousePointer_ = v;
    site_.PassMousePointer(v);
    site_.NotifyChanged(L"mPointer");
}

void ButtonModel::SetMouseIcon(host::PictureRef v)
{
    std::wstring error;
    if (!site_.PassMouseIcon(v, error)) {
        if (site_.InDesignMode())
            site_.ShowMessage(error, kMouseIconTitle);
        return;
    }
    mouseIcon_ = v;
    if (v) {
        mousePointer_ = 99;
        site_.PassMousePointer(99);
    }
    site_.NotifyChanged(L"mIcon");
}

void ButtonModel::SetFont(const host::Font& v)
{
    font_ = v;
    site_.PassFont(v);
    site_.BuildDrawingFont();
    site_.Relayout(false);
    Repaint();
    site_.NotifyChanged(L"Font");
}

int ButtonModel::FontStyle() const
{
    return (font_.bold ? 2 : 0) + (font_.italic ? 4 : 0) + (font_.underline ? 8 : 0);
}

void ButtonModel::SetFontStyle(int v)
{
    font_.bold = (v & 2) != 0;
    font_.italic = (v & 4) != 0;
    font_.underline = (v & 8) != 0;
    site_.PassFont(font_);
    site_.BuildDrawingFont();
    site_.Relayout(false);
    site_.NotifyChanged(L"Font");
    Repaint();
}

void ButtonModel::SetForeColor(host::Colour v)
{
    if (v == foreColor_)
        return;
    foreColor_ = v;
    site_.PassForeColor(v);
    if (locks_ == 0 || locks_ == 1)
        SetHoverForeColor(v);
    drawingDelayed_ = false;
    Repaint();
    site_.NotifyChanged(L"cFore");
}

void ButtonModel::SetBackColor(host::Colour v)
{
    backColor_ = v;
    if (locks_ == 0 || locks_ == 2)
        SetHoverBackColor(gradientMode_ != 0 ? gradientColor_ : v);
    DeriveColours();
    Repaint();
    site_.NotifyChanged(L"cBack");
}

void ButtonModel::SetGradientColor(host::Colour v)
{
    if ((locks_ == 0 || locks_ == 2) && gradientMode_ > 0)
        hoverBackColor_ = v;
    gradientColor_ = v;
    DeriveColours();
    if (gradientMode_ != 0)
        Repaint();
    site_.NotifyChanged(L"cGradient");
}

void ButtonModel::SetGradientMode(int v)
{
    if (v < 0 || v > 4)
        return;
    gradientMode_ = v;
    if (locks_ == 0 || locks_ == 2) {
        hoverBackColor_ = v == 0 ? backColor_ : gradientColor_;
        DeriveColours();
    }
    Repaint();
    site_.NotifyChanged(L"Gradient");
}

void ButtonModel::SetResetDefaultColors(bool v)
{
    if (!v || !site_.InDesignMode())
        return;
    drawingDelayed_ = true;
    SetBackColor(kButtonFace);
    SetForeColor(kButtonText);
    SetGradientColor(kButtonFace);
    SetGradientMode(0);
    SetHoverColorLocks(0);
    DeriveColours();
    drawingDelayed_ = false;
    Repaint();
    site_.NotifyChanged(L"cGradient");
    site_.NotifyChanged(L"cBack");
}

void ButtonModel::SetHoverColorLocks(int v)
{
    if (v < 0 || v > 3)
        return;
    locks_ = v;
    if (v == 0 || v == 2) {
        hoverBackColor_ = gradientMode_ != 0 ? gradientColor_ : backColor_;
        site_.NotifyChanged(L"cBHover");
    }
    if (v == 0 || v == 1) {
        hoverForeColor_ = foreColor_;
        site_.NotifyChanged(L"cFHover");
    }
    DeriveColours();
    site_.NotifyChanged(L"LockHover");
}

void ButtonModel::FreeCaptionLock()
{
    if (locks_ == 0)
        locks_ = 2;
    else if (locks_ == 1)
        locks_ = 3;
}

void ButtonModel::FreeBackLock()
{
    if (locks_ == 0)
        locks_ = 1;
    else if (locks_ == 2)
        locks_ = 3;
}

void ButtonModel::SetHoverForeColor(host::Colour v)
{
    if (v == hoverForeColor_)
        return;
    hoverForeColor_ = v;
    if (v != foreColor_)
        FreeCaptionLock();
    site_.NotifyChanged(L"cFHover");
}

void ButtonModel::SetHoverBackColor(host::Colour v)
{
    if (v == hoverBackColor_)
        return;
    hoverBackColor_ = v;
    if (v != backColor_)
        FreeBackLock();
    DeriveColours();
    site_.NotifyChanged(L"cBHover");
}

// ---- Methods -----------------------------------------------------------------

void ButtonModel::Refresh()
{
    drawingDelayed_ = false;
    Repaint();
}

void ButtonModel::DelayDrawing(bool delay)
{
    drawingDelayed_ = delay;
    if (!delay)
        Refresh();
}

void ButtonModel::Repaint()
{
    if (!drawingDelayed_)
        site_.PaintButton();
}

void ButtonModel::DeriveColours()
{
    colours_ = kx::DeriveColours(style_, site_.Translate(backColor_), site_.Translate(hoverBackColor_));
}

LookState ButtonModel::MakeLookState(int width, int height) const
{
    LookState s;
    s.style = style_;
    s.shape = shape_;
    s.mode = mode_;
    s.enabled = enabled_;
    s.value = value_;
    s.pressedLook = pressedLook_;
    s.hovering = hovering_;
    s.showFocusRect = showFocusRect_;
    s.designMode = site_.InDesignMode();
    s.stateBits = stateBits_;
    s.gradientMode = gradientMode_;
    s.captionStyle = captionStyle_;
    s.colours = colours_;
    s.back = site_.Translate(backColor_);
    s.gradient = site_.Translate(gradientColor_);
    s.fore = site_.Translate(foreColor_);
    s.hoverFore = site_.Translate(hoverForeColor_);
    s.container = containerColor_;
    s.gradientIsHoverBack = gradientColor_ == hoverBackColor_;
    s.width = width;
    s.height = height;
    return s;
}

// ---- Life and persistence ---------------------------------------------------

void ButtonModel::InitNew()
{
    site_.RememberContainer();
    caption_ = site_.DesignName();
    ApplyAccessKey(caption_);
    captionAlign_ = 2;
    showFocusRect_ = true;
    hoverForeColor_ = kButtonText;
    hoverBackColor_ = kButtonFace;
    if (!site_.InMdiParent()) {
        font_ = site_.ParentFont();
        site_.PassFont(font_);
    }
    containerColor_ = site_.Translate(site_.AmbientBack());
    backColor_ = kButtonFace;
    site_.BuildDrawingFont();
    DeriveColours();
    for (const wchar_t* key : {L"Caption", L"CapAlign", L"Focus", L"cFHover", L"cBHover", L"Font"})
        site_.NotifyChanged(key);
}

namespace {
// Stored numbers outside a property's range keep its read default: a
// damaged form must not index past the look tables.
int ReadRanged(const host::PropertyBag& bag, const wchar_t* key, int def, int lo, int hi)
{
    const std::int32_t v = bag.readLong(key, def);
    return v < lo || v > hi ? def : static_cast<int>(v);
}
}  // namespace

void ButtonModel::Load(const host::PropertyBag& bag)
{
    site_.RememberContainer();
    containerColor_ = site_.Translate(site_.AmbientBack());
    drawingDelayed_ = true;

    const std::wstring caption = bag.readText(L"Caption", L"");
    captionAlign_ = ReadRanged(bag, L"CapAlign", 2, 0, 2);
    style_ = ReadRanged(bag, L"BackStyle", 0, 0, 7);
    shape_ = ReadRanged(bag, L"Shape", 0, 0, 8);
    gradientMode_ = ReadRanged(bag, L"Gradient", 0, 0, 4);
    gradientColor_ = bag.readColour(L"cGradient", kButtonFace);
    SetForeColor(bag.readColour(L"cFore", kButtonText));
    if (bag.has(L"Font"))
        SetFont(bag.readFont(L"Font", font_));
    showFocusRect_ = bag.readBool(L"Focus", true);
    mode_ = ReadRanged(bag, L"Mode", 0, 0, 2);
    value_ = bag.readBool(L"Value", false);
    customClick_ = ReadRanged(bag, L"CustomClick", 0, 0, 8);
    picture_ = bag.readPicture(L"Image", nullptr);
    pictureEdge_ = bag.readLong(L"ImgSize", 16);
    if (!IsValidEdge(pictureEdge_))
        pictureEdge_ = 16;
    pictureAlign_ = ReadRanged(bag, L"ImgAlign", 0, 0, 5);
    hoverForeColor_ = bag.readColour(L"cFHover", kButtonText);
    SetEnabled(bag.readBool(L"Enabled", true));
    backColor_ = bag.readColour(L"cBack", site_.AmbientBack());
    hoverBackColor_ = bag.readColour(L"cBHover", backColor_);
    locks_ = ReadRanged(bag, L"LockHover", 0, 0, 3);
    captionStyle_ = ReadRanged(bag, L"CapStyle", 0, 0, 2);
    if (bag.has(L"mIcon"))
        SetMouseIcon(bag.readPicture(L"mIcon", nullptr));
    SetMousePointer(ReadRanged(bag, L"mPointer", 0, 0, 99));

    // A shape cut from the picture needs a bitmap picture.
    if (IsPictureShape(shape_) && !IsBitmapPicture(picture_))
        shape_ = 0;
    MeasurePicture();
    site_.BuildDrawingFont();
    DeriveColours();
    SetCaption(caption);

    if (mode_ == 2)
        OptionGroup(kOptionJoin);

    drawingDelayed_ = false;
    site_.ResizeHandling();
}

void ButtonModel::Save(host::PropertyBag& bag) const
{
    using host::PropValue;
    auto num = [](std::int64_t v) { return PropValue{v}; };
    bag.write(L"Caption", caption_, std::wstring());
    bag.write(L"CapAlign", num(captionAlign_), num(2));
    bag.write(L"BackStyle", num(style_), num(0));
    bag.write(L"Shape", num(shape_), num(0));
    bag.write(L"Font", font_);
    bag.write(L"cFore", num(foreColor_), num(kButtonText));
    bag.write(L"cFHover", num(hoverForeColor_), num(kButtonText));
    bag.write(L"cBhover", num(hoverBackColor_), num(backColor_));
    bag.write(L"Focus", showFocusRect_, true);
    bag.write(L"LockHover", num(locks_), num(0));
    bag.write(L"cGradient", num(gradientColor_), num(kButtonFace));
    bag.write(L"Gradient", num(gradientMode_), num(0));
    bag.write(L"CapStyle", num(captionStyle_), num(0));
    bag.set(L"Mode", num(mode_));
    bag.set(L"Value", value_);
    bag.write(L"CustomClick", num(customClick_), num(0));
    bag.write(L"ImgAlign", num(pictureAlign_), num(0));
    if (picture_)
        bag.set(L"Image", picture_);
    else
        bag.remove(L"Image");
    bag.write(L"ImgSize", num(pictureEdge_), num(16));
    bag.write(L"Enabled", enabled_, true);
    bag.set(L"cBack", num(backColor_));
    bag.write(L"mPointer", num(mousePointer_), num(0));
    if (mouseIcon_)
        bag.set(L"mIcon", mouseIcon_);
    else
        bag.remove(L"mIcon");
}

void ButtonModel::Dispose()
{
    if (hovering_) {
        site_.StopHoverTimer(kHoverTimerId);
        hovering_ = false;
    }
    if (inGroup_)
        OptionGroup(kOptionLeave);
}

// ---- Option group -------------------------------------------------------------

bool ButtonModel::OptionGroup(int action)
{
    OptionRegistry* reg = site_.Registry();
    if (!reg)
        return false;
    const int n = reg->Count();
    if (value_ && (action == kOptionJoin || n > 0)) {
        for (int i = 1; i <= n; ++i) {
            ButtonModel* m = reg->Member(i);
            if (m && m != this)
                m->SetValue(false);
        }
    }
    switch (action) {
    case kOptionJoin:
        if (inGroup_)
            return false;
        reg->SetCount(n + 1);
        reg->SetMember(n + 1, this);
        inGroup_ = true;
        return false;
    case kOptionLeave: {
        bool found = false;
        for (int i = 1; i <= n; ++i) {
            ButtonModel* m = reg->Member(i);
            if (found)
                reg->SetMember(i - 1, m);
            else if (m == this)
                found = true;
        }
        // A button that is not registered must not shorten the group.
        if (!found)
            return false;
        reg->RemoveMember(n);
        reg->SetCount(n - 1);
        inGroup_ = false;
        return false;
    }
    case kOptionQuery:
        for (int i = 1; i <= reg->Count(); ++i) {
            ButtonModel* m = reg->Member(i);
            if (m && m->Value())
                return true;
        }
        return false;
    default:
        return false;
    }
}

// ---- Interaction -----------------------------------------------------------------

void ButtonModel::HandleMouseDown(int button, int shift, float x, float y)
{
    lastButton_ = button;
    if (button == 1) {
        stateBits_ |= kBitPressed;
        pressedLook_ = true;
        drawingDelayed_ = false;
        Repaint();
        site_.CaptureMouse(true);
    }
    MouseDown.raise(button, shift, x, y);
}

void ButtonModel::HandleMouseMove(int button, int shift, float x, float y)
{
    if (!hovering_ && site_.CursorOverButton()) {
        stateBits_ |= kBitOver;
        bool on = true;
        MouseOnButton.raise(on);
        site_.StartHoverTimer();  // a failure leaves the button without hover tracking
        hovering_ = true;
        drawingDelayed_ = false;
        if (button == 1)
            pressedLook_ = true;
        Repaint();
    }
    MouseMove.raise(button, shift, x, y);
}

void ButtonModel::HandleMouseUp(int button, int shift, float x, float y)
{
    pressedLook_ = false;
    if (button == 1) {
        site_.CaptureMouse(false);
        stateBits_ &= static_cast<std::uint16_t>(~kBitPressed);
        drawingDelayed_ = false;
        if (mode_ == 0)
            Repaint();
    }
    MouseUp.raise(button, shift, x, y);
    lastButton_ = button;
}

void ButtonModel::HandleClick()
{
    if (lastButton_ != 1)
        return;
    if (mode_ != 0) {
        if (mode_ == 2 && value_)
            return;
        SetValue(!value_);
    }
    Click.raise();
}

void ButtonModel::HandleDoubleClick()
{
    float x = 0, y = 0;
    site_.CursorClientPosition(x, y);
    DoubleClick.raise(lastButton_);
    if (lastButton_ == 1) {
        HandleMouseDown(1, 0, x, y);
        lastButton_ = -1;
    } else {
        MouseDown.raise(1, 0, x, y);
    }
}

void ButtonModel::HandleKeyDown(int& keyCode, int& shift)
{
    switch (keyCode) {
    case 32:
        if (!(stateBits_ & kBitPressed)) {
            stateBits_ |= kBitPressed | kBitOver;
            pressedLook_ = true;
            Repaint();
            if (!hovering_)
                stateBits_ &= static_cast<std::uint16_t>(~kBitOver);
        }
        break;
    case 37: site_.PostKeyToContainer(37, 0x4B0001); break;
    case 38: site_.PostKeyToContainer(38, 0x480001); break;
    case 39: site_.PostKeyToContainer(39, 0x4D0001); break;
    case 40: site_.PostKeyToContainer(40, 0x500001); break;
    default: break;
    }
    if (keyCode != 0)
        KeyDown.raise(keyCode, shift);
}

void ButtonModel::HandleKeyUp(int& keyCode, int& shift)
{
    pressedLook_ = false;
    if (keyCode == 16) {
        keyCode = 0;
    } else if (keyCode == 32) {
        if (stateBits_ & kBitPressed) {
            stateBits_ &= static_cast<std::uint16_t>(~kBitPressed);
            lastButton_ = 1;
            if (mode_ == 0) {
                Repaint();
            } else {
                KeyUp.raise(keyCode, shift);
                keyCode = 0;
            }
            HandleClick();
        }
    } else if (keyCode >= 37 && keyCode <= 40) {
        keyCode = 0;
        if (mode_ == 2 && !value_) {
            lastButton_ = 1;
            HandleClick();
        }
    }
    if (keyCode != 0)
        KeyUp.raise(keyCode, shift);
}

void ButtonModel::HandleKeyPress(int& keyAscii) { KeyPress.raise(keyAscii); }

void ButtonModel::HandleAccessKey(int keyAscii)
{
    const bool enterOrEsc = keyAscii == 13 || keyAscii == 27;
    if (enterOrEsc && mode_ != 0)
        return;
    if (!enterOrEsc && !(stateBits_ & kBitDefaultFrame))
        Repaint();
    lastButton_ = 1;
    HandleClick();
}

void ButtonModel::HandleGotFocus()
{
    if (mode_ == 2 && !value_ && !OptionGroup(kOptionQuery)) {
        lastButton_ = 1;
        HandleClick();
    }
}

void ButtonModel::HandleShown()
{
    if (site_.InDesignMode() && showFocusRect_ && site_.IsDefaultButton()) {
        stateBits_ |= kBitDefaultFrame;
        Repaint();
    }
}

void ButtonModel::HandleAmbientChanged(const std::wstring& name)
{
    if (name == L"DisplayAsDefault") {
        const bool frame = site_.IsDefaultButton() && (showFocusRect_ || site_.InDesignMode());
        if (frame)
            stateBits_ |= kBitDefaultFrame;
        else
            stateBits_ &= static_cast<std::uint16_t>(~kBitDefaultFrame);
        if (IsPictureShape(shape_) && site_.InDesignMode()) {
            hovering_ = frame;
            Repaint();
            hovering_ = false;
        } else {
            Repaint();
        }
    } else if (name == L"BackColor") {
        containerColor_ = site_.Translate(site_.AmbientBack());
        if (shape_ > 3 || style_ == 5)
            Repaint();
    }
}

void ButtonModel::HoverLeaveCheck(int timerId)
{
    if (site_.CursorOverButton())
        return;
    site_.StopHoverTimer(timerId);
    stateBits_ &= static_cast<std::uint16_t>(~kBitOver);
    hovering_ = false;
    drawingDelayed_ = false;
    bool on = false;
    MouseOnButton.raise(on);
    pressedLook_ = false;
    Repaint();
}

}  // namespace kx

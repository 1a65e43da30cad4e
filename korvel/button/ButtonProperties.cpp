#include "ButtonProperties.h"

namespace kx {

const std::vector<PropertyInfo>& ButtonProperties()
{
    static const std::vector<PropertyInfo> table = {
        {L"ButtonStyle", L"BackStyle", L"Various operating system button styles"},
        {L"Mode", L"Mode", L"Command button, check box or option button mode"},
        {L"Caption", L"Caption", L"The caption of the button. Double pipe (||) is a line break."},
        {L"CaptionAlign", L"CapAlign", L"Horizontal alignment of caption on the button."},
        {L"CaptionStyle", L"CapStyle", L"Flat, Embossed or Engraved effects"},
        {L"CustomClick", L"CustomClick",
         L"Custom shaped buttons only. Moves the button vs the traditional click effect."},
        {L"ButtonShape", L"Shape", L"Rectangular or various diagonal shapes"},
        {L"Picture", L"Image", L"The image used to display on the button."},
        {L"PictureAlign", L"ImgAlign",
         L"Alignment of the button image in relation to the caption and/or button."},
        {L"Enabled", L"Enabled", L"Determines if events are fired for this button."},
        {L"ShowFocusRect", L"Focus",
         L"Allows or prevents a focus rectangle from being displayed. In design mode, this may always be "
         L"displayed for button set as Default."},
        {L"Value", L"Value", L"Applicable to only check box or option button modes: True or False"},
        {L"PictureSize", L"ImgSize",
         L"Various sizes for images used on buttons. Last 2 options center image automatically."},
        {L"MousePointer", L"mPointer", L"Various optional mouse pointers to use when mouse is over the button"},
        {L"MouseIcon", L"mIcon",
         L"Icon or cursor used to display when mouse is over the button. MousePointer must be set to Custom."},
        {L"Font", L"Font", L"Font used to display the caption."},
        {L"FontStyle", L"", L"Various font attributes that can be changed directly."},
        {L"ForeColor", L"cFore", L"The color of the caption's font ."},
        {L"BackColor", L"cBack", L"Button back color. See also ResetDefaultColors"},
        {L"GradientColor", L"cGradient",
         L"Secondary color used for gradient shades. The BackColor property is the primary color."},
        {L"GradientMode", L"Gradient", L"Various directions to draw the gradient shading."},
        {L"ResetDefaultColors", L"",
         L"Resets button's back color and text color to Window's standard. The hover properties are also reset."},
        {L"HoverColorLocks", L"LockHover",
         L"Can ensure the hover colors match the caption and back colors. Click for more options."},
        {L"HoverForeColor", L"cFHover",
         L"Color of button caption's text when mouse is hovering over it. Affects the HoverLockColors property."},
        {L"HoverBackColor", L"cBHover",
         L"Color of button background when mouse is hovering over it. Affects the HoverLockColors property."},
        {L"hdc", L"", L""},
        {L"hwnd", L"", L""},
    };
    return table;
}

std::wstring DescribeProperty(const std::wstring& name)
{
    for (const PropertyInfo& p : ButtonProperties())
        if (name == p.name)
            return p.description;
    return {};
}

}  // namespace kx

// Group-box outline with a caption set into its top edge. Display only: it
// draws straight onto its own surface in its paint event and hooks nothing
// (its skeleton watches no message).
#pragma once
#include "tessara/kit/ControlSkeleton.h"

#include <string>

namespace tessara {

class YFrame : public kit::ControlSkeleton {
public:
    YFrame();
    ~YFrame() override;

    // Every setter stores and repaints.
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption);
    void SetBackColor(host::Colour c);
    void SetFont(const host::Font& font);
    void SetForeColor(host::Colour c);
    host::Colour BorderColor() const { return borderColor_; }
    void SetBorderColor(host::Colour c);

protected:
    void InitNew() override;
    void ReadStored(const host::PropertyBag& bag) override;
    void WriteProperties(host::PropertyBag& bag) override;
    void PaintTo(HDC dc, int width, int height) override;

private:
    // The platform clears the control to BackColor before the paint event.
    void Repaint() { Invalidate(true); }

    std::wstring caption_;
    host::Colour borderColor_ = 0x00FFD6B3;  // RGB 179,214,255
};

} // namespace tessara

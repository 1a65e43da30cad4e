// Group-box outline with a caption set into its top edge. Display only: it
// draws straight onto its own surface in its paint event and hooks nothing.
#pragma once
#include "host/Host.h"

#include <string>

namespace tessara {

class YFrame : public host::UserControl {
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
    void InitProperties() override;
    void ReadProperties(const host::PropertyBag& bag) override;
    void WriteProperties(host::PropertyBag& bag) override;
    void Paint() override;

private:
    void Repaint();

    std::wstring caption_;
    host::Colour borderColor_ = 0x00FFD6B3;  // RGB 179,214,255
};

} // namespace tessara

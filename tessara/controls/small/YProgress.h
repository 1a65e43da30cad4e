// Horizontal progress bar: a gradient fill from the left edge up to where
// Value lies between MinV and MaxV, inside a rounded outline. No text.
#pragma once
#include "tessara/controls/small/ProgressFill.h"
#include "tessara/kit/ControlSkeleton.h"

namespace tessara {

class YProgress : public kit::ControlSkeleton {
public:
    YProgress();
    ~YProgress() override;

    // Refused values (see ProgressFill) are ignored silently.
    int MinV() const { return fill_.MinV(); }
    void SetMinV(int v);
    int MaxV() const { return fill_.MaxV(); }
    void SetMaxV(int v);
    int Value() const { return fill_.Value(); }
    void SetValue(int v);
    void SetFont(const host::Font& font);
    // BackColor is the colour behind the bar; ForeColor is kept but unused.

    // x of the fill's right edge (the fill covers x 1 .. FillRight - 1).
    int FillRight() const { return fill_.FillRight(); }

protected:
    void ReadStored(const host::PropertyBag& bag) override;
    void WriteProperties(host::PropertyBag& bag) override;
    void Resize() override;
    void PaintTo(HDC dc, int width, int height) override;

private:
    ProgressFill fill_;
};

} // namespace tessara

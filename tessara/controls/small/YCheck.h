// Owner-drawn check box: a square box with a tick mark when Value is 1,
// caption at the right. A completed click toggles Value between 0 and 1.
#pragma once
#include "tessara/controls/small/SmallButton.h"

namespace tessara {

class YCheck : public ValueButton {
public:
    YCheck();
    ~YCheck() override;

    // Value: 1 ticked, 0 not; other values show an empty box and the next click sets 0.

    // The tick picture (the program's "CheckBox" bitmap), or null when the
    // program has no such resource.
    HDC CheckMarkDC() const { return checkMarkDC_; }

protected:
    void Initialize() override;
    void Teardown() override;
    void PaintTo(HDC dc, int width, int height) override;

private:
    void ReleaseCheckMark();

    HBITMAP checkMark_ = nullptr;
    HDC checkMarkDC_ = nullptr;
};

} // namespace tessara

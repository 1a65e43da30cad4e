// Owner-drawn option button: a ring with a dot when selected, caption at
// the right. A completed click selects it (Value 1); it never clears other
// option buttons.
#pragma once
#include "tessara/controls/small/SmallButton.h"

namespace tessara {

class YOption : public ValueButton {
public:
    YOption();
    ~YOption() override;

    // Value: 1 selected, 0 not; other values show as not selected.

protected:
    void PaintTo(HDC dc, int width, int height) override;
};

} // namespace tessara

// Owner-drawn option button: a ring with a dot when selected, caption at
// the right. A completed click selects it (Value 1); it never clears other
// option buttons.
#pragma once
#include "tessara/controls/SmallButton.h"

namespace tessara {

class YOption : public SmallButton {
public:
    YOption();
    ~YOption() override;

    // 1 selected, 0 not; other values show as not selected.
    int Value() const { return state_.Value(); }
    void SetValue(int v);

protected:
    void ReadProperties(const host::PropertyBag& bag) override;
    void WriteProperties(host::PropertyBag& bag) override;
    void PaintButton(HDC dc, int width, int height) override;
};

} // namespace tessara

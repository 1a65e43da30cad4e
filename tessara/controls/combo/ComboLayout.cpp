#include "tessara/controls/combo/ComboLayout.h"

namespace tessara {

ComboLayout LayoutCombo(int width)
{
    ComboLayout out;
    out.width = width < kComboMinWidth ? kComboMinWidth : width;
    out.height = kComboHeight;
    out.arrow = kit::SizedRect(out.width - 20, 2, kComboArrowWidth, kComboArrowHeight);
    out.list = kit::SizedRect(0, kComboHeight, out.width, kListDefaultItemHeight);
    return out;
}

bool InComboTextArea(int x, int y, int width)
{
    return x > 0 && x < width && y >= 1 && y <= 19;
}

bool InComboArrow(int x, int y)
{
    return x >= 0 && x <= kComboArrowWidth - 1 && y >= 0 && y <= kComboArrowHeight - 1;
}

kit::Rect ComboHighlightRect(int width)
{
    return {2, 3, width - 21, 17};
}

kit::Rect ComboTextRect(int width)
{
    return {4, 0, width - 23, kComboHeight};
}

bool ComboText::Choose(const std::wstring& t)
{
    text_ = t;
    if (t == lastReported_)
        return false;
    lastReported_ = t;
    return true;
}

} // namespace tessara

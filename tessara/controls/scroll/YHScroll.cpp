#include "tessara/controls/scroll/YHScroll.h"

namespace tessara {

YHScroll::YHScroll() : ScrollBarControl(L"YHScroll", false) {}

} // namespace tessara

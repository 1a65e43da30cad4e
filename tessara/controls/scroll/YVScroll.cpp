#include "tessara/controls/scroll/YVScroll.h"

namespace tessara {

YVScroll::YVScroll() : ScrollBarControl(L"YVScroll", true) {}

} // namespace tessara

#include "tessara/controls/YVScroll.h"

namespace tessara {

YVScroll::YVScroll() : ScrollBarControl(L"YVScroll", true) {}

} // namespace tessara

// Windows this thread owns, children included: the USER objects a control
// or a form can leak (the platform's own USER count answers 0 under Wine).
#pragma once

namespace reliability {

int LiveWindows();

} // namespace reliability

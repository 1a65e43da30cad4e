// What must hold for each control after any sequence of user input: values
// inside their bounds, selections inside the item count, layout figures
// that agree with the data. Each check returns an empty text when all is
// well, else what broke.
#pragma once
#include "host/Host.h"

#include <string>

namespace reliability {

// Checks the control and, when it holds others, every control inside it.
std::string Broken(host::ControlBase& control);
// Every control of a container (a form), recursively.
std::string BrokenIn(const host::Container& container);
// Hook entries (of any Tessara control alive) naming a destroyed window.
std::string StaleHookEntries();
// A dropped list and the form's owner-window hook come and go together.
std::string DropDownAgrees(const host::Form& form);

} // namespace reliability

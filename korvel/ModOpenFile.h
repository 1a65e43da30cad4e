// Opening a document or web address with the program the system associates
// with it.
#pragma once
#include <string>

namespace korvel {

// Default verb, no parameters, no owner window. An empty directory means
// none. The outcome is not reported.
void ShellOpen(const std::wstring& target, const std::wstring& directory = std::wstring(), int showCommand = 1);

} // namespace korvel

// Opening a document or web address with the program the system associates
// with it.
#pragma once
#include <functional>
#include <string>

namespace korvel {

// Default verb, no parameters, no owner window. An empty directory means
// none. The outcome is not reported.
void ShellOpen(const std::wstring& target, const std::wstring& directory = std::wstring(), int showCommand = 1);

// The shell call ShellOpen makes, with ShellExecuteW's arguments (null for
// each one left out).
using ShellExecuteCall = std::function<void(void* owner, const wchar_t* verb, const wchar_t* target,
                                            const wchar_t* parameters, const wchar_t* directory, int showCommand)>;

// Puts another call in the system's place, or the system's back when given
// an empty one; returns the one it replaces. Tests and monkey runs see where
// the windows' links lead without starting a browser.
ShellExecuteCall SetShellExecuteCall(ShellExecuteCall call);

} // namespace korvel

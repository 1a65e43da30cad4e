// See ModOpenFile.h.
#include "ModOpenFile.h"

#include <windows.h>
#include <shellapi.h>

namespace korvel {

void ShellOpen(const std::wstring& target, const std::wstring& directory, int showCommand)
{
    ShellExecuteW(nullptr, nullptr, target.c_str(), nullptr, directory.empty() ? nullptr : directory.c_str(),
                  showCommand);
}

} // namespace korvel

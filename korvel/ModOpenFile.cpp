// See ModOpenFile.h.
#include "ModOpenFile.h"

#include <windows.h>
#include <shellapi.h>

namespace korvel {

namespace {
ShellExecuteCall& ReplacedCall()
{
    static ShellExecuteCall call;
    return call;
}
} // namespace

ShellExecuteCall SetShellExecuteCall(ShellExecuteCall call)
{
    ShellExecuteCall previous = std::move(ReplacedCall());
    ReplacedCall() = std::move(call);
    return previous;
}

void ShellOpen(const std::wstring& target, const std::wstring& directory, int showCommand)
{
    const wchar_t* folder = directory.empty() ? nullptr : directory.c_str();
    if (ReplacedCall()) {
        ReplacedCall()(nullptr, nullptr, target.c_str(), nullptr, folder, showCommand);
        return;
    }
    ShellExecuteW(nullptr, nullptr, target.c_str(), nullptr, folder, showCommand);
}

} // namespace korvel

// Settings file access; see modRWini.h.
#include "modRWini.h"

#include "LaunchLogic.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace korvel {

std::string IniPath;

std::string ReadIni(const std::string& section, const std::string& key, const std::string& fallback)
{
    // The profile call cuts a value to the buffer and then reports size - 1:
    // grow the buffer until the whole value fits, so long parameters are
    // never cut (and never stored again cut). The settings file is at most
    // kMaxSettingsBytes, so neither is a value.
    std::vector<char> buffer(kIniBufferSize);
    DWORD copied = 0;
    for (;;) {
        std::fill(buffer.begin(), buffer.end(), '\0');
        copied = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(),
                                          static_cast<DWORD>(buffer.size()), IniPath.c_str());
        if (copied + 1 < buffer.size() || buffer.size() > 2 * kMaxSettingsBytes)
            break;
        buffer.resize(buffer.size() * 2);
    }
    if (copied == 0) {
        WriteIni(section, key, fallback);
        return fallback;
    }
    // Cut at the first NUL, not at a byte count: double-byte names stay whole.
    std::size_t length = 0;
    while (length < buffer.size() && buffer[length] != '\0')
        ++length;
    return std::string(buffer.data(), length);
}

void WriteIni(const std::string& section, const std::string& key, const std::string& value)
{
    WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), IniPath.c_str());
}

std::string AnsiFromWide(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(n > 0 ? n : 0, '\0');
    if (n > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                            nullptr);
    return out;
}

std::wstring WideFromAnsi(const std::string& text)
{
    if (text.empty())
        return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(n > 0 ? n : 0, L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

} // namespace korvel

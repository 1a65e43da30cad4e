// Settings file access; see modRWini.h.
#include "modRWini.h"

#include "LaunchLogic.h"

#include <windows.h>

#include <cstdint>

namespace korvel {

std::string IniPath;

std::string ReadIni(const std::string& section, const std::string& key, const std::string& fallback)
{
    char buffer[kIniBufferSize] = {};
    const DWORD copied = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer,
                                                  static_cast<DWORD>(kIniBufferSize), IniPath.c_str());
    if (static_cast<std::int16_t>(copied & 0xFFFFu) <= 0) {
        WriteIni(section, key, fallback);
        return fallback;
    }
    // Cut at the first NUL, not at a byte count: double-byte names stay whole.
    std::size_t length = 0;
    while (length < kIniBufferSize && buffer[length] != '\0')
        ++length;
    return std::string(buffer, length);
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

// The launcher's window-free rules; see LaunchLogic.h.
#include "LaunchLogic.h"

namespace korvel {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
} // namespace

bool ParseDecimal(const std::string& text, std::int32_t& out)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t firstDigit = i;
    // Magnitude in 64 bits; stop accumulating once past the 32-bit range so
    // long digit runs cannot overflow.
    std::int64_t magnitude = 0;
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    bool tooBig = false;
    while (i < n && text[i] >= '0' && text[i] <= '9') {
        if (!tooBig) {
            magnitude = magnitude * 10 + (text[i] - '0');
            if (magnitude > limit)
                tooBig = true;
        }
        ++i;
    }
    if (i == firstDigit || tooBig)
        return false;
    while (i < n && IsBlank(text[i]))
        ++i;
    if (i != n)
        return false;
    out = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
    return true;
}

std::string DecimalText(std::int32_t value) { return std::to_string(value); }

std::int32_t PriorityClassFor(std::int32_t index)
{
    switch (index) {
    case 0: return 64;   // idle
    case 1: return 32;   // normal
    case 2: return 128;  // high
    case 3: return 256;  // realtime
    default: return index;
    }
}

bool ShowDialogFor(const std::string& isRememberText) { return isRememberText != "1"; }

std::int32_t MaskToApply(std::int32_t storedMask, std::uint32_t systemMask)
{
    if (storedMask != 0)
        return storedMask;
    if (systemMask != 0)
        return static_cast<std::int32_t>(systemMask);
    return -1;
}

bool BuildCommandLine(const std::wstring& name, const std::wstring& params, std::wstring& out,
                      const std::wstring& arguments)
{
    if (name.empty() || name.find(L'"') != std::wstring::npos)
        return false;
    std::wstring line;
    if (name.find(L' ') != std::wstring::npos)
        line = L"\"" + name + L"\"";
    else
        line = name;
    line += L' ';
    line += params;
    if (!arguments.empty()) {
        line += L' ';
        line += arguments;
    }
    out = std::move(line);
    return true;
}

std::wstring ArgumentsAfterProgramName(const std::wstring& commandLine)
{
    std::size_t i = 0;
    const std::size_t n = commandLine.size();
    if (n > 0 && commandLine[0] == L'"') {
        const std::size_t close = commandLine.find(L'"', 1);
        i = close == std::wstring::npos ? n : close + 1;
    } else {
        while (i < n && commandLine[i] != L' ' && commandLine[i] != L'\t')
            ++i;
    }
    while (i < n && (commandLine[i] == L' ' || commandLine[i] == L'\t'))
        ++i;
    return commandLine.substr(i);
}

bool ShowCommandFor(std::int32_t style, int& showCommand)
{
    switch (style) {
    case 0: showCommand = 0; return true;  // hidden
    case 1: showCommand = 1; return true;  // normal, activated
    case 2: showCommand = 2; return true;  // minimised, activated
    case 3: showCommand = 3; return true;  // maximised, activated
    case 4: showCommand = 4; return true;  // normal, not activated
    case 6: showCommand = 7; return true;  // minimised, not activated
    default: return false;
    }
}

std::int32_t LowStatusWord(std::uint32_t status)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(status & 0xFFFFu));
}

namespace {
bool TextCharacter(unsigned unit)
{
    return unit >= 0x20 || unit == '\t' || unit == '\r' || unit == '\n' || unit == 0x0C || unit == 0x1A;
}
} // namespace

bool SettingsTextAcceptable(const unsigned char* data, std::size_t size)
{
    if (size > kMaxSettingsBytes)
        return false;
    const bool littleEndian = size >= 2 && data[0] == 0xFF && data[1] == 0xFE;
    const bool bigEndian = size >= 2 && data[0] == 0xFE && data[1] == 0xFF;
    if (littleEndian || bigEndian) {
        if (size % 2 != 0)
            return false;  // not whole UTF-16 units
        for (std::size_t i = 2; i < size; i += 2) {
            const unsigned unit = littleEndian ? data[i] | data[i + 1] << 8 : data[i] << 8 | data[i + 1];
            if (!TextCharacter(unit))
                return false;
        }
        return true;
    }
    for (std::size_t i = 0; i < size; ++i)
        if (!TextCharacter(data[i]))
            return false;
    return true;
}

} // namespace korvel

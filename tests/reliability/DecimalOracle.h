// The form a settings value must have to be read as a number, checked on
// its own terms (not with the launcher's routine): blanks (space or tab),
// an optional sign, one or more digits 0-9, blanks, and a value within the
// signed 32-bit range. The seeded driver and the fuzz target hold the
// launcher's conversion to it.
#pragma once
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace reliability {

inline std::optional<std::int32_t> DecimalOracle(const std::string& text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    std::size_t i = 0, j = text.size();
    while (i < j && blank(text[i]))
        ++i;
    while (j > i && blank(text[j - 1]))
        --j;
    const std::string core = text.substr(i, j - i);
    const std::size_t d = (!core.empty() && (core[0] == '+' || core[0] == '-')) ? 1 : 0;
    if (d == core.size())
        return std::nullopt;
    for (std::size_t k = d; k < core.size(); ++k)
        if (core[k] < '0' || core[k] > '9')
            return std::nullopt;
    errno = 0;
    const long long v = std::strtoll(core.c_str(), nullptr, 10);
    if (errno == ERANGE || v < INT32_MIN || v > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(v);
}

} // namespace reliability

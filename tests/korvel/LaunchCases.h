// Case tables run against both layers: the entry routine in the test's own
// process and the real Korvel.exe started from outside.
#pragma once
#include <string>
#include <vector>

namespace kt {

// The shortcut's own arguments after the stored parameters (game.exe is
// the remembered program).
struct ArgumentsCase {
    const char* label;
    std::string params;      // EXEParam
    std::wstring arguments;  // what follows Korvel's own name on its command line
    std::string cmdline;     // what the program is started with
};

inline const std::vector<ArgumentsCase>& ArgumentsCases()
{
    static const std::vector<ArgumentsCase> cases = {
        {"after the parameters, quotes and all", "-window", L"-dx11 \"a  b\"", "game.exe -window -dx11 \"a  b\""},
        {"empty parameters keep their space", "", L"-dx11", "game.exe  -dx11"},
        {"none: the line as without them", "-window", L"", "game.exe -window"},
    };
    return cases;
}

} // namespace kt

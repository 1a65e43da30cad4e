// The settings file: one key at a time over the system's ANSI profile
// functions, so the file stays plain text in the system code page.
#pragma once
#include <string>

namespace korvel {

// Full path of the settings file, in the ANSI code page. Set once at start.
extern std::string IniPath;

// Reads one key. A missing or empty key is written back with `fallback`,
// which is returned. Values come back whole, however long.
std::string ReadIni(const std::string& section, const std::string& key, const std::string& fallback);

// Creates or replaces one key (and the file and section when missing).
// Failures (a read-only folder) are silent.
void WriteIni(const std::string& section, const std::string& key, const std::string& value);

// Conversions between the program's wide texts and the file's code page.
std::string AnsiFromWide(const std::wstring& text);
std::wstring WideFromAnsi(const std::string& text);

} // namespace korvel

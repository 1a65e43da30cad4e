// The launcher's window-free rules: the launch record, the settings keys and
// their defaults, number conversion, priority classes, the processor mask,
// the command line and the show states. No Windows header, so these also
// build natively and run under the sanitizers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace korvel {

// One launch choice. The dialog holds it as public fields, in this order;
// the entry routine fills it before the dialog shows and reads it back after.
struct LaunchConfig {
    std::int32_t SelectedCPU = 0;     // processor mask, bit k = processor k; 0 = no restriction
    std::wstring EXEName;             // program file name, without folder
    std::wstring EXEParam;            // parameters, passed after one space
    std::int32_t isRemember = 0;      // 1: launch at once next time
    std::int32_t CPUPRIORITY = 1;     // priority index 0..3 (see PriorityClassFor)
    std::int32_t IOPRIORITY = 2;      // I/O priority hint given to the system unchanged
    std::int16_t isCancel = 0;        // -1 when the dialog was cancelled; never stored
    std::int32_t ShowStyle = 1;       // window state of the started program
};

// One key of the settings file with the default a read writes back.
struct SettingKey {
    const char* name;
    const char* fallback;
};

// Everything lives in one section.
inline constexpr const char* kSection = "Config";
inline constexpr const char* kSettingsFileName = "\\Korveled.ini";

namespace keys {
inline constexpr SettingKey EXEName{"EXEName", ""};
inline constexpr SettingKey EXEParam{"EXEParam", ""};
inline constexpr SettingKey SelectedCPU{"SelectedCPU", "0"};
inline constexpr SettingKey CPUPriority{"CPUPriority", "1"};
inline constexpr SettingKey IOPriority{"IOPriority", "2"};
inline constexpr SettingKey ShowStyle{"ShowStyle", "1"};
inline constexpr SettingKey isRemember{"isRemember", "0"};
} // namespace keys

// The first buffer a value is read into, terminator included; it grows
// until the value fits.
inline constexpr std::size_t kIniBufferSize = 144;

// Decimal text to a 32-bit signed integer. Accepted: optional blanks (space
// or tab), an optional "+" or "-", one or more digits 0-9, optional blanks,
// and a value within the signed 32-bit range. Anything else (empty text,
// fractions, hexadecimal, letters, overflow) is rejected and `out` is left
// alone.
bool ParseDecimal(const std::string& text, std::int32_t& out);

// Plain decimal text, "-" for negatives, no leading blank.
std::string DecimalText(std::int32_t value);

// Priority index to priority class: 0 idle (64), 1 normal (32), 2 high (128),
// 3 realtime (256); any other value, negative ones included, is taken as a
// class of its own and used unchanged (16384 stays 16384, the below-normal
// class).
std::int32_t PriorityClassFor(std::int32_t index);

// Only the exact text "1" means "remember": "1 ", "01" or "true" show the
// dialog.
bool ShowDialogFor(const std::string& isRememberText);

// The processor mask to apply. A stored 0 means every processor: that is
// the system's own mask of processors, because the system refuses bits of
// processors that do not exist. Without a usable system mask, all bits set.
std::int32_t MaskToApply(std::int32_t storedMask, std::uint32_t systemMask);

// "name params" with exactly one space, the space present even when params
// is empty. A name with a space is quoted, so that "my game.exe" can never
// start a "my.exe" found first on the search path. Non-empty `arguments`
// (the launcher's own, see ArgumentsAfterProgramName) follow after one more
// space, exactly as given. Returns false for names no program file can have
// (empty, or holding a quote), which would let the parameters or another
// file take the name's place.
bool BuildCommandLine(const std::wstring& name, const std::wstring& params, std::wstring& out,
                      const std::wstring& arguments = std::wstring());

// What follows the program's own name on a command line, quotes and all:
// the name is the quoted text when the line starts with a quote, else the
// text up to the first blank (space or tab); the blanks after it are the
// separator and are dropped. Empty when there are no arguments.
std::wstring ArgumentsAfterProgramName(const std::wstring& commandLine);

// Stored window state to a platform show command: 0 hidden, 1 normal, 2
// minimised, 3 maximised (all activated), 4 normal and 6 minimised without
// activation. Returns false for any other code.
bool ShowCommandFor(std::int32_t style, int& showCommand);

// A native status code cut to its low 16 bits and sign-extended, as the I/O
// priority call reports it.
std::int32_t LowStatusWord(std::uint32_t status);

// A settings file is read only when it looks like the small text file it
// should be, so that default keys are never written into a foreign binary
// file: at most kMaxSettingsBytes (no settings file comes near), and text
// without NUL or control characters other than tab, carriage return, line
// feed, form feed (0x0C) and Ctrl-Z (0x1A, an old end-of-file mark). A file
// that starts with a UTF-16 byte-order mark (little- or big-endian, as
// Notepad saves "Unicode") is checked by whole 16-bit units, since the
// profile calls read it and write it back in that encoding.
inline constexpr std::size_t kMaxSettingsBytes = 1024 * 1024;
bool SettingsTextAcceptable(const unsigned char* data, std::size_t size);

} // namespace korvel

// The main dialog's rules without its windows: the texts it shows, the web
// addresses, which folder entries it lists, how processor rows map to mask
// bits, the tick rules of its check lists and OK's checks. No Windows
// header, so these also build natively and run under the sanitizers.
#pragma once
#include "LaunchLogic.h"

#include <cstdint>
#include <string>

namespace korvel {

// The maker's pages, opened by the version label and the tutorial's buttons.
inline constexpr const wchar_t* kMakerWebPage = L"https://marrowick.example.com/vexilo/";
inline constexpr const wchar_t* kMakerShop = L"https://marrowick.example.com/shop/";

// Messages of the dialog.
inline constexpr const wchar_t* kNeedProgramText = L"必须选择一个可执行文件!";
inline constexpr const wchar_t* kNeedCpuText = L"至少要选择一个CPU!";
inline constexpr const wchar_t* kNeedPriorityText = L"至少要选择一个优先级!";
inline constexpr const wchar_t* kNoProgramsText = L"当前目录下没有可执行文件!";
inline constexpr const wchar_t* kNoProgramsTitle = L"警告";

// The version that replaces "[SoftVer]" in the version label.
inline constexpr const wchar_t* kSoftVer = L"V1.5";

// The rows of a check list as the tick rules see them. SetTicked raises
// the list's item-check notification on a change, as the real list does,
// so the rules below run re-entrantly and guard themselves.
class TickRows {
public:
    virtual ~TickRows() = default;
    virtual int Count() const = 0;
    virtual bool Ticked(int row) const = 0;
    virtual void SetTicked(int row, bool ticked) = 0;
    virtual std::wstring Text(int row) const = 0;
};

// lstCPU: row 0 "AllCPU" gives its state to every processor row; unticking
// a processor unticks "AllCPU". Ticking the last processor does not tick
// "AllCPU" again.
class AllCpuRule {
public:
    void ItemCheck(TickRows& rows, int row);
    bool Running() const { return busy_; }

private:
    bool busy_ = false;   // set while the rule changes rows itself
};

// lstEXE, lstCPUPriority, lstIOPriority: at most one ticked row; unticking
// the ticked row leaves none.
class SingleTickRule {
public:
    void ItemCheck(TickRows& rows, int row);
    bool Running() const { return busy_; }

private:
    bool busy_ = false;
};

// "CPU" and the processor's number from 0.
std::wstring ProcessorRowName(int processor);

// Whether a stored mask ticks the row of `processor` (0-based). Only a
// positive mask names processors; bit 31 cannot be set in one.
bool MaskSelectsProcessor(std::int32_t mask, int processor);

// The mask of the ticked processor rows (row k >= 1 is bit k-1; row 0,
// "AllCPU", adds nothing). Rows past the 32nd have no bit and add nothing;
// a tick on the 32nd processor sets the sign bit.
std::int32_t MaskFromRows(const TickRows& cpuRows);

// Index of the first ticked row, or -1.
int FirstTicked(const TickRows& rows);

// The launcher's own file name as the dialog recognises it: the module's
// name without folder and extension, followed by ".exe".
std::wstring OwnProgramName(const std::wstring& modulePath);

// Whether a folder entry found for "*.exe" is listed: not ".", "..", nor
// exactly (with case) the launcher's own name.
bool ListsAsProgram(const std::wstring& entry, const std::wstring& ownName);

// Every "[SoftVer]" (exact, with case) replaced by kSoftVer.
std::wstring ExpandVersion(const std::wstring& caption);

// OK's checks, in order, writing the fields as it goes: the program name,
// the processor mask, the CPU priority, the I/O priority and, once all
// passed, the window state. Returns the message of the first check that
// failed (the fields keep what was set up to it), or null when the choice
// is complete.
const wchar_t* AcceptChoice(const TickRows& programs, const TickRows& cpus, const TickRows& cpuPriorities,
                            const TickRows& ioPriorities, int windowState, LaunchConfig& fields);

} // namespace korvel

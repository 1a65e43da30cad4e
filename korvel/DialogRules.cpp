// See DialogRules.h.
#include "DialogRules.h"

namespace korvel {

void AllCpuRule::ItemCheck(TickRows& rows, int row)
{
    if (busy_)
        return;
    busy_ = true;
    if (row == 0) {
        const bool all = rows.Ticked(0);
        for (int r = 1; r < rows.Count(); ++r)
            rows.SetTicked(r, all);
    } else if (!rows.Ticked(row)) {
        rows.SetTicked(0, false);
    }
    busy_ = false;
}

void SingleTickRule::ItemCheck(TickRows& rows, int row)
{
    if (busy_)
        return;
    busy_ = true;
    for (int r = 0; r < rows.Count(); ++r)
        if (r != row)
            rows.SetTicked(r, false);
    busy_ = false;
}

std::wstring ProcessorRowName(int processor) { return L"CPU" + std::to_wstring(processor); }

bool MaskSelectsProcessor(std::int32_t mask, int processor)
{
    if (mask <= 0 || processor < 0 || processor > 30)
        return false;
    return (static_cast<std::uint32_t>(mask) >> processor) & 1u;
}

std::int32_t MaskFromRows(const TickRows& cpuRows)
{
    // Each row owns one distinct bit, so summing the powers of two is
    // the same as setting the bits.
    std::uint32_t bits = 0;
    for (int row = 1; row < cpuRows.Count() && row <= 32; ++row)
        if (cpuRows.Ticked(row))
            bits |= 1u << (row - 1);
    return static_cast<std::int32_t>(bits);
}

int FirstTicked(const TickRows& rows)
{
    for (int r = 0; r < rows.Count(); ++r)
        if (rows.Ticked(r))
            return r;
    return -1;
}

std::wstring OwnProgramName(const std::wstring& modulePath)
{
    std::wstring name = modulePath;
    const std::size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos)
        name.erase(0, slash + 1);
    const std::size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos)
        name.erase(dot);
    return name + L".exe";
}

bool ListsAsProgram(const std::wstring& entry, const std::wstring& ownName)
{
    return entry != L"." && entry != L".." && entry != ownName;
}

std::wstring ExpandVersion(const std::wstring& caption)
{
    static const std::wstring marker = L"[SoftVer]";
    std::wstring out;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = caption.find(marker, from);
        if (at == std::wstring::npos)
            break;
        out.append(caption, from, at - from);
        out += kSoftVer;
        from = at + marker.size();
    }
    out.append(caption, from, std::wstring::npos);
    return out;
}

const wchar_t* AcceptChoice(const TickRows& programs, const TickRows& cpus, const TickRows& cpuPriorities,
                            const TickRows& ioPriorities, int windowState, LaunchConfig& fields)
{
    const int program = FirstTicked(programs);
    if (program < 0)
        return kNeedProgramText;
    fields.EXEName = programs.Text(program);

    fields.SelectedCPU = MaskFromRows(cpus);
    if (fields.SelectedCPU == 0)
        return kNeedCpuText;

    fields.CPUPRIORITY = FirstTicked(cpuPriorities);
    if (fields.CPUPRIORITY == -1)
        return kNeedPriorityText;

    fields.IOPRIORITY = FirstTicked(ioPriorities);
    if (fields.IOPRIORITY == -1)
        return kNeedPriorityText;

    fields.ShowStyle = windowState;
    return nullptr;
}

} // namespace korvel

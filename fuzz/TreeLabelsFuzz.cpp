// The tree's label index under any sequence of additions, removals (with
// their subtrees) and folds: the slot found for a label is always the
// lowest used slot with that label, as a walk over every slot finds it; a
// removed label is found no more; the row counts agree with a count over
// the nodes.
#include "FuzzInput.h"

#include "host/Values.h"
#include "tessara/controls/tree/TreeStore.h"
#include "tests/tessara/controls/tree/TreeReference.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

[[noreturn]] void Broken(const std::string& what)
{
    std::fprintf(stderr, "tree labels: %s\n", what.c_str());
    std::abort();
}

// A few labels, so that many nodes share one; now and then an empty one.
std::wstring Label(fuzz::Input& in)
{
    static const wchar_t* const labels[] = {L"a", L"b", L"A", L"node", L"结点", L"a ", L""};
    return labels[in.Pick(in.Pick(8) == 0 ? 7 : 6)];
}

void Check(const tessara::TreeStore& s, const std::wstring& label)
{
    const std::int32_t got = s.IndexOf(label), want = treeref::IndexOf(s, label);
    if (got != want)
        Broken("IndexOf(\"" + host::ToUtf8(label) + "\") = " + std::to_string(got) + ", the lowest slot is " +
               std::to_string(want));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input in(data, size);
    tessara::TreeStore s;
    for (int step = 0; step < 200 && !in.empty(); ++step) {
        const std::int32_t slots = s.SlotCount();
        // Mostly a slot that exists; sometimes any number at all.
        const std::int32_t pick = slots > 0 && in.Pick(4) ? static_cast<std::int32_t>(in.U32() % slots) : in.Int();
        const std::wstring label = Label(in);
        switch (in.Pick(6)) {
        case 0: case 1: case 2: s.AddItem(slots == 0 ? -1 : pick, label); break;
        case 3: {
            const bool used = s.IsUsed(pick);
            const std::wstring gone = used ? s.Label(pick) : L"";
            s.RemoveItem(pick);
            if (used && pick != 0)
                Check(s, gone);
            break;
        }
        default: s.Spread(pick, in.Flag()); break;
        }
        Check(s, label);
        if (s.FreeSlots() < 0 || s.FreeSlots() > s.SlotCount())
            Broken("free slots out of range: " + std::to_string(s.FreeSlots()));
        if (s.TotalRows() != treeref::TotalRows(s))
            Broken("TotalRows " + std::to_string(s.TotalRows()) + ", a count over the nodes gives " +
                   std::to_string(treeref::TotalRows(s)));
        // The walk counts the root's children whatever the root's own
        // state; the rows shown follow them only when it is unfolded.
        if (s.SlotCount() > 0 && s.Expanded(0) &&
            s.WalkRowCount() != static_cast<std::int32_t>(treeref::WalkRows(s).size()))
            Broken("the walk's row count disagrees with a walk of the nodes");
    }
    return 0;
}

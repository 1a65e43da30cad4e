// See GallerySamples.h.
#include "tessara/gallery/GallerySamples.h"

namespace gallery {

std::wstring Numbered(const std::wstring& text, int n) { return text + std::to_wstring(n); }

std::vector<std::wstring> ListItems()
{
    std::vector<std::wstring> out;
    for (int n = 0; n <= 100; ++n)
        out.push_back(Numbered(L"列表项", n));
    out.push_back(L"Adfdfadfdf我有成功");
    out.push_back(L"我123爱456你中就是这样");
    return out;
}

std::vector<std::wstring> ComboItems()
{
    std::vector<std::wstring> out;
    for (int n = 0; n <= 100; ++n)
        out.push_back(Numbered(L"组合项", n));
    return out;
}

std::vector<std::wstring> GroupNames() { return {L"分组一", L"分组二", L"分组三", L"分组四"}; }

std::vector<GroupItem> GroupItems()
{
    struct Group {
        const wchar_t* prefix;
        int last;
    };
    static const Group groups[] = {{L"分组一第abcdefgh", 20}, {L"分组二第", 10}, {L"分组三第", 14}, {L"分组四第", 5}};
    std::vector<GroupItem> out;
    for (int g = 0; g < 4; ++g)
        for (int n = 0; n <= groups[g].last; ++n)
            out.push_back({g, Numbered(groups[g].prefix, n) + L"项"});
    return out;
}

std::vector<TreeAddition> TreePlan()
{
    const std::wstring node = L"结点";
    std::vector<TreeAddition> out;
    out.push_back({-1, L"", Numbered(node, 0)});
    for (int n = 1; n <= 3; ++n)
        out.push_back({0, L"", Numbered(node, n)});
    // Each pass hangs 100 children under the first child of each chain.
    std::wstring parents[3] = {Numbered(node, 1), Numbered(node, 2), Numbered(node, 3)};
    wchar_t letter = L'A';
    for (int pass = 1; pass <= 7; ++pass) {
        const std::wstring names[3] = {node + letter, node + wchar_t(letter + 1), node + wchar_t(letter + 2)};
        for (int n = 1; n <= 100; ++n)
            for (int k = 0; k < 3; ++k)
                out.push_back({0, parents[k], Numbered(names[k], n)});
        for (int k = 0; k < 3; ++k)
            parents[k] = Numbered(names[k], 1);
        letter = wchar_t(letter + 3);
    }
    return out;
}

std::vector<std::wstring> TabCaptions()
{
    return {L"标签一", L"标签二", L"标签三", L"标签四", L"标签五", L"标签六", L"标签七", L"标签八"};
}

std::vector<std::wstring> HeaderTexts()
{
    std::vector<std::wstring> out;
    for (int n = 0; n <= 2; ++n)
        out.push_back(Numbered(L"列表头", n));
    return out;
}

std::vector<ListViewRow> ListViewRows()
{
    std::vector<ListViewRow> out;
    for (int n = 0; n <= 100; ++n) {
        const std::wstring text = Numbered(L"列表项", n);
        out.push_back({text, text + L"子项1", text + L"子项2"});
    }
    return out;
}

ProgressTicker::Step ProgressTicker::Tick()
{
    Step s{counter_, false};
    counter_ = static_cast<std::int16_t>(counter_ + 1);
    s.stop = counter_ > kLast;
    return s;
}

} // namespace gallery

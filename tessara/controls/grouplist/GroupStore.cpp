#include "tessara/controls/grouplist/GroupStore.h"

#include "tessara/controls/scroll/ScrollArithmetic.h"

#include <algorithm>

namespace tessara {

void GroupStore::AddGroup(const std::wstring& name)
{
    groups_.push_back(Group{name, false, {}});
    // Past every row until the next relayout, so the new header shows only then.
    groupRows_.push_back(totalRows_);
}

bool GroupStore::AddItem(int group, const std::wstring& item)
{
    if (!ValidGroup(group))
        return false;
    auto& items = groups_[group].items;
    if (static_cast<int>(items.size()) >= kMaxItems)
        return false;
    items.push_back(item);
    return true;
}

bool GroupStore::RemoveItem(int group, int index)
{
    if (!ValidGroup(group))
        return false;
    auto& items = groups_[group].items;
    if (index < 0 || index >= static_cast<int>(items.size()))
        return false;
    items.erase(items.begin() + index);
    return true;
}

bool GroupStore::RemoveGroup(int group)
{
    if (!ValidGroup(group))
        return false;
    groups_.erase(groups_.begin() + group);
    groupRows_.erase(groupRows_.begin() + group);
    return true;
}

bool GroupStore::SetExpanded(int group, bool expanded)
{
    if (!ValidGroup(group))
        return false;
    groups_[group].expanded = expanded;
    return true;
}

bool GroupStore::Toggle(int group)
{
    if (!ValidGroup(group))
        return false;
    groups_[group].expanded = !groups_[group].expanded;
    return true;
}

std::wstring GroupStore::GroupName(int g) const
{
    return ValidGroup(g) ? groups_[g].name : std::wstring();
}

int GroupStore::ItemCount(int g) const
{
    return ValidGroup(g) ? static_cast<int>(groups_[g].items.size()) : 0;
}

bool GroupStore::Expanded(int g) const
{
    return ValidGroup(g) && groups_[g].expanded;
}

std::wstring GroupStore::Item(int g, int i) const
{
    if (!ValidGroup(g) || i < 0 || i >= ItemCount(g))
        return std::wstring();
    return groups_[g].items[i];
}

std::wstring GroupStore::HeaderCaption(int g) const
{
    return GroupName(g) + L"(" + std::to_wstring(ItemCount(g)) + L")";
}

void GroupStore::Relayout()
{
    // With no groups there are no rows: none is left for a scroll bar.
    groupRows_.resize(groups_.size());
    int row = 0;
    for (size_t g = 0; g < groups_.size(); ++g) {
        groupRows_[g] = row;
        row += 1;
        if (groups_[g].expanded)
            row += static_cast<int>(groups_[g].items.size());
    }
    totalRows_ = row;
}

int GroupStore::GroupRow(int g) const
{
    return ValidGroup(g) ? groupRows_[g] : -1;
}

int GroupStore::GroupAtRow(int row) const
{
    // Header rows only ever grow with the group index, so a binary search finds them.
    auto it = std::lower_bound(groupRows_.begin(), groupRows_.end(), row);
    if (it == groupRows_.end() || *it != row)
        return -1;
    return static_cast<int>(it - groupRows_.begin());
}

GroupStore::ItemPos GroupStore::LocateRow(int row) const
{
    auto it = std::lower_bound(groupRows_.begin(), groupRows_.end(), row);
    if (it == groupRows_.begin())
        return {};
    int g = static_cast<int>(it - groupRows_.begin()) - 1;
    return {g, row - groupRows_[g] - 1};
}

namespace {

int RowRight(const GroupView& v)
{
    return v.scrollVisible ? v.scaleWidth - 23 : v.scaleWidth - 3;
}

GroupRowBox DescribeRow(const GroupStore& store, const GroupView& v, int row, int top)
{
    GroupRowBox box;
    box.row = row;
    box.top = top;
    box.right = RowRight(v);
    int g = store.GroupAtRow(row);
    if (g >= 0) {
        box.header = true;
        box.group = g;
        box.height = GroupStore::kHeaderHeight;
    } else {
        auto pos = store.LocateRow(row);
        box.group = pos.group;
        box.index = pos.index;
        box.height = v.itemHeight;
    }
    return box;
}

} // namespace

std::vector<GroupRowBox> VisibleRows(const GroupStore& store, const GroupView& v)
{
    std::vector<GroupRowBox> rows;
    if (store.GroupCount() == 0)
        return rows;
    int last = std::min(v.topRow + v.pageRows - 1, store.TotalRows() - 1);
    int y = 3;
    for (int r = std::max(v.topRow, 0); r <= last; ++r) {
        rows.push_back(DescribeRow(store, v, r, y));
        y += rows.back().height;
    }
    return rows;
}

int HitTestRow(const GroupStore& store, const GroupView& v, int x, int y)
{
    if (store.GroupCount() == 0)
        return -1;
    int right = v.scrollVisible ? v.scaleWidth - 22 : v.scaleWidth - 3;
    if (x < 3 || x > right || y < 3 || y > v.scaleHeight - 3)
        return -1;
    // Only painted rows can be hit: a row beyond the list's end shows nothing.
    int top = 3;
    for (int r = std::max(v.topRow, 0); r < store.TotalRows() && r < v.topRow + v.pageRows; ++r) {
        int bottom = top + DescribeRow(store, v, r, top).height;
        if (y >= top && y <= bottom)
            return r;
        top = bottom;
    }
    return -1;
}

GroupPage FitPage(int scaleHeight, int itemHeight)
{
    GroupPage page;
    int h = scaleHeight - 6;
    itemHeight = std::clamp(itemHeight, 1, GroupStore::kMaxItemHeight);
    // Smaller than its margins: one row, as for any height short of a row
    // (the division would otherwise give no rows or fewer than none).
    if (h < 0) {
        page.pageRows = 1;
        page.clientHeight = itemHeight + 6;
    } else if (h % itemHeight != 0) {
        page.pageRows = h / itemHeight + 1;
        page.clientHeight = page.pageRows * itemHeight + 6;
    } else {
        page.pageRows = h / itemHeight;
        page.clientHeight = scaleHeight;
    }
    return page;
}

int GroupThumbLength(int scaleHeight, int pageRows, int totalRows)
{
    // The track: the bar's height (the client's less the margins) less its arrows.
    return ThumbLength(scaleHeight - 44, pageRows, totalRows);
}

int AvailableTextWidth(int scaleWidth, bool scrollVisible)
{
    return scrollVisible ? scaleWidth - 34 : scaleWidth - 14;
}

int TextOverflow(int textWidth, int scaleWidth, bool scrollVisible)
{
    int avail = AvailableTextWidth(scaleWidth, scrollVisible);
    return avail < textWidth ? textWidth - avail : 0;
}

bool Marquee::Tick(int mode, int textWidth, int overflow, int spaceWidth)
{
    switch (mode) {
    case 1:
        if (offset == 0) {
            forward = true;
            back = false;
        }
        if (offset == overflow) {
            forward = false;
            back = true;
        }
        offset += forward ? 1 : -1;
        return true;
    case 2: {
        int before = offset++;
        if (before == textWidth + spaceWidth) {
            offset = 0;
            return false;
        }
        return true;
    }
    default: {
        int before = offset++;
        if (before == textWidth) {
            offset = 0;
            return false;
        }
        return true;
    }
    }
}

} // namespace tessara

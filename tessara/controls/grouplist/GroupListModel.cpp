#include "tessara/controls/grouplist/GroupListModel.h"

#include <algorithm>

namespace tessara {

GroupListModel::Removal GroupListModel::RemoveGroup(int group, int topRow)
{
    if (!store_.ValidGroup(group))
        return Removal::None;
    const int rows = store_.Expanded(group) ? store_.ItemCount(group) + 1 : 1;
    pendingScroll_ = std::max(-rows, -topRow);
    store_.RemoveGroup(group);
    // An empty list shows no bar and ignores the wheel: at once, with no
    // stale rows left for the wheel to scroll over.
    return store_.GroupCount() == 0 ? Removal::Now : Removal::Deferred;
}

void GroupListModel::SetScrollMode(int mode)
{
    if (mode >= 0 && mode <= 2)
        scrollMode_ = mode;
}

GroupPage GroupListModel::Fit(int scaleHeight)
{
    const GroupPage page = FitPage(scaleHeight, itemHeight_);
    pageRows_ = page.pageRows;
    return page;
}

BarPlan GroupListModel::Relayout(int scaleWidth, int scaleHeight, int topRow)
{
    store_.Relayout();
    const int total = store_.TotalRows();
    BarPlan bar;
    if (pageRows_ < total) {
        bar.visible = true;
        bar.place = SizedRect(scaleWidth - 20, 3, 18, scaleHeight - 6);
        bar.thumb = GroupThumbLength(scaleHeight, pageRows_, total);
        // The value stays inside the new range, however much it shrank.
        bar.maxV = total - pageRows_;
        bar.value = std::int64_t{topRow} + pendingScroll_;
        pendingScroll_ = 0;
    }
    return bar;
}

GroupView GroupListModel::View(int scaleWidth, int scaleHeight, int topRow, bool scrollVisible) const
{
    GroupView v;
    v.scaleWidth = scaleWidth;
    v.scaleHeight = scaleHeight;
    v.itemHeight = itemHeight_;
    v.pageRows = pageRows_;
    v.topRow = topRow;
    v.scrollVisible = scrollVisible;
    return v;
}

bool GroupListModel::Hover(int row)
{
    if (row == hoverRow_)
        return false;
    hoverRow_ = row;
    marquee_.offset = 0;
    return true;
}

std::wstring GroupListModel::HoverText() const
{
    const auto pos = store_.LocateRow(hoverRow_);
    return store_.Item(pos.group, pos.index);
}

bool GroupListModel::MeasuredHover(int textWidth, int overflow, int spacesWidth)
{
    hoverTextWidth_ = textWidth;
    hoverOverflow_ = overflow;
    spacesWidth_ = spacesWidth;
    return overflow > 0;
}

void GroupListModel::Leave()
{
    hoverRow_ = -1;
    marquee_.offset = 0;
}

GroupListModel::Press GroupListModel::PressRow(int row)
{
    Press press;
    if (row < 0)
        return press;
    const int g = store_.GroupAtRow(row);
    if (g >= 0) {
        // The folded rows lie below the header, which is in view: the view
        // stays, so the header stays under the pointer (the relayout only
        // pulls the view up to a shorter end).
        store_.Toggle(g);
        press.toggled = true;
        return press;
    }
    const auto pos = store_.LocateRow(row);
    // A row left over from before a removal, not yet laid out again, names no item.
    if (pos.index < 0 || pos.index >= store_.ItemCount(pos.group))
        return press;
    press.item = true;
    press.text = store_.Item(pos.group, pos.index);
    return press;
}

std::optional<int> GroupListModel::WheelValue(int value, int maxValue, int delta) const
{
    if (pageRows_ >= store_.TotalRows())
        return std::nullopt;
    return WheelTarget(value, maxValue, delta);
}

bool GroupListModel::MarqueeTick()
{
    return marquee_.Tick(scrollMode_, hoverTextWidth_, hoverOverflow_, spacesWidth_);
}

} // namespace tessara

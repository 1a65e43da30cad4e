// The tree view's layout arithmetic.
#include "tessara/controls/tree/TreeLayout.h"

#include "tessara/controls/tree/TreeGeometry.h"


namespace tessara {

TreeLayoutPlan PlanTreeLayout(const TreeLayoutInput& in)
{
    using Mode = TreeLayoutPlan::Mode;
    TreeLayoutPlan p;
    p.pageRows = in.pageRows;
    if (!in.rootExpanded) {
        p.mode = Mode::RootFolded;
        return p;
    }
    const std::int32_t w = in.scaleWidth, h = in.scaleHeight;
    const std::int32_t avail = w - TreeColumns::kBarStrip;  // width the rows may use
    const std::int32_t c = in.contentWidth, total = in.totalRows;
    // A layout that runs before the first resize finds a saved page of 0
    // rows; a page of at least one row keeps the page of both bars (one
    // row less) from going negative.
    const std::int32_t saved = in.savedPageRows < 1 ? 1 : in.savedPageRows;
    if (c > avail && total > saved - 1) {
        p.mode = Mode::Both;
        p.vVisible = p.hVisible = p.vMoved = p.hMoved = true;
        p.vPlace = SizedRect(w - 20, 2, 18, h - 23);
        p.hPlace = SizedRect(2, h - 20, w - 23, 18);
        p.pageRows = saved - 1;  // the horizontal bar covers a row
        p.vGlide = ThumbLength(h - 59, p.pageRows, total);
        p.vMax = total - p.pageRows;
        p.hGlide = ThumbLength(w - 59, avail, c);
        p.hMax = c - avail;
    } else if (c > avail) {
        p.mode = Mode::HorizontalOnly;
        p.hVisible = p.hMoved = true;
        p.hPlace = SizedRect(2, h - 20, w - 4, 18);
        p.hGlide = ThumbLength(w - 40, avail, c);
        p.hMax = c - avail;
    } else if (total <= saved) {
        p.mode = Mode::None;
    } else {
        p.mode = Mode::VerticalOnly;
        p.vVisible = p.vMoved = true;
        p.vPlace = SizedRect(w - 20, 2, 18, h - 4);
        p.pageRows = saved;
        p.vGlide = ThumbLength(h - 40, p.pageRows, total);
        p.vMax = total - p.pageRows;
    }
    return p;
}

FirstResizePlan PlanFirstResize(std::int32_t scaleWidth, std::int32_t scaleHeight, std::int32_t rowPitch)
{
    FirstResizePlan p;
    p.scaleWidth = scaleWidth;
    p.scaleHeight = scaleHeight;
    if (scaleWidth < 100) {
        p.setWidth = true;
        p.widthTwips = 1500;
        p.scaleWidth = 100;
    }
    if (scaleHeight < 100) {
        p.setHeight = true;
        p.heightTwips = 1500;
        p.scaleHeight = 100;
    }
    const std::int32_t d = p.scaleHeight - 4;
    if (d % rowPitch != 0) {
        // Grow to a whole number of rows, so the paint's walk meets its limit.
        p.pageRows = d / rowPitch + 1;
        p.setHeight = true;
        p.scaleHeight = rowPitch * p.pageRows + 4;
        p.heightTwips = p.scaleHeight * 15;
    } else {
        p.pageRows = d / rowPitch;
    }
    p.vPlace = SizedRect(p.scaleWidth - 20, 2, 18, p.scaleHeight - 24);
    p.hPlace = SizedRect(2, p.scaleHeight - 20, p.scaleWidth - 24, 18);
    return p;
}

} // namespace tessara

// The tree view's layout arithmetic: which scroll bars show, where they go,
// their thumbs and ranges, and the first resize that snaps the height to
// whole rows. No Windows header.
#pragma once
#include "tessara/controls/scroll/ScrollArithmetic.h"

#include <cstdint>

namespace tessara {

struct TreeLayoutInput {
    std::int32_t scaleWidth = 0;
    std::int32_t scaleHeight = 0;
    bool rootExpanded = false;
    std::int32_t totalRows = 0;
    std::int32_t contentWidth = 0;
    std::int32_t savedPageRows = 0;
    std::int32_t pageRows = 0;
};

struct TreeLayoutPlan {
    enum class Mode { RootFolded, Both, HorizontalOnly, None, VerticalOnly };
    Mode mode = Mode::RootFolded;
    std::int32_t pageRows = 0;
    bool vVisible = false, hVisible = false;
    bool vMoved = false, hMoved = false;
    kit::Rect vPlace, hPlace;
    // Shown bars get thumb and range; a hidden bar's value goes to 0.
    std::int32_t vGlide = 0, hGlide = 0;
    std::int32_t vMax = 0, hMax = 0;
};

TreeLayoutPlan PlanTreeLayout(const TreeLayoutInput& in);

struct FirstResizePlan {
    bool setWidth = false, setHeight = false;
    std::int32_t widthTwips = 0, heightTwips = 0;
    std::int32_t scaleWidth = 0, scaleHeight = 0;  // after the changes
    std::int32_t pageRows = 0;
    kit::Rect vPlace, hPlace;
};

FirstResizePlan PlanFirstResize(std::int32_t scaleWidth, std::int32_t scaleHeight, std::int32_t rowPitch);

} // namespace tessara

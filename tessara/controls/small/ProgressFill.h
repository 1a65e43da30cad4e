// Progress bar value model and fill layout, without windows.
#pragma once
#include "tessara/controls/scroll/ScrollArithmetic.h"

namespace tessara {

class ProgressFill {
public:
    int MinV() const { return min_; }
    int MaxV() const { return max_; }
    int Value() const { return value_; }
    // The setters keep MinV <= Value <= MaxV and MinV < MaxV; a value that
    // would break that is refused (false) and nothing changes.
    bool SetValue(int v);
    bool SetMinV(int v);
    bool SetMaxV(int v);
    // Saved properties are taken as stored, without checks and without
    // recomputing the fill.
    void Restore(int minV, int maxV, int value);

    // Recomputes the fill for a client width.
    void Recalc(int width);
    // x of the fill's right edge: the fill covers x 1 .. FillRight - 1.
    int FillRight() const { return fillRight_; }
    int FillStep() const { return static_cast<int>(map_.k); }
    int FillRest() const { return static_cast<int>(map_.rem); }
    bool PixelsPerStep() const { return map_.pixelsPerValue; }
    int ValueToX(int v) const;

private:
    int min_ = 0;
    int max_ = 100;
    int value_ = 0;
    int width_ = 0;
    StepMap map_;             // the range over the inner width
    bool empty_ = true;       // no range or no inner width: nothing to fill
    int fillRight_ = 1;
};

} // namespace tessara

// Bytes the program holds through operator new, counted by replacing the
// global allocation functions in the test binary that links HeapCount.cpp.
// The platform's own committed memory moves only by whole heap chunks, so
// a leak of a few bytes per message shows here long before it shows there.
#pragma once
#include <cstddef>

namespace reliability {

struct HeapFigures {
    long long bytes = 0;   // requested bytes not yet freed
    long long blocks = 0;  // allocations not yet freed
};

HeapFigures HeapInUse();

} // namespace reliability

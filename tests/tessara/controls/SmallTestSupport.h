// Helpers for the small controls' window tests: a form that hosts them,
// event journals and pixel searches over a painted frame.
#pragma once
#include "ScrollTestSupport.h"

#include <functional>
#include <string>
#include <vector>

namespace smalltest {

using namespace scrolltest;

// True when some pixel of the rectangle satisfies the test.
inline bool AnyPixel(const Frame& f, RECT r, const std::function<bool(COLORREF)>& test)
{
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (test(f(x, y)))
                return true;
    return false;
}

inline bool HasColour(const Frame& f, RECT r, COLORREF c)
{
    return AnyPixel(f, r, [c](COLORREF p) { return p == c; });
}

class FormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The pointer rests away from the form, and mouse and focus messages
        // left over from earlier tests' windows go nowhere.
        ::SetCursorPos(0, 0);
        Pump(30);
        form.Show();
        Pump(30);
    }
    void TearDown() override { form.Unload(); }

    host::Form form{L"frmTest"};
    hosttest::BoxRecorder boxes;
    std::vector<std::string> events;
};

} // namespace smalltest

// The main of every test program. It runs GoogleTest as its own main does,
// but a run in which some test skipped and none failed ends with
// kSkippedExitCode, so that ctest reports the program as skipped rather than
// passed; each skipped test is listed with its reason on a line of its own
// ("SKIPPED: Suite.Test: reason"), which the test command gathers.
// KT_SKIPPED_EXIT_CODE comes from the build, which gives ctest the same code.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string SkipReason(const testing::TestResult& r)
{
    for (int i = 0; i < r.total_part_count(); ++i) {
        const testing::TestPartResult& part = r.GetTestPartResult(i);
        if (part.skipped()) {
            std::string m = part.message();
            for (char& c : m)
                if (c == '\n' || c == '\r')
                    c = ' ';
            return m;
        }
    }
    return "";
}

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    if (rc != 0)
        return rc;
    const testing::UnitTest& unit = *testing::UnitTest::GetInstance();
    if (unit.skipped_test_count() == 0)
        return 0;
    for (int s = 0; s < unit.total_test_suite_count(); ++s) {
        const testing::TestSuite& suite = *unit.GetTestSuite(s);
        for (int t = 0; t < suite.total_test_count(); ++t) {
            const testing::TestInfo& info = *suite.GetTestInfo(t);
            if (info.result()->Skipped())
                std::printf("SKIPPED: %s.%s: %s\n", suite.name(), info.name(), SkipReason(*info.result()).c_str());
        }
    }
    std::fflush(stdout);
    return KT_SKIPPED_EXIT_CODE;
}

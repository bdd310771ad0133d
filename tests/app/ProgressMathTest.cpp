// Progress arithmetic: rounding to whole percent, a zero size, counts beyond the size.
#include "app/ProgressMath.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

TEST(ProgressMath, Positions) {
    struct Case {
        std::uint64_t done, size;
        int want;
    };
    const Case cases[] = {
        {0, 1000, 0},
        {4, 1000, 0}, // 0.4 % rounds down
        {5, 1000, 1}, // 0.5 % rounds up
        {994, 1000, 99},
        {995, 1000, 100},
        {1000, 1000, 100},
        {4096, 10000, 41}, // 40.96 %
        {1, 3, 33},
        {2, 3, 67},
        {5000, 1000, 100}, // a file that grew: the bar stays full
        {0, 0, 0},         // a zero size shows nothing and divides by nothing
        {4096, 0, 0},
        {std::numeric_limits<std::uint64_t>::max(), 1, 100},
        {std::uint64_t{1} << 40, std::uint64_t{1} << 41, 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.done << " of " << c.size);
        EXPECT_EQ(Zenlo::progressPosition(c.done, Zenlo::progressFactor(c.size)), c.want);
    }
}

TEST(ProgressMath, FactorIsPercentPerByte) {
    EXPECT_DOUBLE_EQ(Zenlo::progressFactor(200), 0.5);
    EXPECT_DOUBLE_EQ(Zenlo::progressFactor(0), 0.0);
}

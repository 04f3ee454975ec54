#include <gtest/gtest.h>

#include "platform/gdi/Gdi.h"

namespace {

struct MulDivCase {
    int number, numerator, denominator;
    int expected;
};

class MulDivTable : public ::testing::TestWithParam<MulDivCase> {};

TEST_P(MulDivTable, RoundsHalfAwayFromZero) {
    const MulDivCase& c = GetParam();
    EXPECT_EQ(c.expected, MulDiv(c.number, c.numerator, c.denominator))
        << c.number << " x " << c.numerator << " / " << c.denominator;
}

INSTANTIATE_TEST_SUITE_P(Cases, MulDivTable,
                         ::testing::Values(
                             // Point sizes to pixels at 96 dpi.
                             MulDivCase{8, 96, 72, 11}, MulDivCase{9, 96, 72, 12}, MulDivCase{10, 96, 72, 13},
                             // Halves go away from zero, whichever argument carries the sign.
                             MulDivCase{1, 1, 2, 1}, MulDivCase{-1, 1, 2, -1}, MulDivCase{1, -1, 2, -1},
                             MulDivCase{1, 1, -2, -1}, MulDivCase{-1, -1, 2, 1}, MulDivCase{-1, 1, -2, 1},
                             MulDivCase{3, 1, 2, 2}, MulDivCase{-3, 1, 2, -2}, MulDivCase{5, 2, 4, 3},
                             // Below a half rounds toward zero, above away.
                             MulDivCase{1, 1, 3, 0}, MulDivCase{-1, 1, 3, 0}, MulDivCase{2, 1, 3, 1},
                             MulDivCase{-2, 1, 3, -1},
                             // The product is 64-bit.
                             MulDivCase{123456789, 1000, 1000, 123456789},
                             MulDivCase{0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF},
                             MulDivCase{-2147483647, 1, 1, -2147483647},
                             // Overflow and a zero divisor answer -1.
                             MulDivCase{0x7FFFFFFF, 2, 1, -1}, MulDivCase{-2147483647 - 1, 1, 1, -1},
                             MulDivCase{-2147483647 - 1, -1, 1, -1}, MulDivCase{5, 4, 0, -1},
                             MulDivCase{0, 5, 0, -1}, MulDivCase{0, 5, 7, 0}));

} // namespace

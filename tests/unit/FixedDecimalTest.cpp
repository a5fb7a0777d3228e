#include <gtest/gtest.h>

#include "support/DecimalReference.h"

namespace {
using namespace decimalref;

// Every operation against the wide reference runs as the decimal fuzz target over its seeds
// (fuzz/corpus/decimal: the limits, each rounding mode and direction, a carry, a refused mode).

TEST(FixedDecimal, ConstructorsFromNumbers) {
    EXPECT_EQ(Expected(62345), Describe(D(5, 12345)));
    EXPECT_EQ(Expected(-62345), Describe(D(-5, 12345)));
    EXPECT_EQ(Expected(20000), Describe(D(0, 20000)));
    EXPECT_EQ(Expected(-(Wide(2147483648LL) * 10000 + 4294967295u)), Describe(D(INT32_MIN, UINT32_MAX)));
    EXPECT_EQ(Expected(Wide(INT32_MIN) * 10000), Describe(D::FromInteger(INT32_MIN)));
    EXPECT_EQ(Expected(Wide(INT32_MAX) * 10000), Describe(D::FromInteger(INT32_MAX)));
    EXPECT_EQ(Expected(0), Describe(D::FromInteger(0)));
    EXPECT_EQ(Expected(0), Describe(D()));
}

}  // namespace

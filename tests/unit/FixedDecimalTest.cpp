#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "support/DecimalReference.h"

namespace {
using namespace decimalref;

// Scaled values near every limit the type has, both signs, plus random ones of every length.
std::vector<std::int64_t> Interesting() {
    const std::int64_t base[] = {0, 1, 4999, 5000, 5001, 9999, 10000, 10001, 12345, 25000, 33333, 1499999, 100001,
                                 303700049999, 303700050000, 9999999999994999, 10000000000000000, kSumLimit / 2,
                                 kSumLimit - 1, kSumLimit, 9223372036854770000, INT64_MAX - 1, INT64_MAX};
    std::vector<std::int64_t> v = {INT64_MIN};
    for (const std::int64_t b : base) v.insert(v.end(), {b, -b});
    std::mt19937_64 rng(20240401);
    for (UWide bound = 10; bound <= kMax * 10; bound *= 10)
        for (const int sign : {1, -1}) v.push_back(sign * std::int64_t(rng() % std::min(bound, kMax)));
    return v;
}

TEST(FixedDecimal, ConstructorsFromNumbers) {
    EXPECT_EQ(Expected(62345), Describe(D::FromParts(5, 12345)));
    EXPECT_EQ(Expected(-62345), Describe(D::FromParts(-5, 12345)));
    EXPECT_EQ(Expected(20000), Describe(D::FromParts(0, 20000)));
    EXPECT_EQ(Expected(-(Wide(2147483648LL) * 10000 + 4294967295u)), Describe(D::FromParts(INT32_MIN, UINT32_MAX)));
    EXPECT_EQ(Expected(Wide(INT32_MIN) * 10000), Describe(D::FromInteger(INT32_MIN)));
    EXPECT_EQ(Expected(Wide(INT32_MAX) * 10000), Describe(D::FromInteger(INT32_MAX)));
    EXPECT_EQ(Expected(0), Describe(D::FromInteger(0)));
    EXPECT_EQ(Expected(0), Describe(D()));
}

// Every operation over all pairs of values against the exact reference; each failure names its row.
TEST(FixedDecimal, EveryOperationMatchesTheWideReference) {
    const auto check = [](Operation operation, std::int64_t x, std::int64_t y, std::int32_t n) {
        EXPECT_EQ("", Mismatch(operation, x, y, n)) << "operation " << int(operation) << " on " << x << ", " << y
                                                    << ", " << n;
    };
    const std::vector<std::int64_t> values = Interesting();
    for (const std::int64_t x : values) {
        for (const std::int64_t y : values)
            for (const Operation operation :
                 {Operation::Add, Operation::Subtract, Operation::Multiply, Operation::Divide, Operation::Compare})
                check(operation, x, y, 0);
        for (const std::int32_t n : {0, 1, -1, 3, -10000, 1000003, INT32_MAX, INT32_MIN})
            check(Operation::MultiplyByInteger, x, 0, n);
        for (int mode = -1; mode <= 3; ++mode)
            for (int position = -13; position <= 5; ++position)
                check(Operation::Round, x, 0, (position & 0xFF) << 8 | (mode & 0xFF));
        for (int decimals = -1; decimals <= 5; ++decimals)
            for (const int width : {0, 1, 2, 5, 13, 20, 47})
                check(Operation::Format, x, 0, width << 8 | (decimals & 0xFF));
        check(Operation::ReadBack, x, 0, 0);
    }
}

}  // namespace

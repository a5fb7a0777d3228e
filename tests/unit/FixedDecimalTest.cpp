#include "aggregation/FixedDecimal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "support/DecimalReference.h"

namespace
{
using namespace decimalref;

constexpr int64_t kMin = INT64_MIN;
constexpr int64_t kMax = INT64_MAX;

// Scaled values near every limit the type has, both signs, plus random ones
// of every length.
std::vector<int64_t> Interesting()
{
    const int64_t base[] = {0, 1, 4999, 5000, 5001, 9999, 10000, 10001, 12345, 25000, 33333,
                            1499999, 100001, 303700049999, 303700050000, 9999999999994999,
                            10000000000000000, kSumLimit / 2, kSumLimit - 1, kSumLimit,
                            9223372036854770000, kMax - 1, kMax};
    std::vector<int64_t> v;
    for (int64_t b : base)
    {
        v.push_back(b);
        v.push_back(-b);
    }
    v.push_back(kMin);
    std::mt19937_64 rng(20240401);
    for (int digits = 1; digits <= 19; ++digits)
        for (int k = 0; k < 2; ++k)
        {
            UWide bound = 1;
            for (int i = 0; i < digits; ++i)
                bound *= 10;
            const int64_t r = int64_t(rng() % (bound > UWide(kMax) ? UWide(kMax) : bound));
            v.push_back(k ? -r : r);
        }
    return v;
}

TEST(FixedDecimal, FromCurrencySplitsEveryInt64)
{
    for (int64_t v : Interesting())
        EXPECT_EQ(Expected(v), Describe(D::FromCurrency(v))) << v;
    EXPECT_EQ("-1 1.2345 scaled -12345", Describe(D::FromCurrency(-12345)));
    EXPECT_EQ("+1 0.0000 scaled 0", Describe(D::FromCurrency(0)));
}

TEST(FixedDecimal, ConstructorsFromNumbers)
{
    EXPECT_EQ(Expected(62345), Describe(D::FromParts(5, 12345)));
    EXPECT_EQ(Expected(-62345), Describe(D::FromParts(-5, 12345)));
    EXPECT_EQ(Expected(20000), Describe(D::FromParts(0, 20000)));
    EXPECT_EQ(Expected(-(Wide(2147483648LL) * 10000 + 4294967295u)),
              Describe(D::FromParts(INT32_MIN, UINT32_MAX)));
    EXPECT_EQ(Expected(Wide(INT32_MIN) * 10000), Describe(D::FromInteger(INT32_MIN)));
    EXPECT_EQ(Expected(Wide(INT32_MAX) * 10000), Describe(D::FromInteger(INT32_MAX)));
    EXPECT_EQ(Expected(0), Describe(D::FromInteger(0)));
    EXPECT_EQ(Expected(0), Describe(D()));
}

TEST(FixedDecimal, FromDouble)
{
    const std::string overflow = "overflow";
    const struct { double x; std::string expected; } rows[] = {
        {2.5, Expected(25000)}, {-2.5, Expected(-25000)}, {0.125, Expected(1250)}, {0.03125, Expected(313)},
        {0.05, Expected(500)}, {167 * 0.001, Expected(1670)}, {0.999996, Expected(10000)},
        {-0.00003, Expected(0)}, {-0.0, Expected(0)}, {99999999999999.0, Expected(999999999999990000)},
        {1e14, overflow}, {-1e14, overflow}, {std::nan(""), overflow}, {HUGE_VAL, overflow}, {-HUGE_VAL, overflow},
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.expected, Outcome([&] { return D::FromDouble(r.x); })) << r.x;
}

TEST(FixedDecimal, FromText)
{
    const struct { const char* text; std::string expected; } rows[] = {
        {"-1,234.56789", "-1 1234.5679 scaled -12345679"}, {"12a3", "+1 12.0000 scaled 120000"},
        {"", "+1 0.0000 scaled 0"}, {nullptr, "+1 0.0000 scaled 0"}, {"   42", "+1 42.0000 scaled 420000"},
        {"-0", "-1 0.0000 scaled 0"}, {"  -0.00", "-1 0.0000 scaled 0"}, {"-", "+1 0.0000 scaled 0"},
        {"-x5", "+1 0.0000 scaled 0"}, {"7.", "+1 7.0000 scaled 70000"}, {".5", "+1 0.5000 scaled 5000"},
        {"0.99995", "+1 1.0000 scaled 10000"}, {"0.99994", "+1 0.9999 scaled 9999"},
        {"1.23456789", "+1 1.2346 scaled 12346"}, {"1,2,3", "+1 123.0000 scaled 1230000"},
        {"1.2,3", "+1 1.2000 scaled 12000"}, {"2 3", "+1 2.0000 scaled 20000"},
        {"922337203685477.5807", Expected(kMax)}, {"-922337203685477.5808", Expected(kMin)},
        {"922337203685477.5808", "overflow"}, {"-922337203685477.58085", "overflow"},
        {"99999999999999999999999999999999999999999", "overflow"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.expected, Outcome([&] { return D::FromText(r.text); })) << (r.text ? r.text : "null");
}

// Every operation over all pairs of values against the exact reference; each failure names its row.
TEST(FixedDecimal, EveryOperationMatchesTheWideReference)
{
    const std::vector<int64_t> values = Interesting();
    const Operation pairwise[] = {Operation::Add, Operation::Subtract, Operation::Multiply, Operation::Divide,
                                  Operation::Compare};
    const int32_t factors[] = {0, 1, -1, 3, -10000, 1000003, INT32_MAX, INT32_MIN};
    const auto check = [](Operation operation, int64_t x, int64_t y, int32_t n) {
        EXPECT_EQ("", Mismatch(operation, x, y, n)) << "operation " << int(operation) << " on " << x << ", " << y
                                                    << ", " << n;
    };
    for (int64_t x : values)
    {
        for (int64_t y : values)
            for (Operation operation : pairwise)
                check(operation, x, y, 0);
        for (int32_t n : factors)
            check(Operation::MultiplyByInteger, x, 0, n);
        for (int mode = -1; mode <= 3; ++mode)
            for (int position = -13; position <= 5; ++position)
                check(Operation::Round, x, 0, (position & 0xFF) << 8 | (mode & 0xFF));
        for (int decimals = -1; decimals <= 5; ++decimals)
            for (int width : {0, 1, 2, 5, 13, 20, 47})
                check(Operation::Format, x, 0, width << 8 | (decimals & 0xFF));
        check(Operation::ReadBack, x, 0, 0);
    }
}

TEST(FixedDecimal, ArithmeticCases)
{
    EXPECT_EQ(Expected(3333), Outcome([] { return D::Divide(D::FromInteger(1), D::FromInteger(3)); }));
    EXPECT_EQ(Expected(6667), Outcome([] { return D::Divide(D::FromInteger(2), D::FromInteger(3)); }));
    EXPECT_EQ(Expected(10000), Outcome([] { return D::Divide(D::FromText("0.99999"), D::FromInteger(1)); }));
    EXPECT_EQ("overflow", Outcome([] { return D::Divide(D::FromInteger(1), D::FromText("-0")); }));
    EXPECT_EQ(Expected(1670), Outcome([] { return D::DivideByDouble(D::FromInteger(167), 1000.0); }));
    EXPECT_EQ("overflow", Outcome([] { return D::DivideByDouble(D::FromInteger(1), 0.0); }));
    EXPECT_EQ("overflow", Outcome([] { return D::DivideByDouble(D::FromInteger(1), 1e14); }));
    // Zero results carry sign +1 even from a negative zero operand.
    EXPECT_EQ(Expected(0), Outcome([] { return D::Multiply(D::FromText("-0"), D::FromInteger(5)); }));
    EXPECT_EQ(Expected(0), Outcome([] { return D::MultiplyByInteger(D::FromInteger(-5), 0); }));
    EXPECT_EQ(Expected(0), Outcome([] { return D::Add(D::FromInteger(-5), D::FromInteger(5)); }));
    // Fraction product rounds half up: 0.0050 * 0.0001 is 0.0000005, 0.5 * 0.0001 is 0.00005.
    EXPECT_EQ(Expected(0), Outcome([] { return D::Multiply(D::FromText("0.005"), D::FromText("0.0001")); }));
    EXPECT_EQ(Expected(1), Outcome([] { return D::Multiply(D::FromText("0.5"), D::FromText("0.0001")); }));
    // A negative zero equals zero.
    EXPECT_FALSE(D::IsLess(D::FromText("-0"), D()) || D::IsGreater(D::FromText("-0"), D()));
}

TEST(FixedDecimal, FormatWholeAndFixed)
{
    const struct { const char* value; int decimals; size_t width; const char* expected; } rows[] = {
        {"0.5", 0, 13, "1"}, {"-0.5", 0, 13, "-1"}, {"-0.4999", 0, 13, "0"}, {"-0", 0, 13, "0"},
        {"999999999999.4999", 0, 13, "999999999999"}, {"999999999999.5", 0, 13, ""},
        {"1000000000000", 0, 13, ""}, {"-99999999999.4", 0, 13, "-99999999999"}, {"-999999999999", 0, 13, ""},
        {"0", 0, 1, ""}, {"0", 0, 2, "0"}, {"922337203685477.5807", 0, 40, ""},
        {"2.345", 2, 12, "2.35"}, {"1000", 2, 12, "1000.00"}, {"0.167", 3, 6, "0.167"},
        {"100", 1, 6, "100.0"}, {"100", 1, 5, ""}, {"33.25", 1, 6, "33.3"}, {"-1.005", 2, 12, "-1.01"},
        {"-0.004", 2, 12, "0.00"}, {"1.05", 4, 12, "1.0500"}, {"-0.0001", 4, 12, "-0.0001"},
        {"1", 5, 12, ""}, {"1", -1, 12, ""},
    };
    for (const auto& r : rows)
    {
        char field[48] = "XXXXXXXX";
        const int written = r.decimals == 0 ? D::FormatWhole(D::FromText(r.value), field, r.width)
                                            : D::FormatFixed(D::FromText(r.value), r.decimals, field, r.width);
        EXPECT_STREQ(r.expected, field) << r.value << " width " << r.width;
        EXPECT_EQ(r.expected[0] != '\0', written != 0) << r.value;
    }
    const struct { int64_t value; const char* expected; } currency[] = {
        {kMin + 5808, "-922337203685477"}, {kMin, ""}, {kMax, ""}, {-12345, "-1"}, {15000, "2"}, {0, "0"},
    };
    for (const auto& c : currency)
    {
        char field[40] = "XXXX";
        D::FormatCurrencyWhole(c.value, field, sizeof field);
        EXPECT_STREQ(c.expected, field) << c.value;
    }
}

} // namespace

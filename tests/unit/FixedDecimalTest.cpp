#include "aggregation/FixedDecimal.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace
{
using Wide = __int128;
using UWide = unsigned __int128;
using D = CFixedDecimal;

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
constexpr int64_t kSumLimit = 1000000000000000000LL;  // 10^14 units

std::string Text(int sign, int64_t integer, unsigned fraction, int64_t scaled)
{
    char s[96];
    std::snprintf(s, sizeof s, "%+d %" PRId64 ".%04u scaled %" PRId64, sign, integer, fraction, scaled);
    return s;
}

std::string Describe(const D& d)
{
    return Text(d.Sign(), d.IntegerPart(), d.Fraction(), d.Scaled());
}

// Reference outcome of a signed scaled result: "overflow" unless it fits int64.
std::string Expected(bool negative, UWide magnitude, bool keepNegativeZero = false)
{
    if (magnitude > (negative ? UWide(kMax) + 1 : UWide(kMax)))
        return "overflow";
    return Text(negative && (magnitude != 0 || keepNegativeZero) ? -1 : 1, int64_t(magnitude / 10000),
                unsigned(magnitude % 10000), int64_t(negative ? -Wide(magnitude) : Wide(magnitude)));
}

std::string Expected(Wide scaled)
{
    return Expected(scaled < 0, scaled < 0 ? UWide(-scaled) : UWide(scaled));
}

std::string Outcome(const std::function<D()>& op)
{
    try
    {
        return Describe(op());
    }
    catch (const CDecimalOverflow&)
    {
        return "overflow";
    }
}

UWide Mag(int64_t v)
{
    return v < 0 ? UWide(-Wide(v)) : UWide(v);
}

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

// Every binary operation against 128-bit references over all pairs of values.
TEST(FixedDecimal, ArithmeticMatchesWideReference)
{
    const std::vector<int64_t> values = Interesting();
    const int32_t factors[] = {0, 1, -1, 3, -10000, 1000003, INT32_MAX, INT32_MIN};
    for (int64_t x : values)
    {
        const D a = D::FromCurrency(x);
        for (int64_t y : values)
        {
            const D b = D::FromCurrency(y);
            const bool negative = (x < 0) != (y < 0);
            const Wide sum = Wide(x) + y, difference = Wide(x) - y;
            EXPECT_EQ((sum >= kSumLimit || -sum >= kSumLimit) ? "overflow" : Expected(sum),
                      Outcome([&] { return D::Add(a, b); })) << x << " + " << y;
            EXPECT_EQ((difference >= kSumLimit || -difference >= kSumLimit) ? "overflow" : Expected(difference),
                      Outcome([&] { return D::Subtract(a, b); })) << x << " - " << y;
            EXPECT_EQ(Expected(negative, (Mag(x) * Mag(y) + 5000) / 10000),
                      Outcome([&] { return D::Multiply(a, b); })) << x << " * " << y;
            EXPECT_EQ(y == 0 ? "overflow" : Expected(negative, (Mag(x) * 100000 / Mag(y) + 5) / 10),
                      Outcome([&] { return D::Divide(a, b); })) << x << " / " << y;
            EXPECT_EQ(x > y, D::IsGreater(a, b)) << x << " > " << y;
            EXPECT_EQ(x < y, D::IsLess(a, b)) << x << " < " << y;
            EXPECT_EQ(x > y, D::IsGreaterThanCurrency(x, b)) << x << " > " << y;
        }
        EXPECT_EQ(x != 0, a.IsNonZero());
        for (int32_t n : factors)
            EXPECT_EQ(Expected((x < 0) != (n < 0), Mag(x) * Mag(n)),
                      Outcome([&] { return D::MultiplyByInteger(a, n); })) << x << " * " << n;
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

// Every mode and position over all values against rounding of the magnitude
// to a multiple of the step; refused calls and overflows leave the value alone.
TEST(FixedDecimal, RoundMatchesWideReference)
{
    for (int64_t x : Interesting())
        for (int mode = -1; mode <= 3; ++mode)
            for (int position = -13; position <= 5; ++position)
            {
                D value = D::FromCurrency(x);
                const std::string before = Describe(value);
                if (mode < 0 || mode > 2 || position < -12 || position > 4)
                {
                    EXPECT_EQ(0, value.Round(mode, position));
                    EXPECT_EQ(before, Describe(value));
                    continue;
                }
                UWide step = 1;
                for (int i = 0; i < 4 - (position > 0 ? position - 1 : position); ++i)
                    step *= 10;
                const UWide m = Mag(x);
                const UWide r = mode == HalfUp ? (m + step / 2) / step * step
                              : mode == RoundUp ? (m + step - 1) / step * step : m / step * step;
                const std::string want = Expected(x < 0, r, true);
                std::string got;
                try
                {
                    EXPECT_EQ(1, value.Round(mode, position));
                    got = Describe(value);
                }
                catch (const CDecimalOverflow&)
                {
                    got = "overflow";
                    EXPECT_EQ(before, Describe(value));
                }
                EXPECT_EQ(want, got) << x << " mode " << mode << " position " << position;
            }
}

TEST(FixedDecimal, RoundCases)
{
    const struct { const char* value; int mode, position; const char* expected; } rows[] = {
        {"2.5", HalfUp, 1, "3"}, {"-2.5", HalfUp, 1, "-3"}, {"2.0001", RoundUp, 1, "3"},
        {"-2.9999", RoundDown, 1, "-2"}, {"2.5", HalfUp, 0, "3"}, {"1.2350", HalfUp, 3, "1.24"},
        {"0.6789", RoundDown, 3, "0.67"}, {"149.9999", HalfUp, -2, "100"}, {"10.0001", RoundUp, -1, "20"},
        {"-0.4", HalfUp, 1, "-0"},
    };
    for (const auto& r : rows)
    {
        D value = D::FromText(r.value);
        EXPECT_EQ(1, value.Round(r.mode, r.position));
        EXPECT_EQ(Describe(D::FromText(r.expected)), Describe(value)) << r.value;
    }
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

// Whole-unit and four-decimal texts against printf of the reference value.
TEST(FixedDecimal, FormatMatchesPrintf)
{
    for (int64_t x : Interesting())
    {
        const UWide rounded = (Mag(x) + 5000) / 10000;
        char want[48] = "", got[48];
        if (rounded * 10000 <= (x < 0 ? UWide(kMax) + 1 : UWide(kMax)))
            std::snprintf(want, sizeof want, "%s%" PRIu64, x < 0 && rounded ? "-" : "", uint64_t(rounded));
        D::FormatCurrencyWhole(x, got, sizeof got);
        EXPECT_STREQ(want, got) << x;
        if (Mag(x) < UWide(100000000000000LL))
        {
            std::snprintf(want, sizeof want, "%.4f", double(x) / 10000);
            D::FormatFixed(D::FromCurrency(x), 4, got, sizeof got);
            EXPECT_STREQ(want, got) << x;
        }
    }
}
} // namespace

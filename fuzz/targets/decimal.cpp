// CFixedDecimal against a 128-bit integer reference: every result is exact as documented in
// FixedDecimal.h, or an overflow; never a wrong value.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "tests/unit/support/FuzzCheck.h"
#include "aggregation/FixedDecimal.h"

namespace {
using D = CFixedDecimal;
using I = __int128;
constexpr I kUnitsLimit = static_cast<I>(100000000000000LL) * 10000;   // 10^14 units in ten-thousandths
constexpr I kMax64 = INT64_MAX;
constexpr I kMin64 = INT64_MIN;

struct Reader {
    const std::uint8_t* data;
    size_t size;
    size_t at = 0;
    template <typename T>
    T Take() {
        T value{};
        const size_t n = std::min(sizeof value, size - at);
        std::memcpy(&value, data + at, n);
        at += n;
        return value;
    }
};

I Abs(I v) { return v < 0 ? -v : v; }
// Magnitude divided by `divisor`, rounded half away from zero, sign put back.
I DivideHalfUp(I numerator, I divisor) {
    const bool negative = (numerator < 0) != (divisor < 0);
    const I q = (2 * Abs(numerator) + Abs(divisor)) / (2 * Abs(divisor));
    return negative ? -q : q;
}
bool Fits(I v) { return v >= kMin64 && v <= kMax64; }

// Expected: value `expected` (ten-thousandths), or an overflow when !Fits or beyond `limit`.
template <typename F>
void ExpectExactOrOverflow(F operation, I expected, bool mustOverflow) {
    bool overflow = false;
    D result;
    try {
        result = operation();
    } catch (const CDecimalOverflow&) {
        overflow = true;
    }
    if (mustOverflow) FUZZ_CHECK(overflow);
    if (!overflow) {
        FUZZ_CHECK(result.Scaled() == static_cast<std::int64_t>(expected));
        FUZZ_CHECK(result.Fraction() < 10000);
        FUZZ_CHECK(result.IntegerPart() >= 0);
    }
}

std::string Text(I v, int decimals) {
    // v in ten-thousandths -> text with `decimals` digits, rounded half away from zero.
    I scale = 1;
    for (int i = decimals; i < 4; ++i) scale *= 10;
    const I rounded = DivideHalfUp(v, scale);
    const I magnitude = Abs(rounded);
    I unit = 1;
    for (int i = 0; i < decimals; ++i) unit *= 10;
    std::string digits = std::to_string(static_cast<unsigned long long>(magnitude / unit));
    if (decimals > 0) {
        char fraction[8];
        std::snprintf(fraction, sizeof fraction, "%0*llu", decimals, static_cast<unsigned long long>(magnitude % unit));
        digits += std::string(".") + fraction;
    }
    return (rounded < 0 ? "-" : "") + digits;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Reader in{data, size};
    const std::uint8_t operation = in.Take<std::uint8_t>();
    const std::int64_t a = in.Take<std::int64_t>();
    const std::int64_t b = in.Take<std::int64_t>();
    const std::int32_t n = in.Take<std::int32_t>();
    const double x = in.Take<double>();
    const D da = D::FromCurrency(a);
    const D db = D::FromCurrency(b);
    FUZZ_CHECK(da.Scaled() == a);
    switch (operation % 10) {
    case 0:
        ExpectExactOrOverflow([&] { return D::Add(da, db); }, I(a) + b, Abs(I(a) + b) >= kUnitsLimit);
        break;
    case 1:
        ExpectExactOrOverflow([&] { return D::Subtract(da, db); }, I(a) - b, Abs(I(a) - b) >= kUnitsLimit);
        break;
    case 2: {
        const I exact = DivideHalfUp(I(a) * b, 10000);
        ExpectExactOrOverflow([&] { return D::Multiply(da, db); }, exact, !Fits(exact));
        break;
    }
    case 3:
        ExpectExactOrOverflow([&] { return D::MultiplyByInteger(da, n); }, I(a) * n, !Fits(I(a) * n));
        break;
    case 4: {
        if (b == 0) {
            ExpectExactOrOverflow([&] { return D::Divide(da, db); }, 0, true);
            break;
        }
        const I exact = DivideHalfUp(I(a) * 10000, b);
        ExpectExactOrOverflow([&] { return D::Divide(da, db); }, exact, !Fits(exact));
        break;
    }
    case 5: {
        // Round(mode, position) on the magnitude, sign kept.
        const int mode = n & 3;
        const int position = static_cast<std::int8_t>(n >> 8);
        D value = da;
        const bool accepted = mode <= 2 && position >= -12 && position <= 4;
        int done = -1;
        bool overflow = false;
        try {
            done = value.Round(mode, position);
        } catch (const CDecimalOverflow&) {
            overflow = true;
        }
        if (overflow) {
            FUZZ_CHECK(value.Scaled() == a);
            break;
        }
        FUZZ_CHECK(done == (accepted ? 1 : 0));
        if (!accepted) {
            FUZZ_CHECK(value.Scaled() == a);
            break;
        }
        // Positions 0..4 round the fraction in steps of 10000, 10000, 1000, 100, 10 ten-thousandths
        // (carrying into the integer part); -1..-12 round the integer part to a multiple of 10^k
        // (HalfUp looks at the integer part only) and drop the fraction.
        const I magnitude = Abs(I(a));
        I integer = magnitude / 10000;
        I fraction = magnitude % 10000;
        if (position >= 0) {
            static const I kSteps[5] = {10000, 10000, 1000, 100, 10};
            const I step = kSteps[position];
            const I rest = fraction % step;
            fraction -= rest;
            if ((mode == HalfUp && 2 * rest >= step) || (mode == RoundUp && rest != 0)) fraction += step;
            if (fraction == 10000) {
                fraction = 0;
                ++integer;
            }
        } else {
            I step = 1;
            for (int i = 0; i < -position; ++i) step *= 10;
            const I rest = integer % step;
            integer -= rest;
            if ((mode == HalfUp && 2 * rest >= step) || (mode == RoundUp && (rest != 0 || fraction != 0)))
                integer += step;
            fraction = 0;
        }
        const I rounded = integer * 10000 + fraction;
        FUZZ_CHECK(Fits(a < 0 ? -rounded : rounded));
        FUZZ_CHECK(value.Scaled() == static_cast<std::int64_t>(a < 0 ? -rounded : rounded));
        break;
    }
    case 6: {
        // Text of the value, and any text: read back exactly, or stopped where the digits end.
        const std::string text = Text(a, 4);
        bool overflow = false;
        D read;
        try {
            read = D::FromText(text.c_str());
        } catch (const CDecimalOverflow&) {
            overflow = true;
        }
        if (!overflow) FUZZ_CHECK(read.Scaled() == a);
        const std::string any(reinterpret_cast<const char*>(data) + in.at, size - in.at);
        try {
            D::FromText(any.c_str());
        } catch (const CDecimalOverflow&) {
        }
        break;
    }
    case 7: {
        // Formatting: the field holds exactly the rounded text, or is empty when it does not fit.
        const int decimals = static_cast<int>(static_cast<unsigned>(n) % 5);
        const size_t width = static_cast<size_t>(static_cast<unsigned>(n) >> 8) % 32;
        char field[40];
        std::memset(field, 'X', sizeof field);
        const int written = D::FormatFixed(da, decimals, field, width);
        FUZZ_CHECK(std::memchr(field, 'X', sizeof field) != nullptr);
        for (size_t i = width; i < sizeof field; ++i) FUZZ_CHECK(field[i] == 'X');
        std::string expected = Text(a, decimals);
        if (expected.find_first_of("123456789") == std::string::npos && expected[0] == '-') expected.erase(0, 1);
        if (written) {
            FUZZ_CHECK(std::string(field) == expected);
        } else if (width > 0) {
            I scale = 1;
            for (int i = decimals; i < 4; ++i) scale *= 10;
            FUZZ_CHECK(field[0] == '\0');
            FUZZ_CHECK(expected.size() + 1 > width || !Fits(DivideHalfUp(a, scale) * scale));
        }
        std::memset(field, 'X', sizeof field);
        const int whole = D::FormatWhole(da, field, width);
        for (size_t i = width; i < sizeof field; ++i) FUZZ_CHECK(field[i] == 'X');
        std::string wholeText = Text(a, 0);
        if (wholeText == "-0") wholeText = "0";
        if (whole) FUZZ_CHECK(std::string(field) == wholeText);
        else if (width > 0)
            FUZZ_CHECK(field[0] == '\0' && (wholeText.size() + 1 > width || !Fits(DivideHalfUp(a, 10000) * 10000)));
        break;
    }
    case 8: {
        bool overflow = false;
        D read;
        try {
            read = D::FromDouble(x);
        } catch (const CDecimalOverflow&) {
            overflow = true;
        }
        if (!std::isfinite(x) || std::fabs(x) >= 1e14) FUZZ_CHECK(overflow);
        if (!overflow) FUZZ_CHECK(std::fabs(static_cast<double>(read.Scaled()) - x * 10000.0) <= 1.0 + std::fabs(x) * 1e-11);
        break;
    }
    default:
        FUZZ_CHECK(D::IsGreater(da, db) == (a > b));
        FUZZ_CHECK(D::IsLess(da, db) == (a < b));
        FUZZ_CHECK(D::IsGreaterThanCurrency(a, db) == (a > b));
        FUZZ_CHECK(da.IsNonZero() == (a != 0));
        break;
    }
    return 0;
}

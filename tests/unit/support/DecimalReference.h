#pragma once
// CFixedDecimal against exact 128-bit integer arithmetic on its ten-thousandths: each result is the
// exact one as documented in FixedDecimal.h, or an overflow; never a wrong value. The decimal fuzz
// target checks every operation with it, its seeds giving the chosen values.
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>

#include "aggregation/FixedDecimal.h"

namespace decimalref {

using Wide = __int128;
using UWide = unsigned __int128;
using D = CFixedDecimal;

constexpr std::int64_t kSumLimit = 1000000000000000000LL;  // 10^14 units, in ten-thousandths
constexpr UWide kMax = INT64_MAX;                          // the largest magnitude of a positive value

inline UWide Magnitude(Wide v) { return v < 0 ? UWide(-v) : UWide(v); }

// v (ten-thousandths) as text with `decimals` digits, rounded half away from zero; "" when the
// rounded value does not fit 64 bits. A zero has no sign.
inline std::string Formatted(std::int64_t v, int decimals) {
    UWide unit = 1;  // one in the last digit, in ten-thousandths
    for (int i = decimals; i < 4; ++i) unit *= 10;
    const UWide rounded = (Magnitude(v) + unit / 2) / unit, perWhole = 10000 / unit;
    if (rounded * unit > kMax + (v < 0)) return "";
    // The decimals, zero-padded: the digits of perWhole + fraction after its leading 1.
    const std::string decimalsText = std::to_string(std::uint64_t(perWhole + rounded % perWhole)).substr(1);
    return (v < 0 && rounded != 0 ? "-" : "") + std::to_string(std::uint64_t(rounded / perWhole)) +
           (decimals > 0 ? "." + decimalsText : "");
}

// A value as the type shows it: its text with four decimals, and its ten-thousandths.
inline std::string Describe(const D& d) {
    char text[48];
    D::FormatFixed(d, 4, text, sizeof text);
    return std::string(text) + " " + std::to_string(d.Scaled());
}

// The description of a signed result, or "overflow" unless it fits 64 bits.
inline std::string Expected(bool negative, UWide magnitude) {
    if (magnitude > kMax + negative) return "overflow";
    const auto scaled = std::int64_t(negative ? -Wide(magnitude) : Wide(magnitude));
    return Formatted(scaled, 4) + " " + std::to_string(scaled);
}

inline std::string Expected(Wide scaled) { return Expected(scaled < 0, Magnitude(scaled)); }

inline std::string Outcome(const std::function<D()>& operation) try {
    return Describe(operation());
} catch (const CDecimalOverflow&) {
    return "overflow";
}

// What formatting `text` leaves in 48 bytes of 'X' of which it may use the first `width`: its return,
// then the bytes. 1 and the text with its zero byte when they fit (a text "" never does), otherwise 0
// and an empty field, or no change at all when the width is 0.
inline std::string Field(const std::string& text, size_t width) {
    const std::string stored = text.size() < width ? text : "";
    std::string field = std::to_string(!stored.empty()) + std::string(48, 'X');
    if (width > 0) field.replace(1, stored.size() + 1, stored + '\0');
    return field;
}

enum class Operation { Add, Subtract, Multiply, MultiplyByInteger, Divide, Round, Compare, Format, ReadBack, Make };

// "" when the operation on a and b (ten-thousandths) and n gives the exact result, otherwise what
// differs. n is the factor of MultiplyByInteger; for Round its low byte is the mode and the next the
// position, for Format the number of decimals and the field width, both as signed bytes; Make
// makes n whole units and b's low 32 bits in ten-thousandths, and n alone by FromInteger.
inline std::string Mismatch(Operation operation, std::int64_t a, std::int64_t b, std::int32_t n) {
    const D x = D::FromCurrency(a), y = D::FromCurrency(b);
    const bool negative = (a < 0) != (b < 0);
    std::string want, got;
    switch (operation) {
    case Operation::Add:
    case Operation::Subtract: {
        const bool add = operation == Operation::Add;
        const Wide result = add ? Wide(a) + b : Wide(a) - b;
        want = Magnitude(result) >= UWide(kSumLimit) ? "overflow" : Expected(result);
        got = Outcome([&] { return add ? D::Add(x, y) : D::Subtract(x, y); });
        break;
    }
    case Operation::Multiply:
        want = Expected(negative, (Magnitude(a) * Magnitude(b) + 5000) / 10000);
        got = Outcome([&] { return D::Multiply(x, y); });
        break;
    case Operation::MultiplyByInteger:
        want = Expected((a < 0) != (n < 0), Magnitude(a) * Magnitude(n));
        got = Outcome([&] { return D::MultiplyByInteger(x, n); });
        break;
    case Operation::Divide:
        want = b == 0 ? "overflow" : Expected(negative, (Magnitude(a) * 100000 / Magnitude(b) + 5) / 10);
        got = Outcome([&] { return D::Divide(x, y); });
        break;
    case Operation::Round: {
        // Modes by number, as the host's data gives them: 0 half away from zero, 1 away, 2 toward.
        // Position p > 0 keeps p - 1 decimals, 0 and 1 whole units, p < 0 rounds to 10^-p units.
        // Refused calls and overflows leave the value as it was.
        const int mode = static_cast<std::int8_t>(n & 0xFF), position = static_cast<std::int8_t>((n >> 8) & 0xFF);
        const bool accepted = mode >= 0 && mode <= 2 && position >= -12 && position <= 4;
        UWide step = 1;
        for (int i = 0; accepted && i < 4 - (position > 0 ? position - 1 : position); ++i) step *= 10;
        const UWide m = Magnitude(a), down = m / step * step;
        const UWide r = mode == 0 ? (m + step / 2) / step * step : mode == 1 && down != m ? down + step : down;
        const std::string rounded = Expected(a < 0, r);
        want = !accepted ? "0 " + Describe(x) : rounded == "overflow" ? "overflow " + Describe(x) : "1 " + rounded;
        D value = x;
        try {
            got = std::to_string(value.Round(mode, position)) + " ";
        } catch (const CDecimalOverflow&) {
            got = "overflow ";
        }
        got += Describe(value);
        break;
    }
    case Operation::Compare:
        want = std::to_string(a > b) + std::to_string(a < b);
        got = std::to_string(D::IsGreater(x, y)) + std::to_string(D::IsLess(x, y));
        break;
    case Operation::Format: {
        const int decimals = static_cast<std::int8_t>(n & 0xFF);
        const size_t width = static_cast<size_t>((n >> 8) & 0xFF) % 48;
        const std::string whole = Field(Formatted(a, 0), width);
        want = Field(decimals >= 0 && decimals <= 4 ? Formatted(a, decimals) : "", width) + whole + whole;
        char field[3][48];
        std::memset(field, 'X', sizeof field);
        const bool written[3] = {D::FormatFixed(x, decimals, field[0], width), D::FormatWhole(x, field[1], width),
                                 D::FormatCurrencyWhole(a, field[2], width)};
        for (int i = 0; i < 3; ++i) got += std::to_string(written[i]) + std::string(field[i], sizeof field[i]);
        break;
    }
    case Operation::ReadBack: {
        const std::string text = Formatted(a, 4);
        want = text.empty() ? "overflow" : Describe(x);
        got = text.empty() ? "overflow" : Outcome([&] { return D::FromText(text.c_str()); });
        break;
    }
    case Operation::Make: {
        const auto fraction = static_cast<std::uint32_t>(b);
        want = Expected(n < 0, Magnitude(n) * 10000 + fraction) + " " + Expected(Wide(n) * 10000);
        got = Describe(D(n, fraction)) + " " + Describe(D::FromInteger(n));
        break;
    }
    }
    return want == got ? std::string() : "want " + want + ", got " + got;
}

}  // namespace decimalref

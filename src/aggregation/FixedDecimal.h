// Signed fixed-point decimal with four decimal places, used for every amount,
// ratio and rate of the depreciation schedule. Integer arithmetic only; no heap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>

// Raised when a result cannot be held. The operands are left as they were.
class CDecimalOverflow : public std::exception {
public:
    const char* what() const noexcept override;
};

enum RoundingMode {
    HalfUp = 0,    // half away from zero
    RoundUp = 1,   // away from zero
    RoundDown = 2  // toward zero
};

// Value = sign * (integer part + fraction / 10000).
// Every value's scaled form sign * (integer * 10000 + fraction) fits a signed
// 64-bit integer; anything that would leave that range raises CDecimalOverflow.
class CFixedDecimal {
public:
    static constexpr uint32_t kFractionScale = 10000;

    constexpr CFixedDecimal() noexcept : m_integer(0), m_fraction(0), m_sign(1) {}

    // Sign taken from the whole units; a fraction of 10000 or more carries. Constant, so that the
    // ratio tables are initialised at compile time.
    constexpr CFixedDecimal(int32_t whole, uint32_t tenThousandths) noexcept
        : m_integer((whole < 0 ? -static_cast<int64_t>(whole) : static_cast<int64_t>(whole)) +
                    static_cast<int64_t>(tenThousandths / kFractionScale)),
          m_fraction(tenThousandths % kFractionScale),
          m_sign(static_cast<int16_t>(whole < 0 ? -1 : 1)) {}

    // Money: signed ten-thousandths of a yen. Never raises.
    static CFixedDecimal FromCurrency(int64_t tenThousandths);
    static CFixedDecimal FromInteger(int32_t whole);
    // Half-up at the fifth decimal. NaN, infinities and |x| >= 10^14 raise.
    static CFixedDecimal FromDouble(double x);
    // Leading spaces, optional "-", digits with "," ignored, "." and up to five
    // decimals rounded half-up to four; stops at anything else. Null or empty
    // text gives zero.
    static CFixedDecimal FromText(const char* text);

    // Add and Subtract raise when the result reaches 10^14 units in magnitude.
    static CFixedDecimal Add(const CFixedDecimal& a, const CFixedDecimal& b);
    static CFixedDecimal Subtract(const CFixedDecimal& a, const CFixedDecimal& b);
    // The product of the fractions is rounded half-up to four decimals.
    static CFixedDecimal Multiply(const CFixedDecimal& a, const CFixedDecimal& b);
    static CFixedDecimal MultiplyByInteger(const CFixedDecimal& a, int32_t n);
    // Quotient rounded half-up at the fifth decimal. A zero divisor raises
    // CDecimalOverflow: the quotient has no bound.
    static CFixedDecimal Divide(const CFixedDecimal& a, const CFixedDecimal& b);
    static CFixedDecimal DivideByDouble(const CFixedDecimal& a, double x);

    // mode: a RoundingMode. position: 1..4 rounds at that decimal (0 acts as 1),
    // -1..-12 to a multiple of 10^-position units. Returns true when done, false
    // when mode or position is refused (value unchanged). Works on the magnitude and
    // keeps the sign, so a negative value may become -0. Raises CDecimalOverflow
    // (value unchanged) when the rounded value cannot be held.
    bool Round(int mode, int position);

    static bool IsGreater(const CFixedDecimal& a, const CFixedDecimal& b);
    static bool IsLess(const CFixedDecimal& a, const CFixedDecimal& b);

    // Whole units, rounded half away from zero, "-" when negative, into a field
    // of width bytes including the terminator. The field is left empty when the
    // text would not fit or the rounding overflows. Returns true when written.
    static bool FormatWhole(const CFixedDecimal& value, char* field, size_t width);
    static bool FormatCurrencyWhole(int64_t tenThousandths, char* field, size_t width);
    // Exactly "decimals" digits after the point (0..4), rounded half away from
    // zero, like "%.2f" without the detour through double. A value that rounds
    // to zero has no "-". Same empty-field rule as FormatWhole.
    static bool FormatFixed(const CFixedDecimal& value, int decimals, char* field, size_t width);

    // The value in ten-thousandths.
    int64_t Scaled() const;

private:
    // Builds sign * magnitude (ten-thousandths); the caller has checked it fits.
    static CFixedDecimal FromMagnitude(bool negative, uint64_t magnitude);
    uint64_t Magnitude() const;
    bool IsNonZero() const;

    int64_t m_integer;    // non-negative
    uint32_t m_fraction;  // 0..9999
    int16_t m_sign;       // +1 or -1
};

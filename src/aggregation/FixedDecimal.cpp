#include "aggregation/FixedDecimal.h"

#include <cstring>
#include <limits>

namespace {
// Intermediate magnitudes are unsigned 64-bit ten-thousandths whose products and
// sums saturate: a result of 2^64 or more becomes kTooBig, which is past every
// limit below, so the check after each step raises as exact arithmetic would.
// (The programs are 32-bit, where there is no 128-bit integer to hold them.)
constexpr uint64_t kTooBig = std::numeric_limits<uint64_t>::max();
constexpr uint64_t kScale = CFixedDecimal::kFractionScale;
constexpr uint64_t kMaxPositiveMagnitude = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
constexpr uint64_t kMaxNegativeMagnitude = kMaxPositiveMagnitude + 1;
// Sums and differences stop at 10^14 units (10^18 ten-thousandths).
constexpr uint64_t kSumLimit = 1000000000000000000ULL;
constexpr double kDoubleLimit = 1e14;

[[noreturn]] void RaiseOverflow() { throw CDecimalOverflow(); }

uint64_t Times(uint64_t a, uint64_t b) {
    uint64_t product = 0;
    return __builtin_mul_overflow(a, b, &product) ? kTooBig : product;
}

uint64_t Plus(uint64_t a, uint64_t b) {
    uint64_t sum = 0;
    return __builtin_add_overflow(a, b, &sum) ? kTooBig : sum;
}

// The magnitude in ten-thousandths, provided the signed scaled value fits int64.
uint64_t CheckedMagnitude(bool negative, uint64_t magnitude) {
    if (magnitude > (negative ? kMaxNegativeMagnitude : kMaxPositiveMagnitude)) RaiseOverflow();
    return magnitude;
}

// The magnitude of a sum of scaled values; `wrapped` says it did not fit int64,
// which is far past the limit of sums.
uint64_t SumMagnitude(bool wrapped, int64_t sum, bool& negative) {
    if (wrapped) RaiseOverflow();
    negative = sum < 0;
    const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(sum) : static_cast<uint64_t>(sum);
    if (magnitude >= kSumLimit) RaiseOverflow();
    return magnitude;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Writes the digits of v (at least one) and returns their count; out holds 20.
size_t WriteDigits(uint64_t v, char* out) {
    char reversed[20];
    size_t n = 0;
    do {
        reversed[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    for (size_t i = 0; i < n; ++i) out[i] = reversed[n - 1 - i];
    return n;
}

bool StoreIfFits(const char* text, size_t length, char* field, size_t width) {
    if (length >= width) return false;
    std::memcpy(field, text, length);
    field[length] = '\0';
    return true;
}
}  // namespace

const char* CDecimalOverflow::what() const noexcept { return "decimal overflow"; }

CFixedDecimal CFixedDecimal::FromMagnitude(bool negative, uint64_t magnitude) {
    CFixedDecimal r;
    r.m_integer = static_cast<int64_t>(magnitude / kScale);
    r.m_fraction = static_cast<uint32_t>(magnitude % kScale);
    r.m_sign = (negative && magnitude != 0) ? -1 : 1;
    return r;
}

uint64_t CFixedDecimal::Magnitude() const { return static_cast<uint64_t>(m_integer) * kScale + m_fraction; }

int64_t CFixedDecimal::Scaled() const {
    const uint64_t m = Magnitude();
    if (m_sign > 0) return static_cast<int64_t>(m);
    // m may be 2^63 (INT64_MIN); negate without passing through +2^63.
    return m == 0 ? 0 : -static_cast<int64_t>(m - 1) - 1;
}

CFixedDecimal CFixedDecimal::FromCurrency(int64_t tenThousandths) {
    const bool negative = tenThousandths < 0;
    const uint64_t magnitude =
        negative ? 0 - static_cast<uint64_t>(tenThousandths) : static_cast<uint64_t>(tenThousandths);
    return FromMagnitude(negative, magnitude);
}

CFixedDecimal CFixedDecimal::FromInteger(int32_t whole) { return CFixedDecimal(whole, 0); }

CFixedDecimal CFixedDecimal::FromDouble(double x) {
    const bool negative = x < 0;
    const double magnitude = negative ? -x : x;
    if (!(magnitude < kDoubleLimit))  // NaN fails this test too
        RaiseOverflow();
    const int64_t whole = static_cast<int64_t>(magnitude);
    const int64_t fifth = static_cast<int64_t>((magnitude - static_cast<double>(whole)) * 100000.0);
    const uint64_t scaled = static_cast<uint64_t>(whole) * kScale + static_cast<uint64_t>((fifth + 5) / 10);
    return FromMagnitude(negative, CheckedMagnitude(negative, scaled));
}

CFixedDecimal CFixedDecimal::FromText(const char* text) {
    if (text == nullptr) return CFixedDecimal();
    const char* p = text;
    while (*p == ' ') ++p;
    bool negative = false;
    if (*p == '-') {
        ++p;
        negative = IsDigit(*p);
    }
    uint64_t whole = 0;
    for (; *p == ',' || IsDigit(*p); ++p) {
        if (*p == ',') continue;
        whole = Plus(Times(whole, 10), static_cast<uint64_t>(*p - '0'));
        // Stop the accumulation before it saturates; the final check decides.
        if (whole > kMaxNegativeMagnitude) RaiseOverflow();
    }
    uint32_t fifth = 0;
    if (*p == '.') {
        ++p;
        for (int i = 0; i < 5; ++i) {
            // Reading stops at the first non-digit; missing digits count as 0.
            fifth *= 10;
            if (IsDigit(*p)) fifth += static_cast<uint32_t>(*p++ - '0');
        }
    }
    const uint64_t scaled = Plus(Times(whole, kScale), (fifth + 5) / 10);
    return FromMagnitude(negative, CheckedMagnitude(negative, scaled));
}

CFixedDecimal CFixedDecimal::Add(const CFixedDecimal& a, const CFixedDecimal& b) {
    int64_t sum = 0;
    const bool wrapped = __builtin_add_overflow(a.Scaled(), b.Scaled(), &sum);
    bool negative = false;
    const uint64_t magnitude = SumMagnitude(wrapped, sum, negative);
    return FromMagnitude(negative, magnitude);
}

// Held to the same limit as Add: a difference is a sum with one sign turned.
CFixedDecimal CFixedDecimal::Subtract(const CFixedDecimal& a, const CFixedDecimal& b) {
    int64_t difference = 0;
    const bool wrapped = __builtin_sub_overflow(a.Scaled(), b.Scaled(), &difference);
    bool negative = false;
    const uint64_t magnitude = SumMagnitude(wrapped, difference, negative);
    return FromMagnitude(negative, magnitude);
}

CFixedDecimal CFixedDecimal::Multiply(const CFixedDecimal& a, const CFixedDecimal& b) {
    const bool negative = (a.m_sign < 0) != (b.m_sign < 0);
    const uint64_t wholes = Times(static_cast<uint64_t>(a.m_integer), static_cast<uint64_t>(b.m_integer));
    if (wholes > kMaxPositiveMagnitude) RaiseOverflow();
    const uint64_t cross = Plus(Times(static_cast<uint64_t>(a.m_integer), b.m_fraction),
                                Times(static_cast<uint64_t>(b.m_integer), a.m_fraction));
    const uint64_t fractions = (static_cast<uint64_t>(a.m_fraction) * b.m_fraction + kScale / 2) / kScale;
    const uint64_t scaled = Plus(Plus(Times(wholes, kScale), cross), fractions);
    return FromMagnitude(negative, CheckedMagnitude(negative, scaled));
}

CFixedDecimal CFixedDecimal::MultiplyByInteger(const CFixedDecimal& a, int32_t n) {
    const bool negative = (a.m_sign < 0) != (n < 0);
    // Widen before negating: INT32_MIN has no positive int32 counterpart.
    const uint64_t factor = static_cast<uint64_t>(n < 0 ? -static_cast<int64_t>(n) : n);
    const uint64_t wholes = Times(static_cast<uint64_t>(a.m_integer), factor);
    if (wholes > kMaxPositiveMagnitude) RaiseOverflow();
    const uint64_t scaled = Plus(Times(wholes, kScale), static_cast<uint64_t>(a.m_fraction) * factor);
    return FromMagnitude(negative, CheckedMagnitude(negative, scaled));
}

CFixedDecimal CFixedDecimal::Divide(const CFixedDecimal& a, const CFixedDecimal& b) {
    const uint64_t divisor = b.Magnitude();
    if (divisor == 0) RaiseOverflow();
    const bool negative = (a.m_sign < 0) != (b.m_sign < 0);
    const uint64_t dividend = a.Magnitude();
    const uint64_t whole = dividend / divisor;
    uint64_t remainder = dividend % divisor;
    uint64_t fifth = 0;
    for (int i = 0; i < 5; ++i) {
        fifth *= 10;
        if (remainder == 0) continue;
        // The remainder times ten may pass 64 bits. Added up ten times, the
        // divisor taken off whenever it is reached, it gives the digit and the
        // next remainder, and no partial sum reaches twice the divisor (<= 2^64).
        uint64_t next = 0;
        for (int k = 0; k < 10; ++k) {
            next += remainder;
            if (next >= divisor) {
                next -= divisor;
                ++fifth;
            }
        }
        remainder = next;
    }
    // A rounded fraction of 10000 simply carries into the whole units here.
    const uint64_t scaled = Plus(Times(whole, kScale), (fifth + 5) / 10);
    return FromMagnitude(negative, CheckedMagnitude(negative, scaled));
}

CFixedDecimal CFixedDecimal::DivideByDouble(const CFixedDecimal& a, double x) { return Divide(a, FromDouble(x)); }

bool CFixedDecimal::Round(int mode, int position) {
    if (mode < HalfUp || mode > RoundDown || position < -12 || position > 4) return false;
    uint64_t integer = static_cast<uint64_t>(m_integer);
    uint32_t fraction = m_fraction;
    if (position >= 0) {
        static const uint32_t kSteps[5] = {10000, 10000, 1000, 100, 10};
        const uint32_t step = kSteps[position];
        if (mode == HalfUp) fraction = (fraction + step / 2) / step * step;
        else if (mode == RoundUp) fraction = (fraction + step - 1) / step * step;
        else fraction = fraction / step * step;
        if (fraction == kScale) {
            fraction = 0;
            ++integer;
        }
    } else {
        uint64_t step = 1;
        for (int i = 0; i < -position; ++i) step *= 10;
        if (mode == HalfUp) integer = (integer + step / 2) / step * step;
        else if (mode == RoundUp)
            integer = (integer % step != 0 || fraction != 0) ? (integer / step + 1) * step : integer;
        else integer = integer / step * step;
        fraction = 0;
    }
    // Also covers "integer part of 10^18 or more": that can never be held.
    CheckedMagnitude(m_sign < 0, Plus(Times(integer, kScale), fraction));
    m_integer = static_cast<int64_t>(integer);
    m_fraction = fraction;
    return true;
}

bool CFixedDecimal::IsGreater(const CFixedDecimal& a, const CFixedDecimal& b) { return a.Scaled() > b.Scaled(); }

bool CFixedDecimal::IsLess(const CFixedDecimal& a, const CFixedDecimal& b) { return a.Scaled() < b.Scaled(); }

bool CFixedDecimal::IsNonZero() const { return m_integer != 0 || m_fraction != 0; }

bool CFixedDecimal::FormatWhole(const CFixedDecimal& value, char* field, size_t width) {
    return FormatFixed(value, 0, field, width);
}

bool CFixedDecimal::FormatCurrencyWhole(int64_t tenThousandths, char* field, size_t width) {
    return FormatWhole(FromCurrency(tenThousandths), field, width);
}

bool CFixedDecimal::FormatFixed(const CFixedDecimal& value, int decimals, char* field, size_t width) {
    if (field == nullptr || width == 0) return false;
    field[0] = '\0';
    if (decimals < 0 || decimals > 4) return false;
    CFixedDecimal rounded = value;
    try {
        if (decimals < 4) rounded.Round(HalfUp, decimals + 1);
    } catch (const CDecimalOverflow&) {
        return false;
    }
    char text[32];
    size_t n = 0;
    if (rounded.m_sign < 0 && rounded.IsNonZero()) text[n++] = '-';
    n += WriteDigits(static_cast<uint64_t>(rounded.m_integer), text + n);
    if (decimals > 0) {
        text[n++] = '.';
        uint32_t divisor = 1000;
        for (int i = 0; i < decimals; ++i, divisor /= 10)
            text[n++] = static_cast<char>('0' + rounded.m_fraction / divisor % 10);
    }
    return StoreIfFits(text, n, field, width);
}

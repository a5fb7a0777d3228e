#pragma once
// Writing values into the fixed-width text fields of an output record. A value whose text does not
// fit its field leaves the field empty rather than writing a truncated, wrong figure.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "aggregation/FixedDecimal.h"

template <std::size_t N, std::size_t M>
void SetFieldText(char (&field)[N], const char (&text)[M]) {
    static_assert(M <= N, "the text does not fit its field");
    std::memcpy(field, text, M);
}

template <std::size_t N>
void ClearField(char (&field)[N]) {
    field[0] = '\0';
}

// Whole yen, rounded half away from zero.
template <std::size_t N>
void SetFieldYen(char (&field)[N], const CFixedDecimal& amount) {
    CFixedDecimal::FormatWhole(amount, field, N);
}

template <std::size_t N>
void SetFieldYen(char (&field)[N], std::int64_t tenThousandths) {
    CFixedDecimal::FormatCurrencyWhole(tenThousandths, field, N);
}

// The text of "%d", or of "%02d" with `twoDigits`, written without the runtime's formatter: it is
// called several times for every asset.
template <std::size_t N>
void SetFieldInt(char (&field)[N], int value, bool twoDigits) {
    char reversed[16];
    std::size_t n = 0;
    const bool negative = value < 0;
    auto magnitude = negative ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        reversed[n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    // "%02d" pads with zeros after the sign to a width of two.
    if (twoDigits && n + (negative ? 1 : 0) < 2) reversed[n++] = '0';
    if (negative) reversed[n++] = '-';
    if (n >= N) {
        field[0] = '\0';
        return;
    }
    for (std::size_t i = 0; i < n; ++i) field[i] = reversed[n - 1 - i];
    field[n] = '\0';
}

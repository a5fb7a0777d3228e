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

template <std::size_t N>
void SetFieldInt(char (&field)[N], int value, bool twoDigits) {
    char text[16];
    const int n = twoDigits ? std::snprintf(text, sizeof text, "%02d", value)
                            : std::snprintf(text, sizeof text, "%d", value);
    if (n > 0 && static_cast<std::size_t>(n) < N)
        std::memcpy(field, text, static_cast<std::size_t>(n) + 1);
    else
        field[0] = '\0';
}

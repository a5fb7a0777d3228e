#pragma once
// An invariant of a fuzz target: when it does not hold, the input is reported and the run aborts,
// which afl-fuzz records as a crash.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/ShiftJis.h"

#define FUZZ_CHECK(condition)                                                                       \
    do {                                                                                            \
        if (!(condition)) {                                                                         \
            std::fprintf(stderr, "%s:%d: invariant failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                           \
        }                                                                                           \
    } while (0)

// Every lead byte of the text has its trail byte.
inline bool WholeCharacters(const char* text, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        if (!sjis::IsLeadByte(static_cast<unsigned char>(text[i]))) continue;
        if (i + 1 >= length || !sjis::IsTrailByte(static_cast<unsigned char>(text[i + 1]))) return false;
        ++i;
    }
    return true;
}

// A cut at `at` leaves no double-byte character split (a lone lead byte is not a character).
inline bool CutsWhole(const std::string& text, size_t at) {
    return at >= text.size() || !sjis::IsInsideDoubleByte(text.data(), text.size(), at) ||
           sjis::StartsDoubleByte(text.data(), text.size(), at);
}

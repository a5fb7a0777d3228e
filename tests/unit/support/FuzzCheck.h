#pragma once
// What the fuzz targets share: their input as text, and their invariants. An invariant that does not
// hold reports itself (and what the target adds to it) and aborts the run, which afl-fuzz records as a
// crash.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/ShiftJis.h"

#define FUZZ_CHECK(...) FuzzCheck(__FILE__, __LINE__, #__VA_ARGS__, __VA_ARGS__)

inline void FuzzCheck(const char* file, int line, const char* invariant, bool holds, const std::string& detail = "") {
    if (holds) return;
    std::fprintf(stderr, "%s:%d: invariant failed: %s\n", file, line, invariant);
    std::fwrite(detail.data(), 1, detail.size(), stderr);  // whole, zero bytes included
    std::abort();
}

// The input's bytes; when `toZero`, only those before its first zero byte, as a C string holds them.
inline std::string InputText(const std::uint8_t* data, size_t size, bool toZero = false) {
    const std::string text = size > 0 ? std::string(reinterpret_cast<const char*>(data), size) : std::string();
    return toZero ? text.substr(0, text.find('\0')) : text;
}

// Every lead byte of the text has its trail byte.
inline bool WholeCharacters(const char* text, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        if (!sjis::IsLeadByte(static_cast<unsigned char>(text[i]))) continue;
        if (i + 1 >= length || !sjis::IsTrailByte(static_cast<unsigned char>(text[i + 1]))) return false;
        ++i;
    }
    return true;
}

// `part` begins `text` and ends where no double-byte character is split (a lone lead byte is not a
// character).
inline bool WholePrefix(const std::string& part, const std::string& text) {
    const size_t at = part.size();
    return text.compare(0, at, part) == 0 &&
           (at >= text.size() || !sjis::IsInsideDoubleByte(text.data(), text.size(), at) ||
            sjis::StartsDoubleByte(text.data(), text.size(), at));
}

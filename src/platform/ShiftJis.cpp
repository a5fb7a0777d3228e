#include "platform/ShiftJis.h"

#include <cstring>

namespace sjis {

size_t BoundedLength(const char* field, size_t width) {
    const void* zero = std::memchr(field, 0, width);
    return zero ? static_cast<size_t>(static_cast<const char*>(zero) - field) : width;
}

namespace {
// Length in bytes of the character starting at i: 2 for a complete double-byte character.
size_t CharLength(const char* text, size_t length, size_t i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (IsLeadByte(b) && i + 1 < length && IsTrailByte(static_cast<unsigned char>(text[i + 1]))) return 2;
    return 1;
}
}  // namespace

bool IsInsideDoubleByte(const char* text, size_t length, size_t pos) {
    for (size_t i = 0; i < length;) {
        const size_t n = CharLength(text, length, i);
        if (pos < i + n) return n == 2;
        i += n;
    }
    return false;
}

bool StartsDoubleByte(const char* text, size_t length, size_t pos) {
    for (size_t i = 0; i < length;) {
        const size_t n = CharLength(text, length, i);
        if (i == pos) return n == 2;
        if (pos < i) return false;
        i += n;
    }
    return false;
}

bool IsSeparatorAt(const char* text, size_t length, size_t pos) {
    return pos < length && text[pos] == '\\' && !IsInsideDoubleByte(text, length, pos);
}

size_t CutLength(const char* text, size_t length, size_t limit) {
    if (limit > length) limit = length;
    size_t i = 0;
    while (i < limit) {
        const size_t n = CharLength(text, length, i);
        if (n == 1 && IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 >= length) break;
        if (i + n > limit) break;
        i += n;
    }
    return i;
}

void CopyCut(char* field, size_t width, const char* text, size_t length) {
    if (width == 0) return;
    const size_t n = text ? CutLength(text, length, width - 1) : 0;
    if (n > 0) std::memcpy(field, text, n);
    field[n] = '\0';
}

}  // namespace sjis

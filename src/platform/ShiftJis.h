#pragma once
// Code page 932 byte rules, in one place: every cut, search and copy of a text goes through here.
#include <cstddef>

namespace sjis {

inline bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
inline bool IsTrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// Length of a text held in a field of `width` bytes that may lack its terminating zero.
size_t BoundedLength(const char* field, size_t width);

// Walking from the first byte, a lead byte followed by a trail byte is one character.
// True when byte `pos` is either byte of such a character.
bool IsInsideDoubleByte(const char* text, size_t length, size_t pos);

// True when byte `pos` is the first byte of a two-byte character.
bool StartsDoubleByte(const char* text, size_t length, size_t pos);

// True when byte `pos` is a backslash that is a character of its own, not a trail byte.
bool IsSeparatorAt(const char* text, size_t length, size_t pos);

// Largest cut n <= limit (and <= length) that leaves no half character before it. A lead byte
// with no trail byte after it inside `length` is dropped as well.
size_t CutLength(const char* text, size_t length, size_t limit);

// Copies at most width - 1 bytes of text (cut at a character boundary) into a field of `width`
// bytes and terminates it. The field is always terminated; width 0 writes nothing; a null text is empty.
void CopyCut(char* field, size_t width, const char* text, size_t length);

}  // namespace sjis

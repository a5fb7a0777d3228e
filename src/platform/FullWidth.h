#pragma once
#include <string>

// The full-width form of a code page 932 text, byte for byte what Windows' LCMapStringA with
// LCMAP_FULLWIDTH gives on code page 932 (as Wine 8 implements it): printable ASCII except the
// backslash and half-width katakana become full width, a kana and a following ﾞ or ﾟ become one
// character where the code page has it, and double-byte characters stay, except that duplicate codes
// come out as the one code Windows prefers. One deliberate difference: where Windows has no character
// for a voiced or semi-voiced mark and writes '?', the mark becomes the spacing ゛ or ゜, so no
// character of a name is lost.
std::string MapToFullWidth(const std::string& cp932);

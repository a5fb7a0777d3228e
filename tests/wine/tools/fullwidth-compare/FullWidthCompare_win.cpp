// Runs Windows' full-width mapping (the Win32 platform's LCMapStringA call) next to ours over every
// single byte, every pair of half-width bytes, every double-byte character of code page 932 and a set
// of mixed names, and prints each difference as "<kind> <input> <windows> <ours>" in hex, one a line.
// The summary goes to stderr. Exit 2 when the process does not run on code page 932.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

#include "platform/FullWidth.h"
#include "platform/ShiftJis.h"
#include "platform/Win32Platform_win.h"

namespace {
CWin32Platform g_windows;
size_t g_compared = 0;

std::string Hex(const std::string& bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out = bytes.empty() ? "-" : "";
    for (unsigned char c : bytes) out += {kDigits[c >> 4], kDigits[c & 0xF]};
    return out;
}

void Compare(const char* kind, const std::string& input) {
    const std::string theirs = g_windows.ToFullWidth(input);
    const std::string ours = MapToFullWidth(input);
    ++g_compared;
    if (theirs != ours) std::printf("%s %s %s %s\n", kind, Hex(input).c_str(), Hex(theirs).c_str(), Hex(ours).c_str());
}
}  // namespace

int main() {
    _setmode(_fileno(stdout), _O_BINARY);
    if (::GetACP() != 932) {
        std::fprintf(stderr, "fullwidth-compare: the code page is %u, not 932\n", ::GetACP());
        return 2;
    }
    std::string halfWidth;                // the printable ASCII and the half-width katakana
    for (int b = 0x01; b <= 0xFF; ++b) {  // a lead byte alone is no character
        if (!sjis::IsLeadByte(static_cast<unsigned char>(b))) Compare("single", std::string(1, static_cast<char>(b)));
        if ((b >= 0x20 && b <= 0x7E) || (b >= 0xA1 && b <= 0xDF)) halfWidth += static_cast<char>(b);
    }
    for (char first : halfWidth) {
        for (char second : halfWidth) Compare("pair", {first, second});
    }
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const char character[] = {static_cast<char>(lead), static_cast<char>(trail)};
            wchar_t wide[2];
            const bool pair = sjis::IsLeadByte(static_cast<unsigned char>(lead)) &&
                              sjis::IsTrailByte(static_cast<unsigned char>(trail));
            if (pair && ::MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, character, 2, wide, 2) > 0) {
                Compare("double", std::string(character, 2));
            }
        }
    }
    // Names as a client might register them; several double-byte characters end in 0x5C, 0x7C or a
    // byte of the half-width kana range, which must not be read as characters of their own.
    // clang-format off
    for (const char* name : {
             "ABC&123ｶﾞ", "株式会社ｶﾞｲｱ", "山田 太郎", "(株)ﾃｽﾄ商事", "ｿﾌﾄ表示\\能力", "有限会社\"ﾊﾟﾝ'ﾔ\"",
             "漢ﾞ字ﾟ", "唖ﾞ院ﾟ", "ｳﾞｨｰﾅｽ<ﾋﾟｱﾉ>", "ﾜﾞｲﾝ&ｦﾞ", "農園ﾀﾅｶ~1-2#3", "ＡＢＣｱﾞｲﾞ", "ﾞ先頭", "末尾ﾟ",
             "ポ ﾎﾟ ﾎﾞ ﾎ", "Ｔｅｓｔ test ﾃｽﾄ", "{a|b}[c]^_`@%$!?*+,./:;=", "ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞ",
             "ﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ", "ｧｨｩｪｫｬｭｮｯｰ｡｢｣､･", "予ﾞ十ﾟ", "ｱﾞﾞﾟﾟ",
         }) {
        // clang-format on
        Compare("name", name);
    }
    std::fprintf(stderr, "fullwidth-compare: %zu inputs compared\n", g_compared);
    return 0;
}

// Runs Windows' full-width mapping (the Win32 platform's LCMapStringA call) next to ours over every
// single byte, every pair of half-width bytes, every double-byte character of code page 932 and a set
// of mixed names, and prints each difference as "<kind> <input> <windows> <ours>" in hex, one a line.
// The summary goes to stderr. Exit 2 when the process does not run on code page 932.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/FullWidth.h"
#include "platform/ShiftJis.h"
#include "platform/Win32Platform.h"

namespace {

std::string Hex(const std::string& bytes) {
    if (bytes.empty()) return "-";
    std::string out;
    char two[3];
    for (char c : bytes) {
        std::snprintf(two, sizeof two, "%02X", static_cast<unsigned char>(c));
        out += two;
    }
    return out;
}

bool IsValidCp932(const std::string& bytes) {
    wchar_t wide[8];
    return ::MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), wide,
                                 8) > 0;
}

struct CInput {
    const char* kind;
    std::string bytes;
};

std::vector<CInput> Inputs() {
    std::vector<CInput> inputs;
    std::vector<std::string> halfWidth;
    for (int b = 0x20; b <= 0x7E; ++b) halfWidth.push_back(std::string(1, static_cast<char>(b)));
    for (int b = 0xA1; b <= 0xDF; ++b) halfWidth.push_back(std::string(1, static_cast<char>(b)));

    for (int b = 0x01; b <= 0xFF; ++b) {
        if (sjis::IsLeadByte(static_cast<unsigned char>(b))) continue;  // alone it is no character
        inputs.push_back({"single", std::string(1, static_cast<char>(b))});
    }
    for (const std::string& first : halfWidth)
        for (const std::string& second : halfWidth) inputs.push_back({"pair", first + second});
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!sjis::IsLeadByte(static_cast<unsigned char>(lead))) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string character{static_cast<char>(lead), static_cast<char>(trail)};
            if (sjis::IsTrailByte(static_cast<unsigned char>(trail)) && IsValidCp932(character))
                inputs.push_back({"double", character});
        }
    }
    // Names as a client might register them; several double-byte characters end in 0x5C, 0x7C or a
    // byte of the half-width kana range, which must not be read as characters of their own.
    const char* const names[] = {
        "ABC&123ｶﾞ", "株式会社ｶﾞｲｱ", "山田 太郎", "(株)ﾃｽﾄ商事", "ｿﾌﾄ表示\\能力", "有限会社\"ﾊﾟﾝ'ﾔ\"",
        "漢ﾞ字ﾟ", "唖ﾞ院ﾟ", "ｳﾞｨｰﾅｽ<ﾋﾟｱﾉ>", "ﾜﾞｲﾝ&ｦﾞ", "農園ﾀﾅｶ~1-2#3", "ＡＢＣｱﾞｲﾞ", "ﾞ先頭", "末尾ﾟ",
        "ポ ﾎﾟ ﾎﾞ ﾎ", "Ｔｅｓｔ test ﾃｽﾄ", "{a|b}[c]^_`@%$!?*+,./:;=", "ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞ",
        "ﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ", "ｧｨｩｪｫｬｭｮｯｰ｡｢｣､･", "予ﾞ十ﾟ", "ｱﾞﾞﾟﾟ",
    };
    for (const char* name : names) inputs.push_back({"name", name});
    return inputs;
}

}  // namespace

int main() {
    _setmode(_fileno(stdout), _O_BINARY);
    if (::GetACP() != 932) {
        std::fprintf(stderr, "fullwidth-compare: the code page is %u, not 932\n", ::GetACP());
        return 2;
    }
    CWin32Platform windows;
    size_t compared = 0;
    size_t differences = 0;
    for (const CInput& input : Inputs()) {
        const std::string theirs = windows.ToFullWidth(input.bytes);
        const std::string ours = MapToFullWidth(input.bytes);
        ++compared;
        if (theirs == ours) continue;
        ++differences;
        std::printf("%s %s %s %s\n", input.kind, Hex(input.bytes).c_str(), Hex(theirs).c_str(), Hex(ours).c_str());
    }
    std::fprintf(stderr, "fullwidth-compare: %zu inputs compared, %zu differences\n", compared, differences);
    return 0;
}

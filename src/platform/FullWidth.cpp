#include "platform/FullWidth.h"

#include <cstdint>

#include "platform/ShiftJis.h"

namespace {

// Full-width code of every byte 0x20..0x7E; 0 keeps the byte (Windows leaves the backslash alone).
// The double quote and apostrophe take the IBM extension codes that Windows picks for U+FF02, U+FF07.
const std::uint16_t kAsciiFull[0x7F - 0x20] = {
    0x8140, 0x8149, 0xFA57, 0x8194, 0x8190, 0x8193, 0x8195, 0xFA56,  // ' ' .. '\''
    0x8169, 0x816A, 0x8196, 0x817B, 0x8143, 0x817C, 0x8144, 0x815E,  // '(' .. '/'
    0x824F, 0x8250, 0x8251, 0x8252, 0x8253, 0x8254, 0x8255, 0x8256,  // '0' .. '7'
    0x8257, 0x8258, 0x8146, 0x8147, 0x8183, 0x8181, 0x8184, 0x8148,  // '8' .. '?'
    0x8197, 0x8260, 0x8261, 0x8262, 0x8263, 0x8264, 0x8265, 0x8266,  // '@' .. 'G'
    0x8267, 0x8268, 0x8269, 0x826A, 0x826B, 0x826C, 0x826D, 0x826E,  // 'H' .. 'O'
    0x826F, 0x8270, 0x8271, 0x8272, 0x8273, 0x8274, 0x8275, 0x8276,  // 'P' .. 'W'
    0x8277, 0x8278, 0x8279, 0x816D, 0x0000, 0x816E, 0x814F, 0x8151,  // 'X' .. '_'
    0x814D, 0x8281, 0x8282, 0x8283, 0x8284, 0x8285, 0x8286, 0x8287,  // '`' .. 'g'
    0x8288, 0x8289, 0x828A, 0x828B, 0x828C, 0x828D, 0x828E, 0x828F,  // 'h' .. 'o'
    0x8290, 0x8291, 0x8292, 0x8293, 0x8294, 0x8295, 0x8296, 0x8297,  // 'p' .. 'w'
    0x8298, 0x8299, 0x829A, 0x816F, 0x8162, 0x8170, 0x8160,          // 'x' .. '~'
};

// Full-width code of every half-width katakana 0xA1..0xDF.
const std::uint16_t kKanaFull[0xE0 - 0xA1] = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340,          // ｡ ｢ ｣ ､ ･ ｦ ｧ
    0x8342, 0x8344, 0x8346, 0x8348, 0x8383, 0x8385, 0x8387, 0x8362,  // ｨ ｩ ｪ ｫ ｬ ｭ ｮ ｯ
    0x815B, 0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A, 0x834C,  // ｰ ｱ ｲ ｳ ｴ ｵ ｶ ｷ
    0x834E, 0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C,  // ｸ ｹ ｺ ｻ ｼ ｽ ｾ ｿ
    0x835E, 0x8360, 0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B,  // ﾀ ﾁ ﾂ ﾃ ﾄ ﾅ ﾆ ﾇ
    0x836C, 0x836D, 0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D,  // ﾈ ﾉ ﾊ ﾋ ﾌ ﾍ ﾎ ﾏ
    0x837E, 0x8380, 0x8381, 0x8382, 0x8384, 0x8386, 0x8388, 0x8389,  // ﾐ ﾑ ﾒ ﾓ ﾔ ﾕ ﾖ ﾗ
    0x838A, 0x838B, 0x838C, 0x838D, 0x838F, 0x8393, 0x814A, 0x814B,  // ﾘ ﾙ ﾚ ﾛ ﾜ ﾝ ﾞ ﾟ
};

constexpr unsigned char kVoicedMark = 0xDE;      // ﾞ
constexpr unsigned char kSemiVoicedMark = 0xDF;  // ﾟ

// The composed code of a half-width kana and the mark after it, or 0 where code page 932 has none.
// In the full-width rows the voiced form directly follows its kana and the semi-voiced one follows that.
std::uint16_t Composed(unsigned char kana, unsigned char mark) {
    const bool kaToTo = kana >= 0xB6 && kana <= 0xC4;  // ｶ .. ﾄ
    const bool haToHo = kana >= 0xCA && kana <= 0xCE;  // ﾊ .. ﾎ
    if (mark == kVoicedMark) {
        if (kana == 0xB3) return 0x8394;  // ｳﾞ -> ヴ
        if (kaToTo || haToHo) return static_cast<std::uint16_t>(kKanaFull[kana - 0xA1] + 1);
    } else if (mark == kSemiVoicedMark && haToHo) {
        return static_cast<std::uint16_t>(kKanaFull[kana - 0xA1] + 2);
    }
    return 0;
}

// Code page 932 holds some characters twice (NEC row 13, the NEC-selected IBM extensions, the IBM
// extensions). Windows maps through Unicode and back, so each copy comes out as the one code it
// prefers. Runs of consecutive codes: source, target, count.
struct DuplicateRun {
    std::uint16_t source;
    std::uint16_t target;
    std::uint16_t count;
};
const DuplicateRun kDuplicates[] = {
    {0x8790, 0x81E0, 1},  {0x8791, 0x81DF, 1}, {0x8792, 0x81E7, 1}, {0x8795, 0x81E3, 1},  {0x8796, 0x81DB, 1},
    {0x8797, 0x81DA, 1},  {0x879A, 0x81E6, 1}, {0x879B, 0x81BF, 1}, {0x879C, 0x81BE, 1},  {0xED40, 0xFA5C, 360},
    {0xEEEF, 0xFA40, 10}, {0xEEF9, 0x81CA, 1}, {0xEEFA, 0xFA55, 3}, {0xFA4A, 0x8754, 10}, {0xFA54, 0x81CA, 1},
    {0xFA58, 0x878A, 1},  {0xFA59, 0x8782, 1}, {0xFA5A, 0x8784, 1}, {0xFA5B, 0x81E6, 1},
};

// Position of a double-byte code among all lead and trail byte combinations (188 trail bytes a lead
// byte), so that a run may cross from one lead byte to the next.
int CodeIndex(std::uint16_t code) {
    const int lead = code >> 8;
    const int trail = code & 0xFF;
    return (lead <= 0x9F ? lead - 0x81 : lead - 0xC1) * 188 + trail - 0x40 - (trail > 0x7F ? 1 : 0);
}

std::uint16_t CodeAt(int index) {
    const int leadIndex = index / 188;
    const int trailIndex = index % 188;
    const int lead = leadIndex < 0x1F ? 0x81 + leadIndex : 0xC1 + leadIndex;
    const int trail = 0x40 + trailIndex + (trailIndex >= 0x3F ? 1 : 0);
    return static_cast<std::uint16_t>(lead << 8 | trail);
}

std::uint16_t PreferredCode(std::uint16_t code) {
    const int index = CodeIndex(code);
    for (const DuplicateRun& run : kDuplicates) {
        const int offset = index - CodeIndex(run.source);
        if (offset >= 0 && offset < run.count) return CodeAt(CodeIndex(run.target) + offset);
    }
    return code;
}

void Append(std::string& out, std::uint16_t code) {
    out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
}

}  // namespace

std::string MapToFullWidth(const std::string& cp932) {
    std::string out;
    out.reserve(2 * cp932.size());
    const char* text = cp932.data();
    const size_t length = cp932.size();
    for (size_t i = 0; i < length;) {
        if (sjis::StartsDoubleByte(text + i, length - i, 0)) {
            const auto code = static_cast<std::uint16_t>(static_cast<unsigned char>(text[i]) << 8 |
                                                         static_cast<unsigned char>(text[i + 1]));
            Append(out, PreferredCode(code));
            i += 2;
            continue;
        }
        const auto b = static_cast<unsigned char>(text[i]);
        if (b >= 0x20 && b <= 0x7E && kAsciiFull[b - 0x20] != 0) {
            Append(out, kAsciiFull[b - 0x20]);
        } else if (b >= 0xA1 && b <= 0xDF) {
            const std::uint16_t composed = i + 1 < length ? Composed(b, static_cast<unsigned char>(text[i + 1])) : 0;
            if (composed != 0) {
                Append(out, composed);
                i += 2;
                continue;
            }
            Append(out, kKanaFull[b - 0xA1]);
        } else {
            out += text[i];
        }
        ++i;
    }
    return out;
}

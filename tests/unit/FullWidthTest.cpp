#include "platform/FullWidth.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Expected bytes as measured with LCMapStringA(LCMAP_FULLWIDTH) on code page 932 under Wine 8, except
// the marks Windows writes as '?'. The exhaustive comparison runs under Wine (fullwidth-test.sh).
TEST(FullWidthTest, MapsLikeWindowsCodePage932) {
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"Az09 ~", "Ａｚ０９　\x81\x60"},
        {"!#$%&()*+,-./:;<=>?@[]^_`{|}", "！＃＄％＆（）＊＋，－．／：；＜＝＞？＠［］＾＿｀｛｜｝"},
        {"\\", "\\"},
        {"\"'", "\xFA\x57\xFA\x56"},
        {"ｶﾞｷﾞｸﾞｹﾞｺﾞｳﾞﾄﾞﾎﾞﾊﾟﾎﾟ", "ガギグゲゴヴドボパポ"},
        {"ｧｨｩｪｫｬｭｮｯｰ｡｢｣､･ｦﾝﾜﾑﾔ", "ァィゥェォャュョッー。「」、・ヲンワムヤ"},
        {"ｶﾟﾏﾞｱﾞﾜﾞﾞﾟ", "カ゜マ゛ア゛ワ゛゛゜"},  // Windows: no composed character, writes '?'
        {"表ソ予ﾞ", "表ソ予゛"},           // trail bytes 0x5C and 0xDE stay with their lead byte
        {"\x88\xA0\xDE", "\x88\xA0゛"},
        {std::string("\t\x7F\x80\xA0\xFD\x00", 6), std::string("\t\x7F\x80\xA0\xFD\x00", 6)},
        {"\x82", "\x82"},  // a lead byte without its trail byte
        // Duplicate codes come out as the code Windows prefers.
        {"\x87\x90\x87\x9C\xED\x40\xEE\xEC\xEE\xEF\xEE\xF9\xFA\x4A\xFA\x5B", "\x81\xE0\x81\xBE\xFA\x5C\xFC\x4B\xFA\x40\x81\xCA\x87\x54\x81\xE6"},
        {"\xFA\x40\xFA\x5C\x87\x54", "\xFA\x40\xFA\x5C\x87\x54"},
    };
    for (const auto& c : cases) EXPECT_EQ(MapToFullWidth(c.in), c.out) << c.in;
}

}  // namespace

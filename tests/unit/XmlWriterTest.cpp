#include "report/XmlWriter.h"

#include <gtest/gtest.h>

#include <string>

#include "support/MemoryPlatform.h"

namespace {

using testsupport::CMemoryPlatform;
const std::string kPath = "C:\\WORK\\report.xml";

std::string Repeat(const std::string& part, size_t times) { return times ? part + Repeat(part, times - 1) : ""; }

// The line operations escape as they copy, up to the last byte a line can hold.
TEST(XmlWriterTest, ElementTextIsEscapedToTheLastByteOfTheLine) {
    const std::string fill = Repeat("&", 49) + "a";  // "<X>" + 246 bytes + "</X>" CR LF: 255
    const struct {
        std::string text;
        std::string escaped;  // empty: the line does not fit
    } cases[] = {
        {"表ソポ<&>\"'", "表ソポ&lt;&amp;&gt;&quot;&apos;"},  // trail bytes 0x5C, 0x5C, 0x7C stay as they are
        {"\x81&\x81", "\x81&amp;\x81"},  // a lead byte before '&' is no character: the '&' is escaped
        {"a\x81", "a\x81"},
        {fill, Repeat("&amp;", 49) + "a"},
        {fill + "b", ""},
        {Repeat("&", 50), ""},
    };
    const CXmlWriter::CElementLine tags("X", 0);
    for (const auto& c : cases) {
        CMemoryPlatform platform;
        CXmlWriter w;
        ASSERT_TRUE(w.Open(kPath));
        const bool fits = !c.escaped.empty();
        if (fits) {  // the longest prefix whose escaped form fits in as many bytes as the text's does
            EXPECT_EQ(CXmlWriter::EscapedPrefixLength(c.text.c_str(), c.text.size(), c.escaped.size()), c.text.size());
            EXPECT_LT(CXmlWriter::EscapedPrefixLength(c.text.c_str(), c.text.size(), c.escaped.size() - 1),
                      c.text.size());
        }
        EXPECT_EQ(w.WriteElement("X", c.text.c_str(), 0), fits) << c.text;
        const std::string expected = fits ? "<X>" + c.escaped + "</X>\r\n" : "";
        EXPECT_EQ(platform.FileContent(kPath).value_or(""), expected) << c.text;
        // The same line from tags composed once.
        EXPECT_EQ(w.WriteElement(tags, c.text.c_str()), fits) << c.text;
        EXPECT_EQ(platform.FileContent(kPath).value_or(""), expected + expected) << c.text;
        w.Close();
        EXPECT_FALSE(w.WriteElement(tags, "a"));
    }
    CMemoryPlatform platform;
    CXmlWriter w;
    ASSERT_TRUE(w.Open(kPath));
    EXPECT_TRUE(w.WriteElement(CXmlWriter::CElementLine("SYUTOKUKINGAKU", 3), nullptr));
    EXPECT_EQ(platform.FileContent(kPath).value_or(""), "\t\t\t<SYUTOKUKINGAKU></SYUTOKUKINGAKU>\r\n");
}

// Collected lines go out in chunks in the order written, raw text among them; after a chunk write
// fails, the bytes that reached the file stay and nothing more is written.
TEST(XmlWriterTest, CollectedLinesReachTheFileInChunksUntilAWriteFails) {
    const std::string element = "\t<E>&lt;</E>\r\n";  // 15 bytes; chunks of 40 bytes go out at 45
    {
        CMemoryPlatform platform;
        CXmlWriter w;
        ASSERT_TRUE(w.Open(kPath));
        w.CollectLines(40);
        EXPECT_TRUE(w.WriteElement("E", "<", 1) && w.WriteElement("E", "<", 1));
        EXPECT_EQ(platform.FileContent(kPath).value_or(""), "");
        EXPECT_TRUE(w.WriteElement("E", "<", 1));
        EXPECT_EQ(platform.FileContent(kPath).value_or(""), Repeat(element, 3));
        EXPECT_FALSE(w.WriteElement("E", std::string(250, 'x').c_str(), 1));
        EXPECT_TRUE(w.WriteElement("E", "<", 1));
        EXPECT_TRUE(w.WriteRaw(std::string(300, 'r').c_str()));
        EXPECT_EQ(platform.FileContent(kPath).value_or(""), Repeat(element, 4) + std::string(300, 'r'));
        EXPECT_TRUE(w.WriteEndElement("R", 0));
        w.Close();
        EXPECT_EQ(platform.FileContent(kPath).value_or(""), Repeat(element, 4) + std::string(300, 'r') + "</R>\r\n");
    }
    CMemoryPlatform platform;
    platform.writeLimit = 50;
    CXmlWriter w;
    ASSERT_TRUE(w.Open(kPath));
    w.CollectLines(40);
    for (int n = 0; n < 5; ++n) EXPECT_TRUE(w.WriteElement("E", "<", 1)) << n;
    EXPECT_FALSE(w.WriteElement("E", "<", 1)) << "the second chunk crosses the limit";
    EXPECT_FALSE(w.WriteElement("E", "<", 1));
    EXPECT_FALSE(w.WriteRaw("x"));
    EXPECT_FALSE(w.Flush());
    w.Close();
    EXPECT_EQ(platform.FileContent(kPath).value_or(""), Repeat(element, 6).substr(0, 50));
    EXPECT_EQ(platform.writesAfterFailure, 0u);
}

}  // namespace

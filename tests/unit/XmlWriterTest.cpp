#include "report/XmlWriter.h"

#include <gtest/gtest.h>

#include <string>

#include "support/MemoryPlatform.h"

namespace {

using testsupport::CMemoryPlatform;
const std::string kPath = "C:\\WORK\\report.xml";

std::string Repeat(const std::string& part, size_t times) {
    std::string result;
    while (times-- > 0) result += part;
    return result;
}

TEST(XmlWriterTest, EachOperationWritesOneLine) {
    CMemoryPlatform platform;
    CXmlWriter w;
    CXmlWriter::LineBuffer line;
    ASSERT_EQ(w.Open(kPath), 0);
    EXPECT_TRUE(w.WriteStartElement(line, "REPORT", 0));
    EXPECT_TRUE(w.WriteStartElement(line, "SISAN", 2, "Count", "1"));
    EXPECT_TRUE(w.WriteStartElement(line, "E", 1, "a", "x<y", "b", "'"));
    EXPECT_TRUE(w.WriteStartElement(line, "E", 0, "a", nullptr, "b", "2"));  // incomplete first drops both
    EXPECT_TRUE(w.WriteStartElement(line, "E", 0, "a", "1", "b"));
    EXPECT_TRUE(w.WriteElement(line, "X", "A&B", 3));
    EXPECT_TRUE(w.WriteElement(line, "X", "", 0));
    EXPECT_TRUE(w.WriteElement(line, "X", "t", 1, "a", "\"q\"", "b", "&"));
    EXPECT_TRUE(w.WriteEndElement(line, "DATA", 1));
    EXPECT_EQ(std::string(line), "\t</DATA>\r\n");
    EXPECT_EQ(platform.FileContent(kPath).value_or(""),
              "<REPORT>\r\n\t\t<SISAN Count=\"1\">\r\n\t<E a=\"x&lt;y\" b=\"&apos;\">\r\n<E>\r\n<E a=\"1\">\r\n"
              "\t\t\t<X>A&amp;B</X>\r\n<X></X>\r\n\t<X a=\"&quot;q&quot;\" b=\"&amp;\">t</X>\r\n\t</DATA>\r\n");
}

TEST(XmlWriterTest, EscapesTheFiveBytesAndKeepsDoubleByteCharactersWhole) {
    const std::string a254(254, 'a');
    const struct {
        std::string text;
        std::string expected;
    } cases[] = {
        {"a&b<x>\"'", "a&amp;b&lt;x&gt;&quot;&apos;"},
        {"表ソポ\t\r\n", "表ソポ\t\r\n"},  // trail bytes 0x5C, 0x5C, 0x7C
        {Repeat("&", 51), Repeat("&amp;", 51)},  // 255 bytes
        {Repeat(">", 70), Repeat("&gt;", 63)},   // a 64th would need 256
        {a254 + "&", a254},                      // an entity is never cut
        {a254 + "漢", a254},                     // nor a double-byte character
        {a254 + "b", a254 + "b"},
    };
    CXmlWriter writer;
    for (const auto& c : cases) EXPECT_EQ(writer.Escape(c.text.c_str()), c.expected) << c.text;
}

// The line operations escape as they copy; what they write must be what Escape gives, up to the
// last byte a line can hold.
TEST(XmlWriterTest, ElementTextIsEscapedAsEscapeGivesItToTheLastByteOfTheLine) {
    const std::string fill = Repeat("&", 49) + "a";  // "<X>" + 246 bytes + "</X>" CR LF: 255
    const struct {
        std::string text;
        bool fits;
    } cases[] = {
        {"表ソポ<&>\"'", true},  // trail bytes 0x5C, 0x5C, 0x7C stay as they are
        {"\x81&\x81", true},      // a lead byte before '&' is no character: the '&' is escaped
        {"a\x81", true},
        {fill, true},
        {fill + "b", false},
        {Repeat("&", 50), false},
    };
    const CXmlWriter::CElementLine tags("X", 0);
    for (const auto& c : cases) {
        CMemoryPlatform platform;
        CXmlWriter w;
        CXmlWriter::LineBuffer line;
        ASSERT_EQ(w.Open(kPath), 0);
        EXPECT_EQ(w.WriteElement(line, "X", c.text.c_str(), 0), c.fits) << c.text;
        const std::string expected = c.fits ? "<X>" + std::string(w.Escape(c.text.c_str())) + "</X>\r\n" : "";
        EXPECT_EQ(platform.FileContent(kPath).value_or(""), expected) << c.text;
        // The same line from tags composed once.
        EXPECT_EQ(w.WriteElement(tags, c.text.c_str()), c.fits) << c.text;
        EXPECT_EQ(platform.FileContent(kPath).value_or(""), expected + expected) << c.text;
        w.Close();
        EXPECT_FALSE(w.WriteElement(tags, "a"));
    }
    CMemoryPlatform platform;
    CXmlWriter w;
    ASSERT_EQ(w.Open(kPath), 0);
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
        CXmlWriter::LineBuffer line;
        ASSERT_EQ(w.Open(kPath), 0);
        w.CollectLines(40);
        EXPECT_TRUE(w.WriteElement(line, "E", "<", 1) && w.WriteElement(line, "E", "<", 1));
        EXPECT_EQ(platform.FileContent(kPath).value_or(""), "");
        EXPECT_TRUE(w.WriteElement(line, "E", "<", 1));
        EXPECT_EQ(platform.FileContent(kPath).value_or(""), Repeat(element, 3));
        EXPECT_FALSE(w.WriteElement(line, "E", std::string(250, 'x').c_str(), 1));
        EXPECT_TRUE(w.WriteElement(line, "E", "<", 1));
        EXPECT_TRUE(w.WriteRaw(std::string(300, 'r').c_str()));
        EXPECT_EQ(platform.FileContent(kPath).value_or(""), Repeat(element, 4) + std::string(300, 'r'));
        EXPECT_TRUE(w.WriteEndElement(line, "R", 0));
        w.Close();
        EXPECT_EQ(platform.FileContent(kPath).value_or(""), Repeat(element, 4) + std::string(300, 'r') + "</R>\r\n");
    }
    CMemoryPlatform platform;
    platform.writeLimit = 50;
    CXmlWriter w;
    CXmlWriter::LineBuffer line;
    ASSERT_EQ(w.Open(kPath), 0);
    w.CollectLines(40);
    for (int n = 0; n < 5; ++n) EXPECT_TRUE(w.WriteElement(line, "E", "<", 1)) << n;
    EXPECT_FALSE(w.WriteElement(line, "E", "<", 1)) << "the second chunk crosses the limit";
    EXPECT_FALSE(w.IsOpen());
    EXPECT_FALSE(w.WriteElement(line, "E", "<", 1));
    EXPECT_FALSE(w.WriteRaw("x"));
    EXPECT_FALSE(w.Flush());
    w.Close();
    EXPECT_EQ(platform.FileContent(kPath).value_or(""), Repeat(element, 6).substr(0, 50));
    EXPECT_EQ(platform.writesAfterFailure, 0u);
}

TEST(XmlWriterTest, LineLongerThan255BytesFailsWithoutWriting) {
    CMemoryPlatform platform;
    CXmlWriter w;
    CXmlWriter::LineBuffer line;
    ASSERT_EQ(w.Open(kPath), 0);
    const size_t limit = CXmlWriter::ElementTextLimit("NAME", 1);
    EXPECT_TRUE(w.WriteElement(line, "NAME", std::string(limit, 'x').c_str(), 1));
    const std::string written = platform.FileContent(kPath).value_or("");
    EXPECT_EQ(written.size(), 255u);
    EXPECT_FALSE(w.WriteElement(line, "NAME", std::string(limit + 1, 'x').c_str(), 1));
    EXPECT_FALSE(w.WriteElement(line, "NAME", std::string(limit - 4, '&').c_str(), 1));  // long once escaped
    EXPECT_FALSE(w.WriteStartElement(line, "E", 0, "a", std::string(260, 'v').c_str()));
    EXPECT_FALSE(w.WriteEndElement(line, "E", 300));
    EXPECT_EQ(platform.FileContent(kPath).value_or(""), written);
    EXPECT_TRUE(w.WriteEndElement(line, "E", 0)) << "the writer stays usable";
}

TEST(XmlWriterTest, OpenReplacesAFileAndFailsWhereNoneCanBeCreated) {
    CMemoryPlatform platform;
    platform.AddFile(kPath, "old content");
    platform.Lock("C:\\WORK\\held.xml");
    CXmlWriter w;
    EXPECT_EQ(w.Open(""), -1);
    EXPECT_EQ(w.Open("C:\\WORK\\held.xml"), -1);
    EXPECT_FALSE(w.WriteRaw("x"));
    EXPECT_FALSE(platform.FileContent("C:\\WORK\\held.xml"));
    ASSERT_EQ(w.Open(kPath), 0);
    EXPECT_TRUE(w.WriteRaw("new"));
    w.Close();
    EXPECT_FALSE(w.WriteRaw("x"));
    EXPECT_EQ(platform.FileContent(kPath).value_or(""), "new");
}

}  // namespace

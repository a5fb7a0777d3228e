#include "report/XmlWriter.h"

#include <gtest/gtest.h>

#include <string>

#include "support/FakePlatform.h"

namespace {

using testsupport::CFakePlatform;
const std::string kPath = "C:\\OUT\\report.xml";

std::string Repeat(const std::string& part, size_t times) {
    std::string result;
    while (times-- > 0) result += part;
    return result;
}

TEST(XmlWriterTest, EachOperationWritesOneLine) {
    CFakePlatform platform;
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
    EXPECT_EQ(platform.files[kPath],
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

TEST(XmlWriterTest, LineLongerThan255BytesFailsWithoutWriting) {
    CFakePlatform platform;
    CXmlWriter w;
    CXmlWriter::LineBuffer line;
    ASSERT_EQ(w.Open(kPath), 0);
    const size_t limit = CXmlWriter::ElementTextLimit("NAME", 1);
    EXPECT_TRUE(w.WriteElement(line, "NAME", std::string(limit, 'x').c_str(), 1));
    const std::string written = platform.files[kPath];
    EXPECT_EQ(written.size(), 255u);
    EXPECT_FALSE(w.WriteElement(line, "NAME", std::string(limit + 1, 'x').c_str(), 1));
    EXPECT_FALSE(w.WriteElement(line, "NAME", std::string(limit - 4, '&').c_str(), 1));  // long once escaped
    EXPECT_FALSE(w.WriteStartElement(line, "E", 0, "a", std::string(260, 'v').c_str()));
    EXPECT_FALSE(w.WriteEndElement(line, "E", 300));
    EXPECT_EQ(platform.files[kPath], written);
    EXPECT_TRUE(w.WriteEndElement(line, "E", 0)) << "the writer stays usable";
}

TEST(XmlWriterTest, OpenReplacesAFileAndFailsWhereNoneCanBeCreated) {
    CFakePlatform platform;
    platform.files[kPath] = "old content";
    platform.locked.insert("C:\\OUT\\held.xml");
    CXmlWriter w;
    EXPECT_EQ(w.Open(""), -1);
    EXPECT_EQ(w.Open("C:\\OUT\\held.xml"), -1);
    EXPECT_FALSE(w.WriteRaw("x"));
    EXPECT_EQ(platform.files.count("C:\\OUT\\held.xml"), 0u);
    ASSERT_EQ(w.Open(kPath), 0);
    EXPECT_TRUE(w.WriteRaw("new"));
    w.Close();
    EXPECT_FALSE(w.WriteRaw("x"));
    EXPECT_EQ(platform.files[kPath], "new");
}

}  // namespace

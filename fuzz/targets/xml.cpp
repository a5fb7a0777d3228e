// The line operations of the XML writer on any text: the prefix EscapedPrefixLength keeps ends at a
// character boundary and its element line holds it escaped within the limit, un-escaping to it; every
// line written is one whole line.
#include <algorithm>
#include <iterator>
#include <string>

#include "tests/unit/support/FuzzCheck.h"
#include "report/XmlWriter.h"
#include "tests/unit/support/MemoryPlatform.h"

namespace {
// The text an escaped form stands for; false when it holds a markup character outside an entity (a
// trail byte that equals one is part of its character).
bool Unescape(const std::string& escaped, std::string& text) {
    static const std::string kMarkup = "&><\"'", kEntities[] = {"&amp;", "&gt;", "&lt;", "&quot;", "&apos;"};
    text.clear();
    for (size_t i = 0; i < escaped.size(); ++i) {
        if (kMarkup.find(escaped[i]) == std::string::npos ||
            (sjis::IsInsideDoubleByte(escaped.data(), escaped.size(), i) &&
             !sjis::StartsDoubleByte(escaped.data(), escaped.size(), i))) {
            text += escaped[i];
            continue;
        }
        const std::string* entity = std::find_if(std::begin(kEntities), std::end(kEntities), [&](const std::string& e) {
            return escaped.compare(i, e.size(), e) == 0;
        });
        if (entity == std::end(kEntities)) return false;
        text += kMarkup[static_cast<size_t>(entity - kEntities)];
        i += entity->size() - 1;
    }
    return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = InputText(data, size, true);
    testsupport::CMemoryPlatform platform;
    CXmlWriter writer;
    for (const size_t limit : {size_t{0}, size_t{20}, size_t{63}, CXmlWriter::ElementTextLimit("X", 0)}) {
        const size_t prefix = CXmlWriter::EscapedPrefixLength(text.c_str(), text.size(), limit);
        FUZZ_CHECK(prefix <= text.size() && WholePrefix(text.substr(0, prefix), text));
        FUZZ_CHECK(writer.Open("C:\\WORK\\p.xml"));
        FUZZ_CHECK(writer.WriteElement(CXmlWriter::CElementLine("X", 0), text.substr(0, prefix).c_str()));
        writer.Close();
        const std::string line = platform.FileContent("C:\\WORK\\p.xml").value_or("");
        const size_t tags = std::string("<X></X>\r\n").size();
        std::string back;
        FUZZ_CHECK(line.size() >= tags && line.size() - tags <= limit &&
                   Unescape(line.substr(3, line.size() - tags), back) && back == text.substr(0, prefix));
    }

    // An element line and a start tag with an attribute, their texts and depth from the input. Texts
    // are written byte for byte, so a CR LF inside one would look like a line end here: the lines are
    // checked on the text without its line breaks.
    const int depth = size > 0 ? data[0] % 8 : 0;
    std::string oneLine;
    for (const char c : text)
        if (c != '\r' && c != '\n') oneLine += c;
    FUZZ_CHECK(writer.Open("C:\\WORK\\x.xml"));
    writer.WriteElement("NAME", oneLine.c_str(), depth);
    writer.WriteStartElement("B", depth, "k", oneLine.c_str());
    writer.WriteEndElement("B", depth);
    writer.Close();
    const std::string file = platform.FileContent("C:\\WORK\\x.xml").value_or("");
    size_t lines = 0;
    for (size_t at = 0; at < file.size(); ++lines) {
        const size_t end = file.find("\r\n", at);
        FUZZ_CHECK(end != std::string::npos && end - at <= 255 &&
                   file.compare(at, static_cast<size_t>(depth), std::string(static_cast<size_t>(depth), '\t')) == 0);
        at = end + 2;
    }
    FUZZ_CHECK(lines <= 3);

    // An element line from tags composed once is the line WriteElement writes, or fails where it fails.
    FUZZ_CHECK(writer.Open("C:\\WORK\\y.xml"));
    const bool generic = writer.WriteElement("NAME", text.c_str(), depth);
    FUZZ_CHECK(writer.WriteElement(CXmlWriter::CElementLine("NAME", depth), text.c_str()) == generic);
    writer.Close();
    const std::string twice = platform.FileContent("C:\\WORK\\y.xml").value_or("");
    FUZZ_CHECK(twice.size() % 2 == 0 && twice.compare(0, twice.size() / 2, twice, twice.size() / 2) == 0);
    return 0;
}

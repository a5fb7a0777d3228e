#include "report/XmlWriter.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/ShiftJis.h"

// Over-long input: a line that would exceed 255 bytes, or a value whose escaped form would, makes the
// line operation fail without writing anything (the file stays open). Cutting here would hide the
// caller's fault; callers with texts of unknown length (the support information values) cut them
// first with EscapedPrefixLength and ElementTextLimit.

namespace {

constexpr size_t kMaxLine = CXmlWriter::kLineSize - 1;

const char* EntityFor(char c) {
    switch (c) {
    case '&': return "&amp;";
    case '>': return "&gt;";
    case '<': return "&lt;";
    case '"': return "&quot;";
    case '\'': return "&apos;";
    default: return nullptr;
    }
}

// One test for the five bytes, so that the many plain bytes of a text take a single branch.
bool IsMarkup(char c) {
    constexpr std::uint64_t kMarkup = 1ull << '&' | 1ull << '>' | 1ull << '<' | 1ull << '"' | 1ull << '\'';
    const auto byte = static_cast<unsigned char>(c);
    return byte < 64 && (kMarkup >> byte & 1) != 0;
}

const char* OrEmpty(const char* text) { return text ? text : ""; }

}  // namespace

// One line composed in place, in the room after the collected bytes, and kept to 255 bytes. Each part
// returns false when it does not fit; the line counts as written only when the operation commits it,
// so a line that does not fit leaves nothing behind.
class CXmlWriter::CLine {
public:
    explicit CLine(char* at) : m_start(at), m_out(at), m_end(at + kMaxLine) {}

    bool Indent(int depth) {
        const size_t tabs = depth > 0 ? static_cast<size_t>(depth) : 0;
        if (tabs > Room()) return false;
        std::memset(m_out, '\t', tabs);
        m_out += tabs;
        return true;
    }
    bool Put(const char* text, size_t length) {
        if (length > Room()) return false;
        std::memcpy(m_out, text, length);
        m_out += length;
        return true;
    }
    template <size_t N>
    bool Put(const char (&literal)[N]) {
        return Put(literal, N - 1);
    }
    // Escapes as it copies, in one pass. Byte by byte is right for double-byte characters too: no
    // trail byte is one of the five.
    bool PutEscaped(const char* text) {
        for (char c; (c = *text) != '\0'; ++text) {
            if (IsMarkup(c)) {
                const char* entity = EntityFor(c);
                if (!Put(entity, std::strlen(entity))) return false;
            } else {
                if (m_out == m_end) return false;
                *m_out++ = c;
            }
        }
        return true;
    }
    // An attribute is written only when both its name and its value are given.
    bool PutAttribute(const char* name, const char* value) {
        if (!name || !value) return true;
        return Put(" ") && Put(name, std::strlen(name)) && Put("=\"") && PutEscaped(value) && Put("\"");
    }

    size_t Length() const { return static_cast<size_t>(m_out - m_start); }

private:
    size_t Room() const { return static_cast<size_t>(m_end - m_out); }

    char* const m_start;
    char* m_out;
    char* const m_end;
};

CXmlWriter::~CXmlWriter() { Close(); }

bool CXmlWriter::Open(const std::string& fileName) {
    Close();
    m_chunkBytes = 0;
    if (fileName.empty()) return false;
    m_file = Platform().CreateExclusive(fileName);
    return m_file != nullptr;
}

bool CXmlWriter::WriteRaw(const char* text) { return WriteBytes(text, std::strlen(text)); }

bool CXmlWriter::WriteBytes(const char* text, size_t length) {
    if (!m_file) return false;
    if (m_buffer.size() - m_used < length + kLineSize) m_buffer.resize(m_used + length + kLineSize);
    std::memcpy(LineSpace(), text, length);
    m_used += length;
    return FlushIfFull();
}

void CXmlWriter::CollectLines(size_t bytes) {
    m_chunkBytes = bytes;
    // The buffer grows with the lines collected, not to a whole chunk at once: most reports are small.
}

bool CXmlWriter::Flush() {
    if (!m_file) return false;
    if (m_used == 0) return true;
    const bool written = m_file->Write(m_buffer.data(), m_used);
    m_used = 0;
    if (!written) {
        m_file->Close();  // later writes fail; what reached the file stays
        m_file.reset();
    }
    return written;
}

bool CXmlWriter::Collect(const CLine& line) {
    if (!m_file) return false;
    if ((m_used += line.Length()) + kLineSize > m_buffer.size()) m_buffer.resize(m_used + kLineSize);
    return FlushIfFull();
}

// Trail bytes of double-byte characters are never one of the escaped bytes, but they are kept with
// their lead byte so that a cut stays whole.
size_t CXmlWriter::EscapedPrefixLength(const char* text, size_t length, size_t limit) {
    size_t in = 0;
    size_t written = 0;
    while (in < length) {
        const char* entity = EntityFor(text[in]);
        const size_t unitLength = entity                                              ? std::strlen(entity)
                                  : sjis::StartsDoubleByte(text + in, length - in, 0) ? 2
                                                                                      : 1;
        if (written + unitLength > limit) break;
        written += unitLength;
        in += entity ? 1 : unitLength;
    }
    return in;
}

size_t CXmlWriter::ElementTextLimit(const char* name, int depth) {
    // depth TABs, "<" name ">", "</" name ">", CR LF
    const size_t overhead = (depth > 0 ? static_cast<size_t>(depth) : 0) + 2 * std::strlen(name) + 5 + 2;
    return overhead < kMaxLine ? kMaxLine - overhead : 0;
}

bool CXmlWriter::WriteStartElement(const char* name, int depth, const char* attrName, const char* attrValue) {
    name = OrEmpty(name);
    CLine line(LineSpace());
    return line.Indent(depth) && line.Put("<") && line.Put(name, std::strlen(name)) &&
           line.PutAttribute(attrName, attrValue) && line.Put(">\r\n") && Collect(line);
}

bool CXmlWriter::WriteElement(const char* name, const char* text, int depth) {
    name = OrEmpty(name);
    const size_t nameLength = std::strlen(name);
    CLine line(LineSpace());
    return line.Indent(depth) && line.Put("<") && line.Put(name, nameLength) && line.Put(">") &&
           line.PutEscaped(OrEmpty(text)) && line.Put("</") && line.Put(name, nameLength) && line.Put(">\r\n") &&
           Collect(line);
}

CXmlWriter::CElementLine::CElementLine(const char* name, int depth) {
    name = OrEmpty(name);
    m_start.assign(depth > 0 ? static_cast<size_t>(depth) : 0, '\t').append("<").append(name).append(">");
    m_end.assign("</").append(name).append(">\r\n");
}

bool CXmlWriter::WriteElement(const CElementLine& element, const char* text) {
    CLine line(LineSpace());
    return line.Put(element.m_start.data(), element.m_start.size()) && line.PutEscaped(OrEmpty(text)) &&
           line.Put(element.m_end.data(), element.m_end.size()) && Collect(line);
}

bool CXmlWriter::WriteEndElement(const char* name, int depth) {
    name = OrEmpty(name);
    CLine line(LineSpace());
    return line.Indent(depth) && line.Put("</") && line.Put(name, std::strlen(name)) && line.Put(">\r\n") &&
           Collect(line);
}

void CXmlWriter::Close() {
    Flush();
    if (m_file) m_file->Close();
    m_file.reset();
    m_used = 0;
}

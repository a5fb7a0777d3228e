#include "report/XmlWriter.h"

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

// Escapes whole characters and entities of `text` while they fit in `limit` bytes, into `out` when
// given (terminated). Returns the bytes of `text` consumed. Trail bytes of double-byte characters are
// never one of the escaped bytes, but they are kept with their lead byte so that a cut stays whole.
size_t EscapeUnits(const char* text, size_t length, size_t limit, char* out) {
    size_t in = 0;
    size_t written = 0;
    while (in < length) {
        const char* entity = EntityFor(text[in]);
        const char* unit = entity ? entity : text + in;
        const size_t unitLength = entity ? std::strlen(entity) : sjis::StartsDoubleByte(text + in, length - in, 0) ? 2 : 1;
        if (written + unitLength > limit) break;
        if (out) std::memcpy(out + written, unit, unitLength);
        written += unitLength;
        in += entity ? 1 : unitLength;
    }
    if (out) out[written] = '\0';
    return in;
}

const char* OrEmpty(const char* text) { return text ? text : ""; }

}  // namespace

struct CXmlWriter::CLine {
    explicit CLine(LineBuffer& buffer) : text(buffer) { text[0] = '\0'; }
    void Append(const char* part) {
        const size_t n = std::strlen(part);
        if (!fits || length + n > kMaxLine) {
            fits = false;
            return;
        }
        std::memcpy(text + length, part, n + 1);
        length += n;
    }
    void Indent(int depth) {
        for (int i = 0; i < depth; ++i) Append("\t");
    }
    char* text;
    size_t length = 0;
    bool fits = true;
};

CXmlWriter::~CXmlWriter() { Close(); }

int CXmlWriter::Open(const std::string& fileName) {
    Close();
    m_chunkBytes = 0;
    m_fileName = fileName;
    if (fileName.empty()) return -1;
    m_file = Platform().CreateExclusive(fileName);
    return m_file ? 0 : -1;
}

bool CXmlWriter::WriteRaw(const char* text) { return WriteBytes(text, std::strlen(text)); }

bool CXmlWriter::WriteBytes(const char* text, size_t length) {
    if (!m_file) return false;
    if (m_chunkBytes > 0) {
        m_pending.append(text, length);
        return m_pending.size() < m_chunkBytes || Flush();
    }
    if (!m_file->Write(text, length)) {
        Close();  // later writes fail; what reached the file stays
        return false;
    }
    return true;
}

void CXmlWriter::CollectLines(size_t bytes) {
    m_chunkBytes = bytes;
    m_pending.reserve(bytes + kLineSize);
}

bool CXmlWriter::Flush() {
    if (!m_file) return false;
    if (m_pending.empty()) return true;
    const bool written = m_file->Write(m_pending.data(), m_pending.size());
    m_pending.clear();
    if (!written) {
        m_file->Close();  // later writes fail; what reached the file stays
        m_file.reset();
    }
    return written;
}

bool CXmlWriter::EscapeInto(const char* text) {
    const size_t length = std::strlen(text);
    // Most texts hold none of the five bytes: then the escaped form is the text itself.
    if (length <= kMaxLine && std::strpbrk(text, "&<>\"'") == nullptr) {
        std::memcpy(m_escaped, text, length + 1);
        return true;
    }
    return EscapeUnits(text, length, kMaxLine, m_escaped) == length;
}

const char* CXmlWriter::Escape(const char* text) {
    EscapeInto(OrEmpty(text));
    return m_escaped;
}

size_t CXmlWriter::EscapedPrefixLength(const char* text, size_t length, size_t limit) {
    return EscapeUnits(text, length, limit, nullptr);
}

size_t CXmlWriter::ElementTextLimit(const char* name, int depth) {
    // depth TABs, "<" name ">", "</" name ">", CR LF
    const size_t overhead = (depth > 0 ? static_cast<size_t>(depth) : 0) + 2 * std::strlen(name) + 5 + 2;
    return overhead < kMaxLine ? kMaxLine - overhead : 0;
}

void CXmlWriter::AppendAttributes(CLine& line, const char* attrName1, const char* attrValue1, const char* attrName2,
                                  const char* attrValue2) {
    const char* const attributes[2][2] = {{attrName1, attrValue1}, {attrName2, attrValue2}};
    for (const auto& attribute : attributes) {
        if (!attribute[0] || !attribute[1]) break;  // an incomplete first attribute drops the second too
        line.Append(" ");
        line.Append(attribute[0]);
        line.Append("=\"");
        if (!EscapeInto(attribute[1])) line.fits = false;
        line.Append(m_escaped);
        line.Append("\"");
    }
}

bool CXmlWriter::WriteLine(const CLine& line) { return line.fits && WriteBytes(line.text, line.length); }

bool CXmlWriter::WriteStartElement(LineBuffer& buffer, const char* name, int depth, const char* attrName1,
                                   const char* attrValue1, const char* attrName2, const char* attrValue2) {
    CLine line(buffer);
    line.Indent(depth);
    line.Append("<");
    line.Append(OrEmpty(name));
    AppendAttributes(line, attrName1, attrValue1, attrName2, attrValue2);
    line.Append(">\r\n");
    return WriteLine(line);
}

bool CXmlWriter::WriteElement(LineBuffer& buffer, const char* name, const char* text, int depth,
                              const char* attrName1, const char* attrValue1, const char* attrName2,
                              const char* attrValue2) {
    // The report's many element lines carry no attribute: built at once when they fit, with the
    // bytes the general path below would give.
    if (!(attrName1 && attrValue1) && name && depth >= 0 && EscapeInto(OrEmpty(text))) {
        const size_t nameLength = std::strlen(name);
        const size_t textLength = std::strlen(m_escaped);
        const size_t tabs = static_cast<size_t>(depth);
        const size_t total = tabs + 1 + nameLength + 1 + textLength + 2 + nameLength + 3;
        if (tabs <= kMaxLine && nameLength <= kMaxLine && total <= kMaxLine) {
            char* out = buffer;
            std::memset(out, '\t', tabs);
            out += tabs;
            *out++ = '<';
            std::memcpy(out, name, nameLength);
            out += nameLength;
            *out++ = '>';
            std::memcpy(out, m_escaped, textLength);
            out += textLength;
            *out++ = '<';
            *out++ = '/';
            std::memcpy(out, name, nameLength);
            out += nameLength;
            std::memcpy(out, ">\r\n", 4);
            return WriteBytes(buffer, total);
        }
    }
    CLine line(buffer);
    line.Indent(depth);
    line.Append("<");
    line.Append(OrEmpty(name));
    AppendAttributes(line, attrName1, attrValue1, attrName2, attrValue2);
    line.Append(">");
    if (!EscapeInto(OrEmpty(text))) line.fits = false;
    line.Append(m_escaped);
    line.Append("</");
    line.Append(OrEmpty(name));
    line.Append(">\r\n");
    return WriteLine(line);
}

bool CXmlWriter::WriteEndElement(LineBuffer& buffer, const char* name, int depth) {
    CLine line(buffer);
    line.Indent(depth);
    line.Append("</");
    line.Append(OrEmpty(name));
    line.Append(">\r\n");
    return WriteLine(line);
}

void CXmlWriter::Close() {
    Flush();
    if (m_file) m_file->Close();
    m_file.reset();
    m_pending.clear();
}

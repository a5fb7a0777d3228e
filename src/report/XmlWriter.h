#pragma once
// Line-oriented XML writer: every line operation writes one whole line (start tag, end tag, or an
// element with its text), indented by `depth` TABs and ended by CR LF. Text is written byte for byte
// (code page 932); no declaration, byte-order mark or character-set conversion of its own.
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"

class CXmlWriter {
public:
    class CElementLine;
    static constexpr size_t kLineSize = 256;  // a line of 255 bytes and a zero

    CXmlWriter() = default;
    ~CXmlWriter();
    CXmlWriter(const CXmlWriter&) = delete;
    CXmlWriter& operator=(const CXmlWriter&) = delete;

    // Creates (replacing) the file for exclusive binary writing. False when the name is empty or the
    // file cannot be created.
    bool Open(const std::string& fileName);
    // Appends the bytes of `text`. A write error closes the file; every later write fails too.
    bool WriteRaw(const char* text);
    // From now on lines are collected and written in chunks of about `bytes`, and a write error
    // surfaces at the operation that writes the chunk, at Flush or at Close. Without it every
    // operation writes its line at once.
    void CollectLines(size_t bytes);
    // Writes what was collected; false (and the file closed) on a write error.
    bool Flush();
    // The attribute is written only when both its name and its value are given.
    bool WriteStartElement(const char* name, int depth, const char* attrName = nullptr,
                           const char* attrValue = nullptr);
    bool WriteElement(const char* name, const char* text, int depth);
    // The same line as WriteElement with the element's name and depth, from tags composed once.
    bool WriteElement(const CElementLine& element, const char* text);
    bool WriteEndElement(const char* name, int depth);
    // Writes what was collected and closes the file.
    void Close();

    // Longest prefix of `text`, ending at a character boundary, whose escaped form fits in `limit` bytes.
    static size_t EscapedPrefixLength(const char* text, size_t length, size_t limit);
    // Most bytes of escaped text that an element line of this name and depth can hold.
    static size_t ElementTextLimit(const char* name, int depth);

private:
    class CLine;
    // Room for one more line at the end of the collected bytes.
    char* LineSpace() { return m_buffer.data() + m_used; }
    // Takes the composed line as written, to go out with the next chunk.
    bool Collect(const CLine& line);
    // WriteRaw of `length` bytes.
    bool WriteBytes(const char* text, size_t length);
    // Writes the collected bytes once they reach the chunk size (at once when not collecting).
    bool FlushIfFull() { return m_used < m_chunkBytes || Flush(); }

    std::unique_ptr<IFileWriter> m_file;
    // Collected bytes not yet written, then always room for a whole line.
    std::vector<char> m_buffer = std::vector<char>(kLineSize);
    size_t m_used = 0;
    size_t m_chunkBytes = 0;  // 0: write every line at once
};

// The indentation, start tag and end tag of an element line written many times (the record fields),
// composed once so that each line costs little more than its text.
class CXmlWriter::CElementLine {
public:
    CElementLine(const char* name, int depth);

private:
    friend class CXmlWriter;
    std::string m_start;  // TABs, "<", name, ">"
    std::string m_end;    // "</", name, ">", CR LF
};

#include "report/ReportWriter.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/Platform.h"
#include "platform/ShiftJis.h"
#include "report/SupportInfo.h"
#include "report/XmlWriter.h"

namespace {

constexpr char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n";
constexpr char kDefaultProgramVersion[] = "22.02.0X";
constexpr size_t kNameArea = 64;                 // the KOMONSAKINAME result area, terminator included
constexpr size_t kShortNameBytes = 30;           // names up to this length always fit the area whole
constexpr size_t kChunkBytes = 4 * 1024 * 1024;  // fewer, larger writes cost the system less per byte

// A support value copied into a 256-byte buffer and cut at a character boundary so that its escaped
// form fits the element's line (255 bytes); the default takes the place of an empty value.
void SupportValue(char (&value)[CXmlWriter::kLineSize], std::string_view found, const char* element,
                  const char* fallback) {
    sjis::CopyCut(value, sizeof value, found.empty() ? "" : found.data(), found.size());  // never a null source
    const size_t fit =
        CXmlWriter::EscapedPrefixLength(value, std::strlen(value), CXmlWriter::ElementTextLimit(element, 2));
    value[fit] = '\0';
    if (value[0] == '\0') sjis::CopyCut(value, sizeof value, fallback, std::strlen(fallback));
}

// The business name in full width as written in KOMONSAKINAME. A name of at most 30 bytes converts to
// at most 60 and is kept whole; a longer one keeps as many whole characters as fit in 63 bytes.
std::string ToFullWidthName(const std::string& businessName) {
    std::string mapped = Platform().ToFullWidth(businessName);
    if (businessName.size() > kShortNameBytes)
        mapped.resize(sjis::CutLength(mapped.data(), mapped.size(), kNameArea - 1));
    return mapped;
}

}  // namespace

CReportWriter::CReportWriter(IProgressDisplay& progress, const COutputRecordList& records, const Edition& edition)
    : m_progress(progress), m_records(records), m_edition(edition) {}

bool CReportWriter::WriteReport(const std::string& path, std::int16_t functionId, const StDATAINFO& data) {
    CXmlWriter writer;
    if (!writer.Open(path)) return false;
    // Lines go to the file in chunks. Each block writes its last chunk before it moves the progress
    // display, so a write error still ends the block it happened in, as with a write per line.
    writer.CollectLines(kChunkBytes);
    // A failed head skips the blocks; the end tag is still tried, as after a failed block.
    bool blocksOk = writer.WriteRaw(kDeclaration) && writer.WriteStartElement("REPORT", 0) && writer.Flush();
    if (blocksOk) m_progress.Pulse();
    blocksOk = blocksOk && WriteSystemBlock(writer, functionId);
    if (blocksOk) m_progress.Pulse();
    blocksOk = blocksOk && WriteBasicBlock(writer, data);
    if (blocksOk) m_progress.Pulse();
    blocksOk = blocksOk && WriteDataBlock(writer);
    if (blocksOk) m_progress.Pulse();
    const bool endOk = writer.WriteEndElement("REPORT", 0) && writer.Flush();
    writer.Close();
    return blocksOk && endOk;
}

bool CReportWriter::WriteSystemBlock(CXmlWriter& writer, std::int16_t functionId) {
    char programName[CXmlWriter::kLineSize];
    char programVersion[CXmlWriter::kLineSize];
    {
        CSupportInfo support;
        SupportValue(programName, support.GetProductName(), "PROGRAMNAME", m_edition.defaultProductName);
        SupportValue(programVersion, support.GetProductVersion(), "PROGRAMVER", kDefaultProgramVersion);
    }
    char functionText[CXmlWriter::kLineSize];
    std::snprintf(functionText, sizeof functionText, "%d", functionId);

    const char* const elements[][2] = {
        {"GYOUMUPREFIX", "QF14"},     {"VERSION", "1"},
        {"FUNCTIONID", functionText}, {"CONNECTEDPROGRAMVER", LINK_PROGRAM_VERSION},
        {"PROGRAMNAME", programName}, {"PROGRAMVER", programVersion},
    };
    if (!writer.WriteStartElement("SYSTEM", 1)) return false;
    for (const auto& element : elements) {
        if (!writer.WriteElement(element[0], element[1], 2)) return false;
        m_progress.Pulse();
    }
    if (!writer.WriteEndElement("SYSTEM", 1) || !writer.Flush()) return false;
    m_progress.Advance(kProgressBands.systemBlock);
    return true;
}

bool CReportWriter::WriteBasicBlock(CXmlWriter& writer, const StDATAINFO& data) {
    const size_t nameLength = sjis::BoundedLength(data.businessName, sizeof data.businessName);
    const std::string name(data.businessName, sjis::CutLength(data.businessName, nameLength, 255));
    const std::string fullWidthName = ToFullWidthName(name);
    char from[CXmlWriter::kLineSize];
    char to[CXmlWriter::kLineSize];
    std::snprintf(from, sizeof from, "%d", static_cast<int>(data.periodFrom));
    std::snprintf(to, sizeof to, "%d", static_cast<int>(data.periodTo));

    if (!writer.WriteStartElement("BASIC", 1)) return false;
    const char* const leading[][2] = {
        {"KOMONSAKINAME", fullWidthName.c_str()}, {"JIGYOUNENDOFROM", from}, {"JIGYOUNENDOTO", to}};
    for (const auto& element : leading) {
        if (!writer.WriteElement(element[0], element[1], 2)) return false;
        m_progress.Pulse();
    }
    static const char* const kRoundingCodes[] = {"3", "2", "1"};  // half up, up, down
    if (data.roundingMode > 2) return false;
    if (!writer.WriteElement("HASUU_SYOUKYAKU", kRoundingCodes[data.roundingMode], 2)) return false;
    m_progress.Pulse();
    if (!writer.WriteElement("HASUU_ZANZON", "1", 2)) return false;
    m_progress.Pulse();
    if (!writer.WriteEndElement("BASIC", 1) || !writer.Flush()) return false;
    m_progress.Advance(kProgressBands.basicBlock);
    return true;
}

bool CReportWriter::WriteDataBlock(CXmlWriter& writer) {
    if (!writer.WriteStartElement("DATA", 1)) return false;
    std::vector<CXmlWriter::CElementLine> fieldLines;
    for (const OutputFieldInfo& field : kOutputFields) fieldLines.emplace_back(field.name, 3);
    unsigned count = 0;
    for (const auto& record : m_records) {
        char countText[16];  // the ten digits of the largest count and a zero fit
        *std::to_chars(countText, countText + sizeof countText - 1, ++count).ptr = '\0';
        if (!writer.WriteStartElement("SISAN", 2, "Count", countText)) return false;
        for (size_t n = 0; n < kOutputFieldCount; ++n) {
            const OutputFieldInfo& field = kOutputFields[n];
            // A field is read up to its zero byte, and never past its width: one whose last byte is
            // zero, as nearly all are, is written where it is; any other is copied and terminated first.
            const char* text = FieldText(*record, field);
            char value[CXmlWriter::kLineSize];
            if (text[field.width - 1] != '\0') {
                const size_t length = sjis::BoundedLength(text, field.width);
                std::memcpy(value, text, length);  // widths are below the line size
                value[length] = '\0';
                text = value;
            }
            if (!writer.WriteElement(fieldLines[n], text)) return false;
        }
        if (!writer.WriteEndElement("SISAN", 2)) return false;
        m_progress.Pulse();
    }
    if (!writer.WriteEndElement("DATA", 1) || !writer.Flush()) return false;
    m_progress.Advance(kProgressBands.dataBlock);
    return true;
}

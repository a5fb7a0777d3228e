#pragma once
// Writes the report the filing application imports: the XML declaration, then REPORT with the SYSTEM,
// BASIC and DATA blocks (one SISAN per output record), through CXmlWriter, driving the progress display
// over the three bands from the progress base on.
#include <cstdint>
#include <string>

#include "aggregation/AssetOutputRecord.h"
#include "editions/Edition.h"
#include "host/HostRecords.h"
#include "report/ProgressDisplay.h"

class CXmlWriter;

class CReportWriter {
public:
    CReportWriter(IProgressDisplay& progress, const COutputRecordList& records, std::uint16_t progressBase,
                  const CEdition& edition);

    // True when the whole document was written. The file is never deleted, also after a failure.
    bool WriteReport(const std::string& path, std::int16_t functionId, const StDATAINFO& data);

private:
    // Each writes its block at depth 1; false stops at the failing line (the end tag is not written).
    bool WriteSystemBlock(CXmlWriter& writer, std::int16_t functionId);
    bool WriteBasicBlock(CXmlWriter& writer, const StDATAINFO& data);
    bool WriteDataBlock(CXmlWriter& writer);
    std::int16_t BandPosition(int offset) const { return static_cast<std::int16_t>(m_progressBase + offset); }

    IProgressDisplay& m_progress;
    const COutputRecordList& m_records;
    std::uint16_t m_progressBase;
    const CEdition& m_edition;
};

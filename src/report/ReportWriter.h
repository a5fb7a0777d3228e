#pragma once
// Writes the report the filing application imports: the XML declaration, then REPORT with the SYSTEM,
// BASIC and DATA blocks (one SISAN per output record), through CXmlWriter, driving the progress display
// over the report's three bands.
#include <cstdint>
#include <string>

#include "aggregation/AssetOutputRecord.h"
#include "editions/Edition.h"
#include "host/HostRecords.h"
#include "report/ProgressDisplay.h"

class CXmlWriter;

class CReportWriter {
public:
    CReportWriter(IProgressDisplay& progress, const COutputRecordList& records, const Edition& edition);

    // True when the whole document was written. The file is never deleted, also after a failure.
    bool WriteReport(const std::string& path, std::int16_t functionId, const StDATAINFO& data);

private:
    // Each writes its block at depth 1; false stops at the failing line (the end tag is not written).
    bool WriteSystemBlock(CXmlWriter& writer, std::int16_t functionId);
    bool WriteBasicBlock(CXmlWriter& writer, const StDATAINFO& data);
    bool WriteDataBlock(CXmlWriter& writer);

    IProgressDisplay& m_progress;
    const COutputRecordList& m_records;
    const Edition& m_edition;
};

#pragma once
// The generated installations the benchmarks read (bench/make-installation.py, written by tools/bench
// into $LINK_BENCH_DATA/<count>/installation.json) and the run state built from them.
#include <memory>
#include <string>

#include "aggregation/AssetOutputRecord.h"
#include "aggregation/AssetSnapshot.h"
#include "host/HostRecords.h"
#include "hostsim/Installation.h"
#include "report/ProgressDisplay.h"

namespace bench {

// Path of the installation file with `count` assets; aborts with a message when it is missing.
std::string InstallationPath(int count);

// The parsed installation with `count` assets, parsed once per process.
const hostsim::Installation& ParsedInstallation(int count);

// Makes `count`'s installation the host's (a fresh session: empty call log) and sets the POSIX
// platform of its machine. Returns the selected data record.
StDATAINFO StartSession(int count);

// A progress display that only counts its calls.
class CCountingProgress : public IProgressDisplay {
public:
    void AdvanceBand(std::int16_t from, std::int16_t to) override { units += to - from + 1; }
    void Pulse() override { ++pulses; }
    long units = 0;
    long pulses = 0;
};

// Windows path of the benchmark's report file on drive L: and its native path.
extern const char kReportWindowsPath[];
std::string ReportNativePath(int count);

}  // namespace bench

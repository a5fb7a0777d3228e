#pragma once
#include <cstdint>

// One stretch of the main bar, in per mille, both ends included.
struct ProgressBand {
    std::int16_t from;
    std::int16_t to;
};

// Every band of the main bar in the order the run moves through it, each starting where the last ended.
struct ProgressBands {
    ProgressBand extraction, records, systemBlock, basicBlock, dataBlock, closing;
};
inline constexpr ProgressBands kProgressBands = {
    {0, 200},     // extraction
    {200, 400},   // output records
    {400, 500},   // the report's SYSTEM block
    {500, 600},   // its BASIC block
    {600, 700},   // its DATA block
    {700, 1000},  // the closing message
};

// The progress window as the report writer and the aggregation pass drive it: a main bar over
// 0..1000 per mille and an activity bar that sweeps once per unit of work.
class IProgressDisplay {
public:
    virtual ~IProgressDisplay() = default;
    // Moves the main bar through every position from `from` to `to`, both included.
    virtual void AdvanceBand(std::int16_t from, std::int16_t to) = 0;
    void Advance(ProgressBand band) { AdvanceBand(band.from, band.to); }
    // One sweep of the activity bar.
    virtual void Pulse() = 0;
};

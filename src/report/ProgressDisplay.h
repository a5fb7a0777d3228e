#pragma once
#include <cstdint>

// The progress window as the report writer and the aggregation pass drive it: a main bar over
// 0..1000 per mille and an activity bar that sweeps once per unit of work.
class IProgressDisplay {
public:
    virtual ~IProgressDisplay() = default;
    // Moves the main bar through every position from `from` to `to`, both included.
    virtual void AdvanceBand(std::int16_t from, std::int16_t to) = 0;
    // One sweep of the activity bar.
    virtual void Pulse() = 0;
};

// Statutory guarantee ratios of the 250 % and 200 % declining-balance methods,
// one entry per useful life 1..101, each the ratio multiplied by 10000 (0.02789
// is held as 278.9): the ratios have five decimals, one more than CFixedDecimal.
// Multiply by the entry, then divide by 10000.
#pragma once

#include "aggregation/FixedDecimal.h"
#include "host/HostRecords.h"

#include <cstdint>

constexpr int kGuaranteeRatioLives = 101;

// Entry i belongs to useful life i + 1. Constant-initialised: safe to read
// from any static initialiser and from any thread.
extern const CFixedDecimal GuaranteeRatioTable250[kGuaranteeRatioLives];
extern const CFixedDecimal GuaranteeRatioTable200[kGuaranteeRatioLives];

// Chooses the table by the host's method code (5: 250 %, 8: 200 %) and looks
// the life up. A life outside 1..101 has no statutory ratio and yields 0, which
// makes the guarantee amount 0. Returns true, or false with out = 0 for any
// other method code.
bool LookupGuaranteeRatio(int methodCode, int16_t usefulLife, CFixedDecimal& out);

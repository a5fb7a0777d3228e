// CFixedDecimal on any values against the 128-bit reference of tests/unit/support/DecimalReference.h;
// reading any text and any double gives a value or an overflow, the double's within rounding.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "tests/unit/support/DecimalReference.h"
#include "tests/unit/support/FuzzCheck.h"

namespace {
// The input's first bytes (missing ones are zero); the text to read is what follows them.
struct __attribute__((packed)) Values {
    std::uint8_t operation;
    std::int64_t a, b;
    std::int32_t n;
    double x;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Values in{};
    if (size > 0) std::memcpy(&in, data, std::min(size, sizeof in));
    const int kReferenceOperations = static_cast<int>(decimalref::Operation::Make) + 1;
    const int chosen = in.operation % (kReferenceOperations + 2);
    if (chosen < kReferenceOperations) {
        const std::string mismatch = decimalref::Mismatch(static_cast<decimalref::Operation>(chosen), in.a, in.b, in.n);
        FUZZ_CHECK(mismatch.empty(), mismatch);
        return 0;
    }
    try {
        if (chosen == kReferenceOperations) {
            CFixedDecimal::FromText(InputText(data, size).substr(std::min(size, sizeof in)).c_str());
        } else {
            const double x = in.x;
            const CFixedDecimal read = CFixedDecimal::FromDouble(x);
            FUZZ_CHECK(std::isfinite(x) && std::fabs(x) < 1e14);
            FUZZ_CHECK(std::fabs(static_cast<double>(read.Scaled()) - x * 10000.0) <= 1.0 + std::fabs(x) * 1e-11);
        }
    } catch (const CDecimalOverflow&) {
    }
    return 0;
}

// CFixedDecimal on any values against the 128-bit reference the unit test uses; reading any text and
// any double gives a value or an overflow, the double's within rounding.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "aggregation/FixedDecimal.h"
#include "tests/unit/support/DecimalReference.h"
#include "tests/unit/support/FuzzCheck.h"

namespace {
struct Reader {
    const std::uint8_t* data;
    size_t size;
    size_t at = 0;
    template <typename T>
    T Take() {
        T value{};
        const size_t n = std::min(sizeof value, size - at);
        std::memcpy(&value, data + at, n);
        at += n;
        return value;
    }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using decimalref::D;
    Reader in{data, size};
    const std::uint8_t operation = in.Take<std::uint8_t>();
    const std::int64_t a = in.Take<std::int64_t>();
    const std::int64_t b = in.Take<std::int64_t>();
    const std::int32_t n = in.Take<std::int32_t>();
    const double x = in.Take<double>();
    const int kReferenceOperations = static_cast<int>(decimalref::Operation::ReadBack) + 1;
    const int chosen = operation % (kReferenceOperations + 2);
    if (chosen < kReferenceOperations) {
        const std::string mismatch = decimalref::Mismatch(static_cast<decimalref::Operation>(chosen), a, b, n);
        if (!mismatch.empty()) std::fprintf(stderr, "%s\n", mismatch.c_str());
        FUZZ_CHECK(mismatch.empty());
    } else if (chosen == kReferenceOperations) {
        const std::string any(reinterpret_cast<const char*>(data) + in.at, size - in.at);
        try {
            D::FromText(any.c_str());
        } catch (const CDecimalOverflow&) {
        }
    } else {
        bool overflow = false;
        D read;
        try {
            read = D::FromDouble(x);
        } catch (const CDecimalOverflow&) {
            overflow = true;
        }
        if (!std::isfinite(x) || std::fabs(x) >= 1e14) FUZZ_CHECK(overflow);
        if (!overflow) FUZZ_CHECK(std::fabs(static_cast<double>(read.Scaled()) - x * 10000.0) <= 1.0 + std::fabs(x) * 1e-11);
    }
    return 0;
}

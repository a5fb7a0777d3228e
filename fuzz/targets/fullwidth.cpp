// The full-width mapping of any byte string: a text of whole characters maps to whole characters.
#include <string>

#include "tests/unit/support/FuzzCheck.h"
#include "platform/FullWidth.h"
#include "platform/ShiftJis.h"

namespace {
// Every lead byte has its trail byte.
bool WholeCharacters(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (!sjis::IsLeadByte(static_cast<unsigned char>(text[i]))) continue;
        if (i + 1 >= text.size() || !sjis::IsTrailByte(static_cast<unsigned char>(text[i + 1]))) return false;
        ++i;
    }
    return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string wide = MapToFullWidth(text);
    if (WholeCharacters(text) && text.find('\0') == std::string::npos) {
        FUZZ_CHECK(WholeCharacters(wide));
        // Never more than two bytes for each byte.
        FUZZ_CHECK(wide.size() <= 2 * text.size());
        // Mapping twice changes nothing more.
        FUZZ_CHECK(MapToFullWidth(wide) == wide);
    }
    return 0;
}

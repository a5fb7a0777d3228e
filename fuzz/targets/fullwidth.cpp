// The full-width mapping of any byte string: a text of whole characters maps to whole characters, never
// more than two bytes for each byte, and mapping twice changes nothing more.
#include <string>

#include "tests/unit/support/FuzzCheck.h"
#include "platform/FullWidth.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = InputText(data, size);
    const std::string wide = MapToFullWidth(text);
    if (WholeCharacters(text.data(), text.size()) && text.find('\0') == std::string::npos) {
        FUZZ_CHECK(WholeCharacters(wide.data(), wide.size()));
        FUZZ_CHECK(wide.size() <= 2 * text.size());
        FUZZ_CHECK(MapToFullWidth(wide) == wide);
    }
    return 0;
}

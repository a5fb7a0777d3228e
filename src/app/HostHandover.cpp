#include "app/HostHandover.h"

#include <cstring>
#include <limits>

std::int32_t ReadDecimal(const char* text, std::size_t length) {
    std::size_t i = 0;
    while (i < length && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r' || text[i] == '\v' ||
                          text[i] == '\f')) {
        ++i;
    }
    bool negative = false;
    if (i < length && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    std::int64_t value = 0;
    for (; i < length && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kMax + 1) value = kMax + 1;
    }
    if (negative) return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(value > kMax ? kMax : value);
}

bool ParseHostHandover(const char* commandLine, HostHandover& handover) {
    if (!commandLine || !*commandLine) return false;
    const std::size_t length = std::strlen(commandLine);
    const char* end = commandLine + length;
    const char* fieldStart = commandLine;
    std::int32_t numbers[3] = {0, 0, 0};
    for (std::int32_t& number : numbers) {
        const char* comma =
            static_cast<const char*>(std::memchr(fieldStart, ',', static_cast<std::size_t>(end - fieldStart)));
        if (!comma) return false;
        number = ReadDecimal(fieldStart, static_cast<std::size_t>(comma - fieldStart));
        fieldStart = comma + 1;
    }
    handover.hostWindow = static_cast<WindowHandle>(static_cast<std::intptr_t>(numbers[0]));
    handover.notifyMessage = static_cast<std::uint32_t>(numbers[1]);
    handover.functionId = static_cast<std::int16_t>(static_cast<std::uint16_t>(numbers[2]));
    handover.fixedOutputPath.assign(fieldStart, end);
    return true;
}

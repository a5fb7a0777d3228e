#include "hostsim/TranscriptLines.h"

std::string ShowLineBreaks(const std::string& text) {
    std::string shown;
    for (char c : text) {
        if (c == '\n') shown += "\\n";
        else if (c == '\r') shown += "\\r";
        else shown += c;
    }
    return shown;
}

std::string PostedLine(unsigned long long window, unsigned long message, long wparam, long long lparam) {
    return "POSTED window=" + std::to_string(window) + " message=" + std::to_string(message) +
           " wparam=" + std::to_string(wparam) + " lparam=" + std::to_string(lparam);
}

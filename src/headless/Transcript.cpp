#include "headless/Transcript.h"

#include <iconv.h>

#include <cerrno>

#include "hostsim/TranscriptLines.h"
#include "platform/Platform.h"
#include "platform/ShiftJis.h"

std::string Cp932ToUtf8(const std::string& text) {
    iconv_t converter = iconv_open("UTF-8", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1)) return text;
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        // One character at a time, so that a byte without a mapping is shown and skipped.
        const size_t length = sjis::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
        char input[2] = {text[i], length == 2 ? text[i + 1] : '\0'};
        char output[8];
        char* in = input;
        char* outPtr = output;
        size_t inLeft = length;
        size_t outLeft = sizeof output;
        if (iconv(converter, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(text[i]));
            out += escaped;
            iconv(converter, nullptr, nullptr, nullptr, nullptr);
            ++i;
            continue;
        }
        out.append(output, sizeof output - outLeft);
        i += length;
    }
    iconv_close(converter);
    return out;
}

std::string Utf8ToCp932(const std::string& text) {
    iconv_t converter = iconv_open("CP932", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) return text;
    std::string out(text.size() * 2 + 8, '\0');
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char* outPtr = &out[0];
    size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(converter, &in, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1)) break;
        if (errno != EILSEQ && errno != EINVAL) break;
        // Skip the whole UTF-8 sequence that has no code page 932 form.
        *outPtr++ = '?';
        --outLeft;
        do {
            ++in;
            --inLeft;
        } while (inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80);
    }
    out.resize(out.size() - outLeft);
    iconv_close(converter);
    return out;
}

namespace {

// Name of the icon a message box style carries: warning, information, question, error or none.
const char* IconName(unsigned style) {
    switch (style & 0xF0u) {
    case kMbIconWarning: return "warning";
    case kMbIconInformation: return "information";
    case kMbIconQuestion: return "question";
    case 0x10u: return "error";
    default: return "none";
    }
}

}  // namespace

void CTranscript::Message(unsigned style, const std::string& caption, const std::string& text) {
    Line(std::string("MESSAGE ") + IconName(style) + " " + Cp932ToUtf8(caption) + ": " +
         ShowLineBreaks(Cp932ToUtf8(text)));
}

void CTranscript::Question(const std::string& caption, const std::string& text, bool yes) {
    Line("QUESTION " + Cp932ToUtf8(caption) + ": " + ShowLineBreaks(Cp932ToUtf8(text)) + (yes ? " -> yes" : " -> no"));
}

void CTranscript::Posted(std::uintptr_t window, std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) {
    Line(PostedLine(window, message, static_cast<std::int32_t>(wparam), lparam));
}

void CTranscript::Result(int result) { Line("RESULT " + std::to_string(result)); }

void CTranscript::Line(const std::string& utf8) {
    std::fputs(utf8.c_str(), m_out);
    std::fputc('\n', m_out);
    std::fflush(m_out);
}

#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

// What the user would have seen, one line per event, in UTF-8. Under Wine the scripted user and the
// host's launcher print the same lines for the real programs, so the two front ends can be compared
// line by line.
class CTranscript {
public:
    explicit CTranscript(std::FILE* out) : m_out(out) {}

    void Message(unsigned style, const std::string& caption, const std::string& text);
    void Question(const std::string& caption, const std::string& text, bool yes);
    void Posted(std::uintptr_t window, std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam);
    void Result(int result);
    void Line(const std::string& utf8);

private:
    std::FILE* m_out;
};

// Code page 932 bytes as UTF-8; a byte sequence with no mapping is shown as \xNN.
std::string Cp932ToUtf8(const std::string& text);

// UTF-8 as code page 932 bytes; a character with no mapping becomes '?'.
std::string Utf8ToCp932(const std::string& text);

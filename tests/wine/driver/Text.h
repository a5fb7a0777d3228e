#pragma once
#include <windows.h>

#include <string>

// UTF-16 from Windows to the UTF-8 of the transcript.
std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);

// A message text as one transcript line: line breaks shown as the two characters \n (and \r).
std::string ShowLineBreaks(const std::string& utf8);

// Prints transcript lines to standard output as UTF-8 bytes, each line flushed at once so that a
// run that hangs still shows how far it got.
class Transcript {
public:
    void Line(const std::string& utf8);
};

// Diagnostics of the driver itself (not part of the transcript) go to standard error.
void Complain(const std::string& utf8);

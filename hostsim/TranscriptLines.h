#pragma once
#include <string>

// Lines that link-headless and the Wine end-to-end run print alike, so that the transcripts of the
// two front ends can be compared line by line.

// A message text on one line: a line feed shown as the two characters \n, a carriage return as \r.
std::string ShowLineBreaks(const std::string& text);

// "POSTED window=<window> message=<message> wparam=<wparam> lparam=<lparam>": one message the
// program posted to the host window.
std::string PostedLine(unsigned long long window, unsigned long message, long wparam, long long lparam);

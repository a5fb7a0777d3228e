#pragma once
// Character-set conversion on POSIX machines (iconv), for the native front end and the stand-in.
#include <string>

// Converts `input` from one iconv encoding to another; false (with what was converted so far in
// `output`) when a byte sequence is malformed or has no equivalent.
bool ConvertText(const char* to, const char* from, const std::string& input, std::string& output);

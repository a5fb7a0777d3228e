#pragma once
// Path texts in code page 932 bytes. A backslash that is the trail byte of a double-byte character is
// never a separator, and no function here splits a double-byte character.
#include <cstddef>
#include <string>

// Working limit of a path in bytes, without the terminating zero.
inline constexpr size_t kMaxPathBytes = 260;

// True when byte `pos` is the single-byte character `c`, not the trail byte of a double-byte one.
bool IsSingleByteAt(const std::string& text, size_t pos, char c);
// Position of the last `c` that is a character of its own; npos when there is none.
size_t FindLastSingle(const std::string& text, char c);

// Up to and including the last backslash; empty when there is none.
std::string FolderOf(const std::string& path);
// After the last backslash; the whole text when there is none.
std::string FileNameOf(const std::string& path);
// Up to and including the last colon; empty when there is none.
std::string DriveOf(const std::string& path);
// After the last colon; the whole text when there is none.
std::string AfterDrive(const std::string& path);

// True when byte `pos` is either byte of a double-byte character.
bool IsInsideDoubleByte(const std::string& text, size_t pos);

// `limit` counts the terminating zero, as the size of a buffer. False (text unchanged) for an empty
// text or when a backslash would not fit; a text already ending in a backslash is left as it is.
bool EnsureTrailingBackslash(std::string& text, size_t limit);

// Drive and directory of `path`, split as _splitpath splits (either slash ends a directory), joined;
// a backslash is appended when the result lacks one and is shorter than `path`. False when the result
// is empty or `path` exceeds kMaxPathBytes.
bool DriveAndFolderOf(const std::string& path, std::string& folder);

// DriveAndFolderOf(path) names an existing directory.
bool FolderExists(const std::string& path);

// A backslash of its own at `pos`.
bool IsSeparator(const std::string& text, size_t pos);
// The paths of the machine itself (the POSIX machine's folders, the stand-in's files) take a slash as
// a separator too: IsSeparator, or a slash at `pos`.
bool IsSeparatorOrSlash(const std::string& text, size_t pos);
// Such a folder ending in a separator: a backslash appended unless it ends in one or a slash already;
// empty stays empty.
std::string WithTrailingSeparator(const std::string& folder);
// Begins with two separators: "\\server\share\...".
bool IsNetworkPath(const std::string& path);
// Two separators in a row at or after `from`.
bool HasDoubledSeparator(const std::string& text, size_t from);
// The first separator at or after `from`; npos when there is none.
size_t FindSeparator(const std::string& text, size_t from);
bool IsAsciiLetter(char c);
char AsciiUpper(char c);
// Case folds only single-byte letters: a trail byte 'a' and a trail byte 'A' are different characters.
bool SameIgnoringCase(const std::string& a, const std::string& b);

// Creates every missing level of `folder` from the top down. On failure the levels this call created
// are removed again (as far as they can be) and false is returned. Relative folders fail.
bool CreateFolderChain(const std::string& folder);

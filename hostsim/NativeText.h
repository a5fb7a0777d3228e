#pragma once
// What differs between the machines the stand-in runs on: text conversion and native file paths.
#include <string>

namespace hostsim {

// UTF-8 text to code page 932 bytes. False when a character has no exact code page 932 equivalent
// (no best-fit substitutes) or the UTF-8 is malformed.
bool Utf8ToCp932(const std::string& utf8, std::string& cp932);

// A path text of the installation file as a path of this machine; false when it cannot be expressed.
bool NativePathFromUtf8(const std::string& utf8, std::string& native);

// Folder of a native file path, ending with a separator; empty when the path has no folder.
std::string NativeFolderOf(const std::string& path);

// `path` as is when absolute, else appended to `folder`.
std::string NativeResolve(const std::string& folder, const std::string& path);

// The installation file the Windows programs use when none was loaded: the environment variable
// LEDGORA_INSTALLATION, else installation.json beside the program. False where there is no such default.
bool DefaultInstallationPath(std::string& path);

}  // namespace hostsim

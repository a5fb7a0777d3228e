#pragma once
// Checks of the output destination before a run may start and the portable half of the browse
// button. Messages go through Platform().ShowMessageBox.
#include <string>

#include "platform/Platform.h"

// No colon or forbidden character where a name belongs, and no doubled separator (except the two
// that open a network path). A path longer than kMaxPathBytes is not valid either.
bool HasOnlyValidCharacters(const std::string& path);

// The drive (or network share) exists, is neither a CD-ROM nor a RAM disk, and its root can be
// opened for reading and writing.
bool HasValidDrive(const std::string& path);

enum class DestinationVerdict { Accepted, Refused };

// Examines `outputPath` in the fixed order, telling the user (owned by `owner`) why it is refused or
// asking before creating a folder or overwriting a file. A non-empty `fixedPath` (handed over by the
// host) skips the look at what already exists at the path.
DestinationVerdict ValidateDestination(WindowHandle owner, const std::string& outputPath, const std::string& fixedPath);

// What the save-file dialog opens with, from the text of the path edit.
struct SaveDialogStart {
    std::string initialFolder;
    std::string proposedName;
};
SaveDialogStart SaveDialogStartOf(const std::string& editText);

inline constexpr const char kSaveDialogTitle[] = "保存ファイルを指定";
inline constexpr const char kSaveDialogFilter[] = "Xml Files (*.xml)|*.xml||";  // MFC form
inline constexpr const char kSaveDialogDefaultExtension[] = "XML";

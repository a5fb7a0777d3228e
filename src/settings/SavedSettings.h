#pragma once
// The category and output path of the last successful run, remembered per user and data file: one line
// per key in the edition's file in the host's settings folder, a file every user of the installation
// shares.
#include <optional>
#include <string>

#include "aggregation/OutputCategory.h"

struct Edition;

class CSavedSettings {
public:
    explicit CSavedSettings(const Edition& edition);

    // Found: the stored category and path of the current user and data file; else 0 and empty.
    bool Read(OutputCategory& category, std::string& path);

    // Makes the entry the file's last line, dropping the key's earlier line; every other line keeps its
    // bytes. Without a path, the path the last Read found (empty if none) is stored. The old file is
    // replaced only by a completely written new one: on failure it stays as it was.
    bool Save(OutputCategory category, const std::optional<std::string>& path);

private:
    const Edition& m_edition;
    std::string m_readPath;
};

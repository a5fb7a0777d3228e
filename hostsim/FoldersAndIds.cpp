// ClFileMgr and ClUtyDBHpr: the product's folders and the text form of data IDs.
#include <cstring>

#include "hostsim/SimState.h"

using namespace hostsim;
using namespace hostsim::detail;

ClFileMgr* ClFileMgr::Inst() {
    static ClFileMgr manager;
    return &manager;
}

ClFileMgr::ClFileMgr() = default;

HostStatus ClFileMgr::GetAppFolderPath(int type, char* folder, int size) {
    const Installation* inst = Installed();
    std::string path;
    HostStatus status = inst ? 0 : kUnavailable;
    if (inst) {
        const auto it = inst->appFolders.find(type);
        if (it != inst->appFolders.end()) path = it->second;
    }
    if (!folder || size <= 0) status = kMisuse;
    else if (path.size() + 1 > static_cast<size_t>(size)) status = kMisuse;  // never a cut path
    if (folder && size > 0) {
        const size_t length = status == 0 ? path.size() : 0;
        std::memcpy(folder, path.data(), length);
        folder[length] = '\0';
    }
    Log("ClFileMgr::GetAppFolderPath type=" + N(type) + " size=" + N(size) + " -> " + N(status) +
        (status == 0 ? " folder=" + path : std::string()));
    return status;
}

ClUtyDBHpr* ClUtyDBHpr::Inst() {
    static ClUtyDBHpr helper;
    return &helper;
}

ClUtyDBHpr::ClUtyDBHpr() = default;

void ClUtyDBHpr::MakeIDStr(const char* dataId, char* text) {
    const DataFile* dataFile = DataFileOfKey(dataId);
    const std::string id = dataFile ? dataFile->dataId : std::string();  // at most 35 bytes: fits the caller's 36
    if (text) std::memcpy(text, id.c_str(), id.size() + 1);
    Log("ClUtyDBHpr::MakeIDStr -> " + (dataFile ? id : std::string("(unknown key)")));
}

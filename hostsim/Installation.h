#pragma once
// The simulated installation the stand-in host serves, as loaded from its JSON file. Texts are code page
// 932 bytes, money counts ten-thousandths of a yen, dates are yyyymmdd. Drive roots and the log path
// are paths of the machine running the stand-in, already resolved against the file's folder.
//
// Fields beyond the shared description of the file:
//   machine.lockedFiles  list of Windows paths that another program holds open: the POSIX platform
//                        cannot open, replace or delete them.
//   keys starting with "_" are annotations, ignored everywhere; any other unknown key is refused.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/HostRecords.h"
#include "platform/Platform.h"

namespace hostsim {

struct YearFigures {
    HostMoney ordinaryDepreciation = 0;
    HostMoney additionalDepreciation1 = 0;
    HostMoney additionalDepreciation2 = 0;
    HostMoney includedInExpenses = 0;
};

struct Asset {
    std::int32_t kind = 0;
    std::string name;
    std::string quantity;
    std::string remarks;
    std::int16_t disposalStatus = 0;
    std::int32_t disposalDate = 0;
    std::int32_t acquisitionDate = 0;
    HostMoney acquisitionCost = 0;
    HostMoney costReduction = 0;
    HostMoney openingBookValue = 0;
    std::int16_t method = 0;
    std::int16_t usefulLife = 0;
    std::int32_t rate = 0;
    std::uint8_t residualIsAmount = 0;
    HostMoney residualValue = 0;
    std::int16_t businessUseRatio = 0;
    std::int16_t monthsDepreciated = 0;
    HostMoney depreciationBase = 0;
    HostMoney yearEndBalance = 0;
    std::int16_t category = 0;
    std::uint8_t equalDepreciation = 0;
    HostMoney revisedAcquisitionCost = 0;
    YearFigures year;
};

struct DataFile {
    std::string dataId;  // text form; the host's records carry an opaque key instead
    std::int32_t dataNo = 0;
    std::string businessName;
    std::int32_t periodFrom = 0;
    std::int32_t periodTo = 0;
    std::int32_t hasManufacturingCost = 0;
    std::int16_t dataKind = 0;
    std::uint8_t businessKind = 0;
    std::uint8_t roundingMode = 0;
    std::vector<Asset> assets;
};

struct Era {
    std::int32_t start = 0;
    std::string name;
};

struct User {
    std::string id;
    std::int32_t setNo = 0;
    std::int32_t dataNo = 0;
};

// A walk that answers `status` once `after` records have been delivered.
struct WalkFault {
    std::int32_t after = 0;
    HostStatus status = 0;
};

struct MoveFault {
    std::int32_t index = 0;
    HostStatus status = 0;
};

// GetPeriod answers `status` and writes only the dates that are given.
struct PeriodFault {
    HostStatus status = 0;
    std::optional<std::int32_t> from;
    std::optional<std::int32_t> to;
};

struct Faults {
    std::optional<HostStatus> initiate;
    std::optional<HostStatus> expSysLink;
    std::optional<HostStatus> readyDat;
    std::optional<WalkFault> walkDat;
    bool ruleAlloc = false;
    std::optional<HostStatus> moveReady;
    std::optional<HostStatus> getCount;
    std::optional<MoveFault> move;
    std::optional<HostStatus> eraGetCursor;
    std::optional<HostStatus> eraReady;
    std::optional<WalkFault> eraWalk;
    bool noAccPeriod = false;  // "GetAccPeriod": "none"
    std::optional<PeriodFault> getPeriod;
    std::vector<HostStatus> fatal;
    bool noSetObject = false;  // "SetObject": "none"
};

struct Drive {
    DriveKind kind = DriveKind::Fixed;
    std::string root;  // native folder
};

struct Machine {
    std::map<char, Drive> drives;  // upper-case letter
    std::string programFolder;     // Windows paths
    std::string currentFolder;
    std::string tempFolder;
    std::vector<std::string> lockedFiles;
};

struct Installation {
    std::string packageName;
    User user;
    std::map<int, std::string> appFolders;
    std::vector<Era> eras;
    std::vector<DataFile> dataFiles;
    Faults faults;
    Machine machine;
    std::string logPath;  // native path; empty: no log file
};

// Parses the JSON text of an installation whose file lies in `folder` (a native folder, may be empty).
// False with one message naming the JSON path and the value when anything is refused.
bool ParseInstallation(const std::string& jsonText, const std::string& folder, Installation& installation,
                       std::string& error);

// Reads and parses an installation file. The message does not name the file.
bool LoadInstallation(const std::string& path, Installation& installation, std::string& error);

}  // namespace hostsim

#pragma once
// The stand-in host's installation for the targets that run the host: user U01 on data file D-3 (a
// year from 2024-01-01, kind 6), the eras, and the folder of the saved settings. Parsed and taken once
// per process, before the first input; a text that does not parse is the target's own fault.
#include <cstdlib>
#include <string>
#include <utility>

#include "hostsim/HostSim.h"

inline void UseFuzzInstallation() {
    static const bool loaded = [] {
        hostsim::Installation installation;
        std::string error;
        if (!hostsim::ParseInstallation(u8R"({ "user": { "id": "U01", "setNo": 1, "dataNo": 3 },
  "appFolders": { "1": "C:\\ENV\\" },
  "eras": [ { "start": 18680125, "name": "明治" }, { "start": 19120730, "name": "大正" },
            { "start": 19261225, "name": "昭和" }, { "start": 19890108, "name": "平成" },
            { "start": 20190501, "name": "令和" } ],
  "dataFiles": [ { "dataId": "D-3", "dataNo": 3, "businessName": "三", "periodFrom": 20240101,
                   "periodTo": 20241231, "businessKind": 6, "roundingMode": 2 } ] })",
                                        "", installation, error))
            std::abort();
        hostsim::UseInstallation(std::move(installation));
        return true;
    }();
    (void)loaded;
}

#pragma once
// The stand-in host's installation for targets that run the host: parsed and taken once per process,
// before the first input; a text that does not parse is the target's own fault.
#include <cstdlib>
#include <string>
#include <utility>

#include "hostsim/HostSim.h"

inline void UseInstallationOnce(const char* json) {
    static const bool loaded = [json] {
        hostsim::Installation installation;
        std::string error;
        if (!hostsim::ParseInstallation(json, "", installation, error)) std::abort();
        hostsim::UseInstallation(std::move(installation));
        return true;
    }();
    (void)loaded;
}

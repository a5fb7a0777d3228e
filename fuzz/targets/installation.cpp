// The installation-file loader on any text: refused with a message or accepted with every text
// within its host field.
#include <string>

#include "tests/unit/support/FuzzCheck.h"
#include "hostsim/Installation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    hostsim::Installation installation;
    std::string error;
    if (!hostsim::ParseInstallation(InputText(data, size), "/nonexistent", installation, error)) {
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    for (const hostsim::DataFile& dataFile : installation.dataFiles) {
        FUZZ_CHECK(dataFile.businessName.size() <= sizeof StDATAINFO{}.businessName);
        for (const hostsim::Asset& asset : dataFile.assets) {
            FUZZ_CHECK(asset.name.size() <= sizeof StKOTEISHISANINFO{}.name);
            FUZZ_CHECK(asset.quantity.size() <= sizeof StKOTEISHISANINFO{}.quantity);
            FUZZ_CHECK(asset.remarks.size() <= sizeof StKOTEISHISANINFO{}.remarks);
        }
    }
    for (const hostsim::Era& era : installation.eras) FUZZ_CHECK(era.name.size() <= sizeof StGENGOINFO{}.name);
    return 0;
}

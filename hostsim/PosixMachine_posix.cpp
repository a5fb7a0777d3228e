#include "hostsim/HostSim.h"

namespace hostsim {

CPosixMachine MachineOf(const Installation& installation) {
    const Machine& source = installation.machine;
    CPosixMachine machine;
    for (const auto& [letter, drive] : source.drives) machine.drives[letter] = CPosixDrive{drive.kind, drive.root};
    machine.programFolder = source.programFolder;
    machine.currentFolder = source.currentFolder;
    machine.tempFolder = source.tempFolder;
    machine.lockedFiles = source.lockedFiles;
    return machine;
}

}  // namespace hostsim

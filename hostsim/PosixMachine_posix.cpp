#include "hostsim/HostSim.h"

namespace hostsim {

PosixMachine MachineOf(const Installation& installation) {
    const Machine& source = installation.machine;
    PosixMachine machine;
    for (const auto& [letter, drive] : source.drives) machine.drives[letter] = PosixDrive{drive.kind, drive.root};
    machine.programFolder = source.programFolder;
    machine.currentFolder = source.currentFolder;
    machine.tempFolder = source.tempFolder;
    machine.lockedFiles = source.lockedFiles;
    return machine;
}

}  // namespace hostsim

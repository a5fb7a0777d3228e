#include "BenchData.h"

#include <cstdio>
#include <cstdlib>
#include <map>

#include "host/HostClasses.h"
#include "hostsim/HostSim.h"
#include "platform/FullWidth.h"
#include "platform/PosixPlatform.h"

namespace bench {

const char kReportWindowsPath[] = "L:\\Ledgora\\Data\\bench-report.xml";

namespace {
// The machine of the installation without a user: no message box is expected in these runs.
class CBenchPlatform : public CPosixPlatform {
public:
    using CPosixPlatform::CPosixPlatform;
    std::string ToFullWidth(const std::string& text) override { return MapToFullWidth(text); }
    int ShowMessageBox(WindowHandle, const std::string&, const std::string&, unsigned) override {
        ++messageBoxes;
        return 1;
    }
    void EnableWindow(WindowHandle, bool) override {}
    void SetForegroundWindow(WindowHandle) override {}
    void PostToWindow(WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t) override {}
    int messageBoxes = 0;
};

std::string DataFolder() {
    const char* folder = std::getenv("LINK_BENCH_DATA");
    return folder && *folder ? folder : "build/bench/data";
}
}  // namespace

std::string InstallationPath(int count) {
    const std::string path = DataFolder() + "/" + std::to_string(count) + "/installation.json";
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        std::fclose(file);
        return path;
    }
    std::fprintf(stderr, "link-bench: %s is missing (bench/make-installation.py %d FOLDER makes it)\n", path.c_str(),
                 count);
    std::exit(2);
}

std::string ReportNativePath(int count) {
    return DataFolder() + "/" + std::to_string(count) + "/l-drive/Ledgora/Data/bench-report.xml";
}

const hostsim::Installation& ParsedInstallation(int count) {
    static std::map<int, hostsim::Installation> parsed;
    auto found = parsed.find(count);
    if (found == parsed.end()) {
        hostsim::Installation installation;
        std::string error;
        if (!hostsim::LoadInstallation(InstallationPath(count), installation, error)) {
            std::fprintf(stderr, "link-bench: %s\n", error.c_str());
            std::exit(2);
        }
        found = parsed.emplace(count, std::move(installation)).first;
    }
    return found->second;
}

StDATAINFO StartSession(int count) {
    const hostsim::Installation& installation = ParsedInstallation(count);
    hostsim::UseInstallation(installation);
    static std::unique_ptr<CBenchPlatform> platform;
    SetPlatform(nullptr);
    platform = std::make_unique<CBenchPlatform>(hostsim::MachineOf(installation), "LinkBeta");
    SetPlatform(platform.get());
    auto* dataFiles = static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(kSetKindData, kSetNumberData));
    const StDATAINFO* selected = dataFiles ? dataFiles->GetSelectedInfo() : nullptr;
    if (!selected) {
        std::fprintf(stderr, "link-bench: the installation has no selected data file\n");
        std::exit(2);
    }
    return *selected;
}

}  // namespace bench

// link-headless: the run of LinkAlpha/LinkBeta/LinkGamma on a simulated installation, with a scripted
// user, printing what the user would have seen.
#include <cstdio>
#include <string>

#include "app/LinkApp.h"
#include "headless/HeadlessOptions.h"
#include "headless/HeadlessPlatform.h"
#include "headless/HeadlessRunUi.h"
#include "hostsim/HostSim.h"

int main(int argc, char** argv) {
    HeadlessOptions options;
    std::string error;
    if (!ParseHeadlessOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "link-headless: %s\n%s", error.c_str(), kHeadlessUsage);
        return 2;
    }
    if (!hostsim::LoadInstallationFile(options.installation, error)) {
        std::fprintf(stderr, "link-headless: %s: %s\n", options.installation.c_str(), Cp932ToUtf8(error).c_str());
        return 2;
    }

    CTranscript transcript(stdout);
    CHeadlessPlatform platform(hostsim::MachineOf(*hostsim::Current()), options.edition->programName, transcript,
                               options.answers);
    SetPlatform(&platform);
    CHeadlessRunUi ui(options, transcript);
    platform.SetOwnerDescriber([&ui](WindowHandle owner) {
        const CHeadlessProgressView* progress = ui.LiveProgress();
        return progress && owner == progress->Handle() ? progress->Describe() : std::string();
    });
    int result = 0;
    {
        CLinkApp app(*options.edition, ui);
        app.InitInstance(options.hasCommandLine ? options.commandLine.c_str() : "");
        app.ExitInstance();
        result = app.result;
    }
    transcript.Result(result);
    SetPlatform(nullptr);
    return 0;
}

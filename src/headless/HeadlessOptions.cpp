#include "headless/HeadlessOptions.h"

#include <cstdlib>
#include <cstring>

#include "headless/Transcript.h"

const char kHeadlessUsage[] =
    "usage: link-headless --edition alpha|beta|gamma --installation FILE [--command-line TEXT]\n"
    "                     [--category N] [--output PATH] [--answer yes|no]... [--cancel]\n";

bool ParseHeadlessOptions(int argc, char** argv, HeadlessOptions& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        const bool takesValue = name == "--edition" || name == "--installation" || name == "--command-line" ||
                                name == "--category" || name == "--output" || name == "--answer";
        if (name == "--cancel") {
            options.cancel = true;
            continue;
        }
        if (!takesValue) {
            error = "unknown argument: " + name;
            return false;
        }
        if (i + 1 >= argc) {
            error = name + " needs a value";
            return false;
        }
        const std::string value = argv[++i];
        if (name == "--edition") {
            options.edition = FindEdition(value.c_str());
            if (!options.edition) {
                error = "unknown edition: " + value;
                return false;
            }
        } else if (name == "--installation") {
            options.installation = value;
        } else if (name == "--command-line") {
            options.hasCommandLine = true;
            options.commandLine = Utf8ToCp932(value);
        } else if (name == "--category") {
            char* end = nullptr;
            const long category = std::strtol(value.c_str(), &end, 10);
            if (value.empty() || *end != '\0' || category < 1 || category > 7) {
                error = "--category takes 1 to 7: " + value;
                return false;
            }
            options.category = static_cast<int>(category);
        } else if (name == "--output") {
            options.hasOutput = true;
            options.output = Utf8ToCp932(value);
        } else if (name == "--answer") {
            if (value != "yes" && value != "no") {
                error = "--answer takes yes or no: " + value;
                return false;
            }
            options.answers.push_back(value == "yes");
        }
    }
    if (!options.edition || options.installation.empty()) {
        error = "--edition and --installation are required";
        return false;
    }
    return true;
}

#pragma once
// What differs between the three programs. Each program links its own edition; link-headless picks
// one at run time.

// Version of the programs: string resource 1 and the version resource of every edition.
#define LINK_PROGRAM_VERSION "22.02.00"

// The same in every edition: title given to the host connection and caption of every message box.
inline constexpr const char kAppTitle[] = "所得税(減価償却)";

struct Edition {
    const char* id;                  // "alpha", "beta", "gamma"
    const char* programName;         // "LinkAlpha"
    int appType;                     // application type given to the host connection
    const char* settingsFileName;    // saved settings file in the host's settings folder
    bool keyHasSetNumber;            // settings key "%s/%d/%s:" instead of "%s/%s:"
    const char* defaultProductName;  // PROGRAMNAME when the support information has none
};

extern const Edition kEditionAlpha;
extern const Edition kEditionBeta;
extern const Edition kEditionGamma;

// The edition of the given id, or null.
const Edition* FindEdition(const char* id);

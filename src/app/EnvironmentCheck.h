#pragma once

// True when the installed filing application's level matches this build; otherwise false after the
// host has shown why.
bool CheckEnvironment();

#pragma once

// Status of the installed filing application against this build: 0 matches, -1 definition file
// missing or level empty, 1 level too low, 2 level too high.
int EnvironmentStatus();

// True when the status is 0; otherwise shows the status's message through the host when asked to.
bool CheckEnvironment(bool showMessages);

// Message for a non-zero status, with the host's package-name token still in it.
const char* EnvironmentMessage(int status);

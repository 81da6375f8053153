#pragma once

#include "app/CommandLine.h"

#include <string>

struct TUnattendedResult {
    TExitCode ExitCode = ecSuccess;
    std::wstring Message; // the error's text; empty on success
};

// The listing run without a window, for scheduled inventories: loads the .cfg exactly as the menu's
// load does and runs the listing exactly as the start button does, in a main window that is never
// shown, writing the same bytes to the same file. Returns the outcome instead of showing it.
TUnattendedResult RunUnattended(const std::wstring& configFile);

#pragma once

#include "app/CommandLine.h"

#include <string>

struct TUnattendedResult {
    TExitCode ExitCode = ecSuccess;
    std::wstring Message; // for standard error: the error's text, or what a written listing could not hold
};

// The listing run without a window, for scheduled inventories: loads the .cfg exactly as the menu's
// load does and runs the listing exactly as the start button does, in a main window that is never
// shown, writing the same bytes to the same file. Returns the outcome instead of showing it: a listing
// that was written although folders could not be read ends with ecFoldersUnreadable and a line for
// each of them.
TUnattendedResult RunUnattended(const std::wstring& configFile);

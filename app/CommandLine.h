#pragma once

#include <string>
#include <vector>

// What the program was asked to do by its command line.
enum TCommandKind {
    ckWindow, // no arguments: the main window, as always
    ckUsage,  // "/?": print the usage
    ckRun,    // "/run FILE.cfg" (also "-run", "--run"): the listing run without a window
    ckInvalid // anything else: print the usage as an error
};

struct TCommandLine {
    TCommandKind Kind = ckWindow;
    std::wstring ConfigFile;
};

// The exit codes of the program; a run without a window tells its kind of failure by them.
enum TExitCode {
    ecSuccess = 0,
    ecFailed = 1,            // any other failure, also a run ended early
    ecUsage = 2,             // the command line is not understood
    ecConfigUnreadable = 3,  // the .cfg cannot be read or is not a configuration file
    ecNoRoots = 4,           // the .cfg lists no directory
    ecInvalidDepth = 5,      // a depth of the .cfg is not an integer
    ecOutputNotWritable = 6, // the output file cannot be written
    ecFoldersUnreadable = 7, // the listing was written, but folders could not be read
};

// The arguments after the program's name, split as the platform splits a command line (a path with
// blanks in quotes is one argument).
std::vector<std::wstring> ProgramArguments();

TCommandLine ParseCommandLine(const std::vector<std::wstring>& arguments);

// The text that "/?" prints: the forms of the command line and the exit codes.
std::wstring UsageText();

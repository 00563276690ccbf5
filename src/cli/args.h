// The command line of quilletc, the companion program for scripts and CI:
// its commands, flags and exit codes, and the usage text that lists them.
#pragma once

#include <string>
#include <vector>

#include "core/compiler_version.h"

namespace quillet::cli {

// Each exit code has one meaning.
enum ExitCode : int {
    kExitDone = 0,     // done; for check: nothing found
    kExitFailure = 1,  // failure, the reason on standard error; for check: something found
    kExitUsage = 2,    // the command line was not understood
    kExitKept = 3,     // an existing configuration or batch file was kept
};

enum class Command { Print, Save, Check, Help, Version };

struct Options {
    Command command = Command::Help;
    Version version = Version::None;
    bool complete = true;    // Delphi 3: add the SLib and Bin directories where missing
    std::string compiler;    // --compiler PATH; empty: the detected one
    bool overwrite = false;  // save: replace an existing configuration and batch file
    bool shortcut = false;   // save: also make the desktop shortcut
    bool json = false;       // check: the findings as one JSON object
};

struct ParsedArgs {
    bool ok = false;
    Options options;
    std::string error;  // one line, when !ok
};

// The arguments after the program's name.
ParsedArgs ParseArgs(const std::vector<std::string>& args);

// The --help text: usage, commands, flags, the answers given where the window
// would ask, and the exit codes.
std::string HelpText();

}  // namespace quillet::cli

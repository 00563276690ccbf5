// The command line of quilletc, the companion program for scripts and CI:
// its commands, flags and exit codes, and the usage text that lists them.
#pragma once

#include <string>
#include <vector>

#include "core/compiler_version.h"
#include "core/save_job.h"

namespace quillet::cli {

// Each exit code has one meaning.
enum ExitCode : int {
    kExitDone = 0,     // done; for check: nothing found
    kExitFailure = 1,  // failure, the reason on standard error; for check: something found
    kExitUsage = 2,    // the command line was not understood
    kExitKept = 3,     // an existing configuration or batch file was kept
    kExitDenied = 4,   // save: Windows refused a write (a protected folder); why on standard error
    kExitHiddenCopy = 5,  // check: the VirtualStore holds a copy the compiler reads instead
    // elevated-save, the window's job run as administrator: refused, nothing written
    kExitJobUnreadable = kJobExitUnreadable,
    kExitJobDigest = kJobExitDigest,
    kExitJobFolder = kJobExitFolder,
};

// ElevatedSave is the window's own: it hands a Save that Windows refused to
// an elevated quilletc, and no script needs it.
enum class Command { Print, Save, Check, Help, Version, ElevatedSave };

struct Options {
    Command command = Command::Help;
    Version version = Version::None;
    bool complete = true;    // Delphi 3: add the SLib and Bin directories where missing
    std::string compiler;    // --compiler PATH; empty: the detected one
    bool overwrite = false;  // save: replace an existing configuration and batch file
    bool shortcut = false;   // save: also make the desktop shortcut
    bool json = false;       // check: the findings as one JSON object
    std::string folder, jobPath, digest;  // elevated-save FOLDER JOB SHA256
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

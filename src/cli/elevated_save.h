// quilletc elevated-save: the job of a Save that Windows refused to the
// window, run as administrator. It writes only the version's configuration
// and batch file, and the launcher stub shipped beside quilletc.exe, into the
// one folder its command line names, and only after the job has been found to
// be the one the prompt was shown for. It reads nothing of the user's (no
// HKCU, no desktop): another account's password may have been typed.
#pragma once

#include "cli/args.h"
#include "cli/companion.h"
#include "core/platform.h"

namespace quillet::cli {

// Returns the exit code; what was done goes, one line a file, into JOB.steps,
// the empty file that the window made beside the job (see FillEmptyFile).
int RunElevatedSave(const Options& options, Platform& platform, Output& output);

}  // namespace quillet::cli

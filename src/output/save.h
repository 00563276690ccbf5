// The steps of Save: the configuration beside the compiler, the launcher
// stub, the batch file and the desktop shortcut, each with its questions and
// reports.
#pragma once

#include <string>

#include "core/app_state.h"

namespace quillet {

// The configuration file `cfg` from the text box, asked about first when one
// exists; confirmed when extra messages are on. A text box holding no
// configuration writes nothing. False when Save must stop.
bool WriteConfiguration(Context& ctx, const std::string& cfg);

// The pausing batch file beside `compiler`, asked about first when one
// exists. False when Save must stop.
bool WriteBatchFile(Context& ctx, const std::string& compiler);

// The desktop shortcut to `target`, and the report of how it went.
void CreateShortcutAndReport(Context& ctx, const std::string& target, const std::string& stub);

// Makes sure the launcher stub lies in `dir` (which ends in a separator),
// copying the one beside the program; a failed copy is reported and Save goes
// on. Returns false when the user chose to abort.
bool CheckLauncherStub(Context& ctx, const std::string& dir);

// How the job of a Save that went on as administrator ended. Undone: nothing
// was written (the user refused the prompt, or the configuration failed), so
// the window goes back to how it was before Save. Stopped: Save stops, as
// after a failed write. Done: Save goes on to the shortcut.
enum class JobEnd { Done, Undone, Stopped };

// Runs that job through an elevated quilletc and reports what went wrong as
// Save itself would have.
JobEnd RunSaveJob(Context& ctx, const std::string& cfg, const std::string& compiler);

// The pausing batch file for `compiler`, in ANSI: the compiler's short path
// (its full path when there is no short form, quoted where the command shell
// needs it) followed by " %1", then "pause", each line ended by CR LF.
std::string BatchFileText(Platform& platform, const std::string& compiler);

}  // namespace quillet

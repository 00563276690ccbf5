// Save: writes the configuration beside the compiler, checks the launcher
// stub, writes the batch file and the desktop shortcut.
#pragma once

#include <string>

#include "app/app_state.h"

namespace quillet {

// The "&Save" button's handler; also run by the version switch.
void bSaveClick(Context& ctx);

// Makes sure the launcher stub lies in `dir` (which ends in a separator).
// Returns false when the user chose to abort.
bool CheckLauncherStub(Context& ctx, const std::string& dir);

// The pausing batch file for `compiler`, in ANSI: the compiler's short path
// (its full path when there is no short form, quoted where the command shell
// needs it) followed by " %1", then "pause", each line ended by CR LF.
std::string BatchFileText(Platform& platform, const std::string& compiler);

}  // namespace quillet

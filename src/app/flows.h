// The main window's three flows: the version switch, Create and Save. Each
// ties the configuration and output steps together in the order the user
// sees them; the window's handlers of the same names call these.
#pragma once

#include "core/app_state.h"

namespace quillet {

// The version switch: the click on rD1, rD2 or rD3. It may run Save first.
void rD1Click(Context& ctx);

// "&Update fields": the version switch, unchanged.
void bUpdateClick(Context& ctx);

// "&Create": checks the fields, completes the Delphi 3 lists and builds the
// configuration text into Memo1.
void bCreateClick(Context& ctx);

// "&Save": writes the configuration beside the compiler, then the launcher
// stub, the batch file and the desktop shortcut.
void bSaveClick(Context& ctx);

}  // namespace quillet

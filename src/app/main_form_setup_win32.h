// Small routines the program's windows share.
#pragma once

#include <string>

#include "ui/form.h"

namespace quillet {

class TCFGFace;

// Prepares the main window: icon and caption, the hint timings, the settings
// file path, the remembered position and the extra-messages option.
void SetupMainForm(TCFGFace& form);

// The platform's short (8.3) form of a path; empty when the platform fails.
std::string GetShortPath(const std::string& path);

}  // namespace quillet

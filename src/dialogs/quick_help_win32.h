// The quick-help window: "readme.txt" from the program's directory in a
// read-only text box.
#pragma once

#include <string>

#include "ui/form.h"

namespace quillet {

// The text the window shows: the file's lines, or, when there is no such
// file, an empty line and a sentence naming the expected file.
std::string QuickHelpText(const std::string& exePath);

// Makes a quick-help window over `owner`, shows it modally and destroys it.
void ShowQuickHelp(ui::Form& owner);

}  // namespace quillet

// The desktop shortcut to the launcher stub, and the naming rule that every
// shortcut file of the program follows.
#pragma once

#include <string>

#include "core/platform.h"

namespace quillet {

// Where the shell keeps the current user's desktop folder.
inline constexpr const char* kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr const char* kDesktopValue = "Desktop";

// `name` unchanged when its extension (from its last dot, in any letter case)
// is ".lnk"; otherwise `name` with ".lnk" appended after the whole of it.
std::string WithLinkExtension(const std::string& name);

// The shortcut file for `target` in `desktopDir`: the folder, a backslash, and
// the target's file name with its extension replaced by ".lnk".
std::string DesktopShortcutName(const std::string& desktopDir, const std::string& target);

// Writes a shortcut to `target` (with no arguments) into the desktop folder
// named by the registry. True only when the shortcut was saved and its file
// now points at `target`; false also when the desktop folder is not found or
// no file `target` exists, since a shortcut to nothing helps no one. Reports
// nothing.
bool CreateDesktopShortcut(Platform& platform, const std::string& target);

}  // namespace quillet

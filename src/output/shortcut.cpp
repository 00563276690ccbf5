#include "output/shortcut.h"

#include "core/paths.h"
#include "core/text.h"

namespace quillet {

std::string WithLinkExtension(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && UpperAscii(name.substr(dot)) == ".LNK") return name;
    return name + ".lnk";
}

std::string DesktopShortcutName(const std::string& desktopDir, const std::string& target) {
    return desktopDir + "\\" + ReplaceExtension(ExtractFileName(target), ".lnk");
}

bool CreateDesktopShortcut(Platform& platform, const std::string& target) {
    const std::string desktop =
        platform.ReadRegString(RegRoot::CurrentUser, kShellFoldersKey, kDesktopValue);
    // The "(unable to open registry key)" answer and an empty value name no
    // directory either, so one test covers every way of not finding it.
    if (desktop.empty() || !platform.DirectoryExists(desktop)) return false;
    std::string linkName = DesktopShortcutName(desktop, target);
    platform.CreateLink(target, "", linkName);
    return platform.FileExists(linkName);
}

}  // namespace quillet

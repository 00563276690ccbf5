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
    if (!platform.FileExists(target)) return false;
    std::string linkName = DesktopShortcutName(desktop, target);
    // An old shortcut that could not be replaced still exists under the name,
    // so only a successful save whose file now names the target counts.
    const long result = platform.CreateLink(target, "", linkName);
    // A COM result with its severity bit set is a failure.
    if ((static_cast<unsigned long>(result) & 0x80000000ul) != 0) return false;
    return SamePath(platform.LinkTarget(linkName), target);
}

}  // namespace quillet

#include "components/folder_browser.h"

#include "core/paths.h"

namespace quillet {

TBrowseFlags::TBrowseFlags(std::initializer_list<TBrowseFlag> flags) {
    for (TBrowseFlag flag : flags) Include(flag);
}

int RootCsidl(TRootID root, bool isNT) {
    switch (root) {
    case idDesktop: return 0x00;
    case idInternet: return 0x01;
    case idPrograms: return 0x02;
    case idControlPanel: return 0x03;
    case idPrinters: return 0x04;
    case idPersonal: return 0x05;
    case idFavorites: return 0x06;
    case idStartup: return 0x07;
    case idRecent: return 0x08;
    case idSendTo: return 0x09;
    case idRecycleBin: return 0x0A;
    case idStartMenu: return 0x0B;
    case idDesktopDirectory: return 0x10;
    case idDrives: return 0x11;
    case idNetwork: return 0x12;
    case idNetHood: return 0x13;
    case idFonts: return 0x14;
    case idTemplates: return 0x15;
    case idCommonStartMenu: return isNT ? 0x16 : 0x0B;
    case idCommonPrograms: return isNT ? 0x17 : 0x02;
    case idCommonStartup: return isNT ? 0x18 : 0x07;
    case idCommonDesktopDirectory: return isNT ? 0x19 : 0x10;
    case idAppData: return 0x1A;
    case idPrintHood: return 0x1B;
    case idDesktopExpanded: return 0xFEFE;
    }
    return 0xFEFE;  // not a TRootID: no root, the dialog's own default
}

unsigned BrowseFlagValue(TBrowseFlag flag) {
    switch (flag) {
    case bfDirectoriesOnly: return 0x0001;
    case bfDomainOnly: return 0x0002;
    case bfAncestors: return 0x0008;
    case bfComputers: return 0x1000;
    case bfPrinters: return 0x2000;
    case bfIncludeFiles: return 0x4000;
    }
    return 0;
}

unsigned BrowseFlagsValue(TBrowseFlags options, bool withStatusLine) {
    unsigned value = withStatusLine ? 0x0004u : 0u;
    for (TBrowseFlag flag : {bfDirectoriesOnly, bfDomainOnly, bfAncestors, bfComputers,
                             bfPrinters, bfIncludeFiles}) {
        if (options.Contains(flag)) value |= BrowseFlagValue(flag);
    }
    return value;
}

std::string NormaliseSelectionPath(const std::string& path) {
    if (path.empty()) return path;
    if (path.size() > 3 || path.size() < 2 || path[1] != ':') {
        if (path.back() == '\\') return path.substr(0, path.size() - 1);
        return path;
    }
    if (path.size() == 2) return path + "\\";
    return path;  // "C:\" or a three-character "C:x", both as they are
}

std::optional<bool> DriveRootIsDirectory(const std::string& text, std::uint32_t driveMask) {
    if (text.size() != 3 || text[1] != ':' || text[2] != '\\') return std::nullopt;
    char letter = text[0];
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
    const int distance = static_cast<unsigned char>(letter) - 'A';
    if (distance < 0 || distance > 31) return false;
    return (driveMask >> distance & 1u) != 0;
}

std::string CollapseDirectoryLevel(const std::string& dirPart) {
    if (dirPart.size() == 1 && IsDirSeparator(dirPart[0])) return "";
    std::string rest = dirPart;
    const char leading = !rest.empty() && IsDirSeparator(rest.front()) ? rest.front() : '\0';
    if (leading) rest.erase(0, 1);
    // Only the marker of an earlier collapse is dropped here; a directory whose
    // own name begins with a full stop is collapsed like any other level.
    if (rest.compare(0, 4, kCollapseMarker) == 0) rest.erase(0, 4);
    const auto slash = rest.find_first_of(kDirSeparators);
    if (slash != std::string::npos) {
        rest = kCollapseMarker + rest.substr(slash + 1);
    } else {
        rest.clear();
    }
    if (leading) rest.insert(0, 1, leading);
    return rest;
}

std::string ShortenPathToFit(const std::string& path, int limit, const TextWidthFn& width) {
    const auto split = path.find_last_of("\\/:");
    std::string dir = split == std::string::npos ? std::string() : path.substr(0, split + 1);
    const std::string name = split == std::string::npos ? path : path.substr(split + 1);
    std::string drive;
    if (dir.size() >= 2 && dir[1] == ':') {
        drive = dir.substr(0, 2);
        dir.erase(0, 2);
    }
    std::string candidate = path;
    while (width(candidate) > limit && !(dir.empty() && drive.empty())) {
        if (dir == kBareMarker) {
            drive.clear();
            dir = kCollapseMarker;
        } else if (dir.empty()) {
            drive.clear();
        } else {
            dir = CollapseDirectoryLevel(dir);
        }
        candidate = drive + dir + name;
    }
    return candidate;
}

std::string ShortenTextToFit(const std::string& text, int limit, const TextWidthFn& width) {
    std::string work = text;
    std::string candidate = text;
    while (!work.empty() && width(candidate) > limit) {
        work.pop_back();
        candidate = work + "...";
    }
    return candidate;
}

}  // namespace quillet

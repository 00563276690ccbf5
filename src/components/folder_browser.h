// The platform-free rules of the folder browser TBrowseDirectoryDlg: its root
// and flag enumerations with their shell numbers, the normalising of a
// preselected path, the drive-root half of the directory test, and the two
// ways of shortening a status text to the width of the dialog's status line.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>

namespace quillet {

// The special folder at which the folder tree starts.
enum TRootID : unsigned char {
    idDesktop,
    idInternet,
    idPrograms,
    idControlPanel,
    idPrinters,
    idPersonal,
    idFavorites,
    idStartup,
    idRecent,
    idSendTo,
    idRecycleBin,
    idStartMenu,
    idDesktopDirectory,
    idDrives,
    idNetwork,
    idNetHood,
    idFonts,
    idTemplates,
    idCommonStartMenu,
    idCommonPrograms,
    idCommonStartup,
    idCommonDesktopDirectory,
    idAppData,
    idPrintHood,
    idDesktopExpanded,
};

// Which items may be chosen and shown.
enum TBrowseFlag : unsigned char {
    bfDirectoriesOnly,
    bfDomainOnly,
    bfAncestors,
    bfComputers,
    bfPrinters,
    bfIncludeFiles,
};

// A set of TBrowseFlag, one bit per flag.
class TBrowseFlags {
public:
    constexpr TBrowseFlags() = default;
    TBrowseFlags(std::initializer_list<TBrowseFlag> flags);

    bool Contains(TBrowseFlag flag) const { return (bits_ & Bit(flag)) != 0; }
    TBrowseFlags& Include(TBrowseFlag flag) { bits_ |= Bit(flag); return *this; }
    TBrowseFlags& Exclude(TBrowseFlag flag) { bits_ &= ~Bit(flag); return *this; }
    bool Empty() const { return bits_ == 0; }
    bool operator==(const TBrowseFlags&) const = default;

private:
    static constexpr unsigned char Bit(TBrowseFlag flag) {
        return static_cast<unsigned char>(1u << flag);
    }
    unsigned char bits_ = 0;
};

// The shell's CSIDL number for a root. The four common roots stand for the
// all-users folders on the NT family and for the per-user folders elsewhere.
// idDesktopExpanded gives 0xFEFE, which names no folder: the shell's lookup
// fails and the dialog opens on its own default root.
int RootCsidl(TRootID root, bool isNT);

// The dialog flag (BIF_...) that a TBrowseFlag adds.
unsigned BrowseFlagValue(TBrowseFlag flag);

// The dialog's flags for a run: those of `options`, plus the status-line flag
// (BIF_STATUSTEXT, 4) when `withStatusLine`.
unsigned BrowseFlagsValue(TBrowseFlags options, bool withStatusLine);

// A path as it is sent to the dialog for selection: one trailing backslash is
// removed, except from a drive root ("C:\" stays); a bare drive "C:" gets its
// backslash. Empty stays empty.
std::string NormaliseSelectionPath(const std::string& path);

// The drive-root half of the directory test. For a text of the form letter,
// colon, backslash: whether that drive (letter taken in upper case) is in the
// logical-drive mask (bit 0 = A); a character outside A..A+31 is absent.
// For any other text: no answer, the file system has to be asked.
std::optional<bool> DriveRootIsDirectory(const std::string& text, std::uint32_t driveMask);

// Text width in pixels, as the status line's font measures it.
using TextWidthFn = std::function<int(const std::string&)>;

// Marker that stands for removed directory levels ("...\"), and the directory
// part that is nothing but such a marker ("\...\").
inline constexpr const char* kCollapseMarker = "...\\";
inline constexpr const char* kBareMarker = "\\...\\";

// One level less of a directory part: "\Tools\Delphi 2.0\" gives
// "\...\Delphi 2.0\", "\...\Source\" gives the bare marker, "...\" and a lone
// backslash give empty.
std::string CollapseDirectoryLevel(const std::string& dirPart);

// Shortens a path until `width` of it is at most `limit`: first whole, then
// with ever more leading directory levels replaced by the collapse marker,
// then without its drive, then the name alone. The last candidate stands even
// when it is still too wide.
std::string ShortenPathToFit(const std::string& path, int limit, const TextWidthFn& width);

// Shortens plain text until `width` of it is at most `limit`: the whole text,
// else the longest prefix followed by "...", down to "..." alone.
std::string ShortenTextToFit(const std::string& text, int limit, const TextWidthFn& width);

}  // namespace quillet

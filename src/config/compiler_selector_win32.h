// The open-file selectors OD1, OD2 and OD3 that locate a version's compiler,
// over the common dialog's GetOpenFileNameA. Their settings come from the
// version profiles.
#pragma once

#include <windows.h>

#include <string>

#include "config/profiles.h"
#include "core/compiler_version.h"

namespace quillet {

class TOpenDialog {
public:
    // Pairs of description and pattern joined by "|", e.g.
    // "Delphi 1 command line compiler|dcc.exe".
    std::string Filter;
    // Preset before opening; the chosen full file name after a confirmed open.
    std::string FileName;
    // The folder the dialog opens in. Opening leaves it as it is, so it stays
    // with the selector between openings.
    std::string InitialDir;
    // Extra OFN_ flags: OFN_NOCHANGEDIR, OFN_FILEMUSTEXIST.
    DWORD Options = 0;

    // Runs the dialog modally over `owner`. True when the user confirmed a
    // file; FileName then holds it. Cancelling leaves FileName unchanged.
    bool Execute(HWND owner);

    // The flags passed to GetOpenFileNameA: the explorer-style dialog with an
    // (empty) hook, which keeps the file-name field a plain edit box, plus
    // Options.
    DWORD Flags() const;
};

// "desc|pattern|desc|pattern" as the common dialog wants it: each piece ended
// by a zero byte, and one more zero after the last.
std::string FilterToDoubleZero(const std::string& filter);

// A selector set up from a version's profile (filter, preset name, options).
TOpenDialog MakeCompilerSelector(const Profile& profile);

// OD1, OD2 and OD3, owned by the main window for its lifetime.
class CompilerSelectors {
public:
    CompilerSelectors();

    // The selector of a version; `v` must not be Version::None.
    TOpenDialog& For(Version v);

    // Opens the version's selector; true with the chosen full file name when
    // the user confirmed.
    bool Run(Version v, HWND owner, std::string& fileName);
    void SetInitialDir(Version v, const std::string& dir);

    TOpenDialog OD1, OD2, OD3;
};

}  // namespace quillet

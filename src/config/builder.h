// The steps of Create: the completion of the Delphi 3 lists and the option
// lines of the configuration. This module owns the format of DCC.CFG and
// DCC32.CFG.
#pragma once

#include <string>
#include <vector>

#include "config/profiles.h"
#include "core/app_state.h"

namespace quillet {

// Delphi 3: offers to put the SLib and then the Bin directory in front of the
// unit, include and object lists that lack it. A directory whose name holds
// ";" cannot be a list entry and is not offered.
void CheckDelphi3Paths(Context& ctx);

// Delphi 3's SLib and Bin directories, derived from its registered IDE path
// (C:\D3\BIN\DELPHI32.EXE gives C:\D3\SLib and C:\D3\BIN).
std::string GetSLibDir(Context& ctx);
std::string GetBinDir(Context& ctx);

// The same derivations from an IDE path already read.
std::string SLibDirFromIdePath(const std::string& idePath);
std::string BinDirFromIdePath(const std::string& idePath);

// True when `list` (";"-separated) has no entry naming `dir`. Entries match
// regardless of ASCII letter case and of one trailing backslash.
bool ListLacksDir(const std::string& list, const std::string& dir);

// The field texts a configuration is built from.
struct ConfigFields {
    std::string unit, inc, object, alias;
};

// The option lines of the configuration, without line ends; the file holds
// each followed by CR LF (JoinLines). The values stand as the fields hold
// them, less any CR or LF, so each option stays on its one line.
std::vector<std::string> BuildConfigLines(LineStyle style, const ConfigFields& fields);

}  // namespace quillet

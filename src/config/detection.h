// Finding the chosen version's compiler and filling the four path fields from
// the settings the installed Delphi already holds: the steps of the version
// switch, and the compiler field's [...] button.
#pragma once

#include <string>

#include "core/app_state.h"

namespace quillet {

// What the compiler field reads when the user gave up looking for it.
inline constexpr const char* kNoValidCompiler = "(no valid compiler found)";

// The text for eExepath: the compiler where the profile expects it, else the
// file the user picks, else kNoValidCompiler.
std::string LocateCompiler(Context& ctx);

// Delphi 1: the fields from "delphi.ini", and the \LIB\ directory into eObject.
void FillFieldsFromIni(Context& ctx);

// Delphi 2, Delphi 3 and no version: the fields from the Library key.
void FillFieldsFromRegistry(Context& ctx);

// Tells the user the \LIB\ directory was not found (kind 0 to 3) and offers
// the folder browser.
void ReportLibProblem(Context& ctx, int kind);

// Enables bCreate when the fields the version needs all hold text.
void UpdateCreateButton(Context& ctx);

// The text of eUnit, eInc, eObject or eAlias changed: enables bCreate when
// UpdateCreateButton's rule now holds. Typing never disables it, so an emptied
// field still meets Create's own warnings.
void FieldsChanged(Context& ctx);

// The [...] button of eExepath; Save runs it too when the path names no file.
void eExepathElipsisClick(Context& ctx);

// Where Delphi 1's DCC.EXE is expected from the "SearchPath" of delphi.ini:
// BIN\DCC.EXE beside the directory that the first entry names. Empty when the
// first entry has no separator before its last character.
std::string ExpectedDelphi1Compiler(const std::string& searchPath);

}  // namespace quillet

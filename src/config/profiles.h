// Everything that depends on the compiler version, as one table of data: one
// profile per Delphi version. Detection, the configuration builder and Save
// look their names, keys, selectors, labels and rules up here.
#pragma once

#include <span>

#include "core/app_state.h"
#include "core/compiler_version.h"
#include "core/main_view.h"
#include "core/platform.h"

namespace quillet {

// How Create writes the option lines.
enum class LineStyle {
    Slash,  // Delphi 1: /m, /cw, /r, /i, /u with the values unquoted
    Dash,   // Delphi 2 and 3: -a, then -u, -i, -o with the lists in double quotes
};

// Where the [...] button opens the version's selector.
enum class InitialFolderRule {
    NotSet,           // the selector keeps whatever folder it has
    RegisteredIdeDir, // the registered IDE path's directory, when it exists
};

// A string value in the registry.
struct RegValueRef {
    RegRoot root;
    const char* key;
    const char* value;
};

// The open-file selector that locates a version's compiler.
struct SelectorSettings {
    const char* filter;    // "description|pattern"
    const char* fileName;  // preset file name
    bool noChangeDir;      // keeps the current directory unchanged
    bool fileMustExist;    // only an existing file can be confirmed
    InitialFolderRule initialFolder;
};

struct Profile {
    Version version;
    const char* radioCaption;
    const char* compilerName;    // searched for, and named in messages
    const char* cfgName;         // the configuration's name in messages
    RegValueRef idePath;         // HKLM: the registered IDE path (none for Delphi 1)
    bool fieldsFromIni;          // Delphi 1 reads "delphi.ini", the others the registry
    const char* libraryKey;      // HKCU key with "SearchPath" and "UnitAliases"
    const char* objectCaption;   // caption of lObject
    bool aliasEnabled;           // eAlias and lAlias
    const char* aliasText;       // what applying the profile puts into eAlias
    SelectorSettings selector;
    std::span<const Ctl> createFields;  // Create is enabled when all of these hold text
    bool checksResourceDir;      // Create: eObject must be an existing directory
    bool checksDelphi3Paths;     // Create: the SLib and Bin directories in the lists
    LineStyle lineStyle;
    const char* stubName;        // launcher stub copied by Save
    bool writesBatchFile;        // pausing batch file written by Save
};

// The private-profile source of Delphi 1's search path.
inline constexpr const char* kDelphiIni = "delphi.ini";
inline constexpr const char* kLibrarySection = "Library";
inline constexpr const char* kSearchPathKey = "SearchPath";
inline constexpr const char* kUnitAliasesValue = "UnitAliases";

// The three profiles, Delphi 1 to 3.
std::span<const Profile> AllProfiles();

// The profile of one version; `v` must not be Version::None.
const Profile& ProfileOf(Version v);

// The decisions with no version chosen. The program tests the radio buttons in
// three ways, and each way falls to a fixed side when none is checked:
//
// Decisions that test each version in turn (where the compiler is expected,
// which selector opens, the [...] button, the Delphi 1 and Delphi 3 checks of
// Create, Save's stub and batch file): none applies. Null with no version.
const Profile* FindProfile(Version v);

// Decisions that only ask "is it Delphi 1" (the compiler file name, the profile
// applied to the window, Create's line style and its enable rule): anything
// else is the 32-bit side. Only read aspects that Delphi 2 and 3 share
// through this; with no version it answers Delphi 3's profile.
const Profile& ProfileByDelphi1Test(Version v);

// The decision that only asks "is it Delphi 2" (which registry key fills the
// fields): anything else is Delphi 3.
const Profile& ProfileByDelphi2Test(Version v);

// Applies a profile to the window, before its fields are filled: enables or
// disables eAlias and lAlias, sets eAlias's text, lObject's caption and CfgName,
// in that order.
void ApplyProfile(MainView& view, AppState& state, const Profile& profile);

}  // namespace quillet

#include "config/profiles.h"

#include <array>

#include "base/error.h"

namespace quillet {

namespace {

constexpr std::array<Ctl, 3> kCreateFieldsD1{Ctl::eUnit, Ctl::eInc, Ctl::eObject};
constexpr std::array<Ctl, 4> kCreateFields32{Ctl::eUnit, Ctl::eInc, Ctl::eObject, Ctl::eAlias};

const std::array<Profile, 3> kProfiles{{
    {
        .version = Version::D1,
        .radioCaption = "Delphi &1",
        .compilerName = "DCC.EXE",
        .cfgName = "DCC.CFG",
        .idePath = {RegRoot::LocalMachine, "", ""},
        .fieldsFromIni = true,
        .libraryKey = "",
        .objectCaption = "Resource directories",
        .aliasEnabled = false,
        .aliasText = "(not applicable to Delphi 1)",
        .selector = {.filter = "Delphi 1 command line compiler|dcc.exe",
                     .fileName = "dcc.exe",
                     .noChangeDir = true,
                     .fileMustExist = true,
                     .initialFolder = InitialFolderRule::NotSet},
        .createFields = kCreateFieldsD1,
        .checksResourceDir = true,
        .checksDelphi3Paths = false,
        .lineStyle = LineStyle::Slash,
        .stubName = "lunket.exe",
        .writesBatchFile = false,
    },
    {
        .version = Version::D2,
        .radioCaption = "Delphi &2",
        .compilerName = "dcc32.exe",
        .cfgName = "DCC32.CFG",
        .idePath = {RegRoot::LocalMachine, "SOFTWARE\\Borland\\Delphi\\2.0", "Delphi 2.0"},
        .fieldsFromIni = false,
        .libraryKey = "Software\\Borland\\Delphi\\2.0\\Library",
        .objectCaption = "Object directories",
        .aliasEnabled = true,
        .aliasText = "",
        .selector = {.filter = "Delphi 2 command line compiler|dcc32.exe",
                     .fileName = "dcc32.exe",
                     .noChangeDir = false,
                     .fileMustExist = false,
                     .initialFolder = InitialFolderRule::RegisteredIdeDir},
        .createFields = kCreateFields32,
        .checksResourceDir = false,
        .checksDelphi3Paths = false,
        .lineStyle = LineStyle::Dash,
        .stubName = "LunketD2.exe",
        .writesBatchFile = true,
    },
    {
        .version = Version::D3,
        .radioCaption = "Delphi &3",
        .compilerName = "dcc32.exe",
        .cfgName = "DCC32.CFG",
        .idePath = {RegRoot::LocalMachine, "SOFTWARE\\Borland\\Delphi\\3.0", "Delphi 3"},
        .fieldsFromIni = false,
        .libraryKey = "Software\\Borland\\Delphi\\3.0\\Library",
        .objectCaption = "Object directories",
        .aliasEnabled = true,
        .aliasText = "",
        .selector = {.filter = "Delphi 3 command line compiler|dcc32.exe",
                     .fileName = "dcc32.exe",
                     .noChangeDir = false,
                     .fileMustExist = false,
                     .initialFolder = InitialFolderRule::RegisteredIdeDir},
        .createFields = kCreateFields32,
        .checksResourceDir = false,
        .checksDelphi3Paths = true,
        .lineStyle = LineStyle::Dash,
        .stubName = "LunketD3.exe",
        .writesBatchFile = true,
    },
}};

}  // namespace

std::span<const Profile> AllProfiles() { return kProfiles; }

const Profile& ProfileOf(Version v) {
    switch (v) {
        case Version::D1: return kProfiles[0];
        case Version::D2: return kProfiles[1];
        case Version::D3: return kProfiles[2];
        case Version::None: break;
    }
    throw base::Error("no profile without a version");
}

const Profile* FindProfile(Version v) {
    return v == Version::None ? nullptr : &ProfileOf(v);
}

const Profile& ProfileByDelphi1Test(Version v) {
    return v == Version::None ? ProfileOf(Version::D3) : ProfileOf(v);
}

const Profile& ProfileByDelphi2Test(Version v) {
    return v == Version::D2 ? ProfileOf(Version::D2) : ProfileOf(Version::D3);
}

void ApplyProfile(MainView& view, AppState& state, const Profile& profile) {
    view.SetEnabled(Ctl::eAlias, profile.aliasEnabled);
    view.SetEnabled(Ctl::lAlias, profile.aliasEnabled);
    view.SetText(Ctl::eAlias, profile.aliasText);
    view.SetText(Ctl::lObject, profile.objectCaption);
    state.cfgName = profile.cfgName;
}

}  // namespace quillet

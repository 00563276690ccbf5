// The version profiles: their exact names and keys, applying one to the
// window, and the fixed side each decision falls to with no version chosen.
#include <algorithm>
#include <vector>

#include "app/flows.h"
#include "config/builder.h"
#include "config/detection.h"
#include "config/profiles.h"
#include "fakes.h"

namespace quillet {
namespace {

using testing::Harness;

struct ProfileRow {
    Version version;
    const char* radioCaption;
    const char* compilerName;
    const char* cfgName;
    const char* ideKey;
    const char* ideValue;
    const char* libraryKey;
    const char* objectCaption;
    bool aliasEnabled;
    const char* filter;
    const char* presetName;
    bool noChangeDir;
    bool fileMustExist;
    InitialFolderRule initialFolder;
    LineStyle lineStyle;
    const char* stubName;
    bool writesBatchFile;
};

const ProfileRow kRows[] = {
    {Version::D1, "Delphi &1", "DCC.EXE", "DCC.CFG", "", "", "",
     "Resource directories", false, "Delphi 1 command line compiler|dcc.exe", "dcc.exe", true,
     true, InitialFolderRule::NotSet, LineStyle::Slash, "lunket.exe", false},
    {Version::D2, "Delphi &2", "dcc32.exe", "DCC32.CFG", "SOFTWARE\\Borland\\Delphi\\2.0",
     "Delphi 2.0", "Software\\Borland\\Delphi\\2.0\\Library", "Object directories", true,
     "Delphi 2 command line compiler|dcc32.exe", "dcc32.exe", false, false,
     InitialFolderRule::RegisteredIdeDir, LineStyle::Dash, "LunketD2.exe", true},
    {Version::D3, "Delphi &3", "dcc32.exe", "DCC32.CFG", "SOFTWARE\\Borland\\Delphi\\3.0",
     "Delphi 3", "Software\\Borland\\Delphi\\3.0\\Library", "Object directories", true,
     "Delphi 3 command line compiler|dcc32.exe", "dcc32.exe", false, false,
     InitialFolderRule::RegisteredIdeDir, LineStyle::Dash, "LunketD3.exe", true},
};

TEST(Profiles, HoldTheExactNamesKeysAndSelectorSettings) {
    ASSERT_EQ(AllProfiles().size(), 3u);
    for (const ProfileRow& row : kRows) {
        SCOPED_TRACE(row.radioCaption);
        const Profile& p = ProfileOf(row.version);
        EXPECT_EQ(p.version, row.version);
        EXPECT_STREQ(p.radioCaption, row.radioCaption);
        EXPECT_STREQ(p.compilerName, row.compilerName);
        EXPECT_STREQ(p.cfgName, row.cfgName);
        if (row.version != Version::D1) {
            EXPECT_EQ(p.idePath.root, RegRoot::LocalMachine);
            EXPECT_STREQ(p.idePath.key, row.ideKey);
            EXPECT_STREQ(p.idePath.value, row.ideValue);
        }
        EXPECT_EQ(p.fieldsFromIni, row.version == Version::D1);
        EXPECT_STREQ(p.libraryKey, row.libraryKey);
        EXPECT_STREQ(p.objectCaption, row.objectCaption);
        EXPECT_EQ(p.aliasEnabled, row.aliasEnabled);
        EXPECT_STREQ(p.selector.filter, row.filter);
        EXPECT_STREQ(p.selector.fileName, row.presetName);
        EXPECT_EQ(p.selector.noChangeDir, row.noChangeDir);
        EXPECT_EQ(p.selector.fileMustExist, row.fileMustExist);
        EXPECT_EQ(p.selector.initialFolder, row.initialFolder);
        EXPECT_EQ(p.lineStyle, row.lineStyle);
        EXPECT_STREQ(p.stubName, row.stubName);
        EXPECT_EQ(p.writesBatchFile, row.writesBatchFile);
        EXPECT_EQ(p.checksResourceDir, row.version == Version::D1);
        EXPECT_EQ(p.checksDelphi3Paths, row.version == Version::D3);
        const std::vector<Ctl> fields(p.createFields.begin(), p.createFields.end());
        std::vector<Ctl> expected{Ctl::eUnit, Ctl::eInc, Ctl::eObject};
        if (row.version != Version::D1) expected.push_back(Ctl::eAlias);
        EXPECT_EQ(fields, expected);
    }
    EXPECT_STREQ(ProfileOf(Version::D1).aliasText, "(not applicable to Delphi 1)");
    EXPECT_STREQ(ProfileOf(Version::D2).aliasText, "");
}

TEST(Profiles, Delphi2And3ShareNameCfgNameAndLineStyleButNotKeysSelectorChecksOrStub) {
    const Profile& d2 = ProfileOf(Version::D2);
    const Profile& d3 = ProfileOf(Version::D3);
    EXPECT_STREQ(d2.compilerName, d3.compilerName);
    EXPECT_STREQ(d2.cfgName, d3.cfgName);
    EXPECT_EQ(d2.lineStyle, d3.lineStyle);
    EXPECT_STRNE(d2.idePath.key, d3.idePath.key);
    EXPECT_STRNE(d2.libraryKey, d3.libraryKey);
    EXPECT_STRNE(d2.selector.filter, d3.selector.filter);
    EXPECT_NE(d2.checksDelphi3Paths, d3.checksDelphi3Paths);
    EXPECT_STRNE(d2.stubName, d3.stubName);
}

TEST(Profiles, ApplyingSetsAliasLabelCaptionAndCfgNameInBothDirections) {
    Harness h;
    h.view.SetText(Ctl::eAlias, "A=B");

    ApplyProfile(h.view, h.state, ProfileOf(Version::D1));
    EXPECT_FALSE(h.view.Enabled(Ctl::eAlias));
    EXPECT_FALSE(h.view.Enabled(Ctl::lAlias));
    EXPECT_EQ(h.view.Text(Ctl::eAlias), "(not applicable to Delphi 1)");
    EXPECT_EQ(h.view.Text(Ctl::lObject), "Resource directories");
    EXPECT_EQ(h.state.cfgName, "DCC.CFG");

    for (Version v : {Version::D2, Version::D3}) {
        ApplyProfile(h.view, h.state, ProfileOf(v));
        EXPECT_TRUE(h.view.Enabled(Ctl::eAlias));
        EXPECT_TRUE(h.view.Enabled(Ctl::lAlias));
        EXPECT_EQ(h.view.Text(Ctl::eAlias), "");
        EXPECT_EQ(h.view.Text(Ctl::lObject), "Object directories");
        EXPECT_EQ(h.state.cfgName, "DCC32.CFG");
        ApplyProfile(h.view, h.state, ProfileOf(Version::D1));
        EXPECT_EQ(h.view.Text(Ctl::eAlias), "(not applicable to Delphi 1)");
    }
}

// The three ways the program tests the radio buttons, for every choice.
TEST(Profiles, DecisionsFallToTheirFixedSideWithNoVersion) {
    struct Row {
        Version v;
        const Profile* exact;
        Version byDelphi1Test;
        Version byDelphi2Test;
    };
    const Row rows[] = {
        {Version::D1, &ProfileOf(Version::D1), Version::D1, Version::D3},
        {Version::D2, &ProfileOf(Version::D2), Version::D2, Version::D2},
        {Version::D3, &ProfileOf(Version::D3), Version::D3, Version::D3},
        {Version::None, nullptr, Version::D3, Version::D3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.v));
        EXPECT_EQ(FindProfile(row.v), row.exact);
        EXPECT_EQ(&ProfileByDelphi1Test(row.v), &ProfileOf(row.byDelphi1Test));
        EXPECT_EQ(&ProfileByDelphi2Test(row.v), &ProfileOf(row.byDelphi2Test));
    }
    // With no version the "not Delphi 1" side: dcc32.exe, DCC32.CFG, "-"
    // lines, aliases required.
    const Profile& none = ProfileByDelphi1Test(Version::None);
    EXPECT_STREQ(none.compilerName, "dcc32.exe");
    EXPECT_STREQ(none.cfgName, "DCC32.CFG");
    EXPECT_EQ(none.lineStyle, LineStyle::Dash);
    EXPECT_NE(std::find(none.createFields.begin(), none.createFields.end(), Ctl::eAlias),
              none.createFields.end());
    EXPECT_STREQ(ProfileByDelphi2Test(Version::None).libraryKey,
                 "Software\\Borland\\Delphi\\3.0\\Library");
}

// Every row of the no-version table, through the handlers.
TEST(Profiles, HandlersWithNoVersionChosen) {
    Harness h;
    h.state.extraMessages = false;
    h.platform.AddRegValue(RegRoot::CurrentUser, "Software\\Borland\\Delphi\\3.0\\Library",
                           "SearchPath", "C:\\D3\\LIB");
    h.platform.AddRegValue(RegRoot::CurrentUser, "Software\\Borland\\Delphi\\3.0\\Library",
                           "UnitAliases", "A=B");
    h.platform.AddRegValue(RegRoot::CurrentUser, "Software\\Borland\\Delphi\\2.0\\Library",
                           "SearchPath", "C:\\D2\\LIB");
    // A Delphi 1 installation that must not be consulted.
    h.platform.SetProfile("delphi.ini", "Library", "SearchPath", "C:\\DELPHI\\LIB");
    h.platform.AddFile("C:\\DELPHI\\BIN\\DCC.EXE");

    // Update fields: no expected location, no selector, Delphi 3's key.
    h.prompts.Answer(1).Answer(2);
    bUpdateClick(h.ctx);
    ASSERT_EQ(h.prompts.prompts.size(), 2u);
    EXPECT_EQ(h.prompts.prompts[0].caption, "DCC32.EXE not found");
    EXPECT_NE(h.prompts.prompts[0].message.find(" dcc32.exe at the expected location of . "),
              std::string::npos);
    EXPECT_EQ(h.prompts.prompts[1].caption, "Invalid compiler .EXE selected");
    EXPECT_TRUE(h.prompts.selectorRuns.empty());
    EXPECT_EQ(h.view.Text(Ctl::eExepath), kNoValidCompiler);
    EXPECT_EQ(h.view.Text(Ctl::eUnit), "C:\\D3\\LIB");
    EXPECT_EQ(h.view.Text(Ctl::eAlias), "A=B");
    EXPECT_EQ(h.state.cfgName, "DCC32.CFG");
    EXPECT_EQ(h.view.Text(Ctl::lObject), "Object directories");
    EXPECT_EQ(ChosenVersion(h.view), Version::None);
    EXPECT_TRUE(h.view.Enabled(Ctl::bCreate));

    // Create-enable requires aliases.
    h.view.SetText(Ctl::eAlias, "");
    UpdateCreateButton(h.ctx);
    EXPECT_FALSE(h.view.Enabled(Ctl::bCreate));

    // [...]: no selector, the path becomes empty.
    h.view.SetText(Ctl::eExepath, "C:\\DELPHI\\BIN\\DCC.EXE");
    eExepathElipsisClick(h.ctx);
    EXPECT_EQ(h.view.Text(Ctl::eExepath), "");
    EXPECT_TRUE(h.prompts.selectorRuns.empty());
    EXPECT_TRUE(h.prompts.initialDirs.empty());

    // Create: neither the Delphi 1 nor the Delphi 3 check, "-" lines.
    h.view.SetText(Ctl::eExepath, "C:\\DELPHI\\BIN\\DCC.EXE");
    h.view.SetText(Ctl::eObject, "");
    const std::size_t promptsBefore = h.prompts.prompts.size();
    bCreateClick(h.ctx);
    EXPECT_EQ(h.prompts.prompts.size(), promptsBefore);
    EXPECT_EQ(h.view.Text(Ctl::Memo1), "-a\r\n-u\"C:\\D3\\LIB\"\r\n-i\"C:\\D3\\LIB\"\r\n-o\"\"\r\n");
    h.prompts.ExpectScriptUsed();
}

}  // namespace
}  // namespace quillet

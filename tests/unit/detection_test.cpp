// The version switch: locating the compiler, filling the fields from
// delphi.ini or the registry, the library problems and the [...] button.
#include <map>

#include "app/flows.h"
#include "config/detection.h"
#include "config/profiles.h"
#include "fakes.h"

namespace quillet {
namespace {

using testing::FakePlatform;
using testing::FakePrompts;
using testing::FakeView;
using testing::Harness;
using testing::Prompt;

constexpr const char* kD2Ide = "SOFTWARE\\Borland\\Delphi\\2.0";
constexpr const char* kD3Ide = "SOFTWARE\\Borland\\Delphi\\3.0";
constexpr const char* kD2Lib = "Software\\Borland\\Delphi\\2.0\\Library";
constexpr const char* kD3Lib = "Software\\Borland\\Delphi\\3.0\\Library";

Prompt NotFound(const std::string& name, const std::string& expected) {
    std::string caption = name == "DCC.EXE" ? "DCC.EXE not found" : "DCC32.EXE not found";
    return {"The application did not find " + name + " at the expected location of " + expected +
                ". Please select it now using the file selector. The correct path is essential "
                "to the successful completion of this procedure.",
            caption, "&OK", "", "", 48, 1};
}

Prompt InvalidCompiler(const std::string& name) {
    return {"You did not select a valid " + name +
                " command line compiler. You must select this file on your system to "
                "continue.\n\nDo you wish to retry the search?.",
            "Invalid compiler .EXE selected", "&Retry", "&Ignore", "", 48, 1};
}

const Prompt kUnsaved{
    "You have an unsaved configuration currently in the interface. Do you wish to save it "
    "first or clear all fields for a new configuration file?",
    "Unsaved configuration detected", "&Save", "&Clear", "", 32, 2};

const Prompt kFilled{
    "Data for .CFG fields has been automatically filled in based on registry or .INI settings "
    "for your selected compiler. Press Create to generate and edit .CFG data for the "
    "configuration file.",
    "Essential fields filled", "&OK", "", "", 0, 1};

Prompt LibProblem(const std::string& text) {
    return {text + "\n\n Would you like to select this directory manually?",
            "Resource directory detection error", "&Select", "&Ignore", "", 32, 1};
}

const char* const kLibTexts[] = {
    "A \\LIB\\ directory was not found in Delphi 1's expected location.",
    "A valid \\LIB\\ directory was not found in Delphi 1's search path.",
    "The \\LIB\\ dir in Delphi 1's search path no longer exists on your system or can't be "
    "found.",
    "SYSUTILS.DCU was not found in the expected \\LIB\\ directory, indicating that the expected "
    "directory is not a valid \\LIB\\ directory.",
};

// A Delphi 1 installed as C:\DELPHI, and Delphi 2 and 3 as C:\D2 and C:\D3.
void InstallDelphis(FakePlatform& p) {
    p.SetProfile("delphi.ini", "Library", "SearchPath", "C:\\DELPHI\\LIB;C:\\DELPHI\\MYLIB");
    p.AddFile("C:\\DELPHI\\BIN\\DCC.EXE");
    p.AddDir("C:\\DELPHI\\LIB");
    p.AddFile("C:\\DELPHI\\LIB\\SYSUTILS.DCU");
    p.AddRegValue(RegRoot::LocalMachine, kD2Ide, "Delphi 2.0", "C:\\D2\\BIN\\DELPHI32.EXE");
    p.AddRegValue(RegRoot::LocalMachine, kD3Ide, "Delphi 3", "C:\\D3\\BIN\\DELPHI32.EXE");
    p.AddDir("C:\\D2\\BIN");
    p.AddDir("C:\\D3\\BIN");
    p.AddFile("C:\\D2\\BIN\\dcc32.exe");
    p.AddFile("C:\\D3\\BIN\\dcc32.exe");
    p.AddRegValue(RegRoot::CurrentUser, kD2Lib, "SearchPath", "C:\\D2\\LIB");
    p.AddRegValue(RegRoot::CurrentUser, kD2Lib, "UnitAliases", "WinTypes=Windows");
    p.AddRegValue(RegRoot::CurrentUser, kD3Lib, "SearchPath", "C:\\D3\\LIB;C:\\D3\\SLib");
    p.AddRegValue(RegRoot::CurrentUser, kD3Lib, "UnitAliases", "WinProcs=Windows");
}

struct Installed : Harness {
    Installed() {
        state.extraMessages = false;
        InstallDelphis(platform);
    }
    void Switch(Version v) {
        view.Choose(v);
        rD1Click(ctx);
    }
};

TEST(ExpectedDelphi1Compiler, FromTheFirstSearchPathEntry) {
    const std::pair<const char*, const char*> rows[] = {
        {"C:\\DELPHI\\LIB;C:\\MYLIB", "C:\\DELPHI\\BIN\\DCC.EXE"},
        {"C:\\DELPHI\\LIB", "C:\\DELPHI\\BIN\\DCC.EXE"},
        {"C:\\DELPHI\\LIB\\", "C:\\DELPHI\\BIN\\DCC.EXE"},
        {"C:\\DELPHI\\LIB\\;D:\\X", "C:\\DELPHI\\BIN\\DCC.EXE"},
        {"SearchPath=D:\\D1\\LIB;C:\\X", "D:\\D1\\BIN\\DCC.EXE"},
        {"\\DELPHI\\LIB", "\\DELPHI\\BIN\\DCC.EXE"},
        {"C:\\LIB", "C:\\BIN\\DCC.EXE"},
        {"C:/DELPHI/LIB/;C:/X", "C:/DELPHI/BIN\\DCC.EXE"},
        // no backslash before the last character: no expected location
        {"", ""},
        {"LIB", ""},
        {"C:\\", ""},
        {"\\", ""},
        {";C:\\DELPHI\\LIB", ""},
    };
    for (const auto& [searchPath, expected] : rows) {
        EXPECT_EQ(ExpectedDelphi1Compiler(searchPath), expected) << searchPath;
    }
}

TEST(VersionSwitch, FillsEachVersionFromItsSource) {
    struct Row {
        Version v;
        const char* exe;
        const char* unit;
        const char* object;
        const char* alias;
        bool aliasEnabled;
        const char* objectCaption;
        const char* cfgName;
    };
    const Row rows[] = {
        {Version::D1, "C:\\DELPHI\\BIN\\DCC.EXE", "C:\\DELPHI\\LIB;C:\\DELPHI\\MYLIB",
         "C:\\DELPHI\\LIB", "(not applicable to Delphi 1)", false, "Resource directories",
         "DCC.CFG"},
        {Version::D2, "C:\\D2\\BIN\\dcc32.exe", "C:\\D2\\LIB", "C:\\D2\\LIB", "WinTypes=Windows",
         true, "Object directories", "DCC32.CFG"},
        {Version::D3, "C:\\D3\\BIN\\dcc32.exe", "C:\\D3\\LIB;C:\\D3\\SLib",
         "C:\\D3\\LIB;C:\\D3\\SLib", "WinProcs=Windows", true, "Object directories",
         "DCC32.CFG"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.exe);
        Installed h;
        h.view.SetEnabled(Ctl::bSave, true);
        h.view.SetEnabled(Ctl::bCreate, false);
        h.Switch(row.v);
        EXPECT_TRUE(h.prompts.prompts.empty());
        EXPECT_EQ(h.view.Text(Ctl::eExepath), row.exe);
        EXPECT_EQ(h.view.Text(Ctl::eUnit), row.unit);
        EXPECT_EQ(h.view.Text(Ctl::eInc), row.unit);
        EXPECT_EQ(h.view.Text(Ctl::eObject), row.object);
        EXPECT_EQ(h.view.Text(Ctl::eAlias), row.alias);
        EXPECT_EQ(h.view.Enabled(Ctl::eAlias), row.aliasEnabled);
        EXPECT_EQ(h.view.Enabled(Ctl::lAlias), row.aliasEnabled);
        EXPECT_EQ(h.view.Text(Ctl::lObject), row.objectCaption);
        EXPECT_EQ(h.state.cfgName, row.cfgName);
        EXPECT_TRUE(h.state.fieldsFilled);
        EXPECT_FALSE(h.view.Enabled(Ctl::bSave));
        EXPECT_TRUE(h.view.Enabled(Ctl::bCreate));
    }
}

TEST(VersionSwitch, ConfirmsWithExtraMessagesOn) {
    Installed h;
    h.state.extraMessages = true;
    h.prompts.Answer(1);
    h.Switch(Version::D2);
    ASSERT_EQ(h.prompts.prompts.size(), 1u);
    EXPECT_EQ(h.prompts.prompts[0], kFilled);
}

TEST(VersionSwitch, SwitchingBetweenDelphi1And2TogglesTheAliasField) {
    Installed h;
    h.Switch(Version::D1);
    EXPECT_EQ(h.view.Text(Ctl::eAlias), "(not applicable to Delphi 1)");
    EXPECT_FALSE(h.view.Enabled(Ctl::eAlias));
    h.state.fieldsFilled = false;  // as after a Save: nothing is asked
    h.Switch(Version::D2);
    EXPECT_TRUE(h.view.Enabled(Ctl::eAlias));
    EXPECT_EQ(h.view.Text(Ctl::eAlias), "WinTypes=Windows");
    h.state.fieldsFilled = false;
    h.Switch(Version::D1);
    EXPECT_FALSE(h.view.Enabled(Ctl::eAlias));
    EXPECT_FALSE(h.view.Enabled(Ctl::lAlias));
    EXPECT_EQ(h.view.Text(Ctl::eAlias), "(not applicable to Delphi 1)");
    EXPECT_EQ(h.view.Text(Ctl::lObject), "Resource directories");
}

TEST(VersionSwitch, ObjectLabelLosesItsColonForGood) {
    for (Version v : {Version::D1, Version::D2, Version::D3, Version::None}) {
        Installed h;
        if (v == Version::None) h.prompts.Answer(1).Answer(2);  // notice, then Ignore
        h.Switch(v);
        const std::string caption = h.view.Text(Ctl::lObject);
        EXPECT_TRUE(caption == "Resource directories" || caption == "Object directories")
            << caption;
    }
}

TEST(VersionSwitch, Delphi1SingleEntryWithOrWithoutTrailingBackslashFindsTheCompiler) {
    for (const char* searchPath : {"C:\\DELPHI\\LIB", "C:\\DELPHI\\LIB\\"}) {
        Installed h;
        h.platform.SetProfile("delphi.ini", "Library", "SearchPath", searchPath);
        h.Switch(Version::D1);
        EXPECT_TRUE(h.prompts.prompts.empty()) << searchPath;
        EXPECT_EQ(h.view.Text(Ctl::eExepath), "C:\\DELPHI\\BIN\\DCC.EXE");
    }
}

// The notice, the selector and the retry question, in order, as scripted.
TEST(LocateCompiler, NoticeSelectorAndRetryLoop) {
    struct Row {
        const char* name;
        Version v;
        std::vector<std::pair<bool, std::string>> selections;  // confirmed, file
        std::vector<int> retryAnswers;
        std::string result;
    };
    const Row rows[] = {
        {"picked at once", Version::D1, {{true, "D:\\DCC.EXE"}}, {}, "D:\\DCC.EXE"},
        {"cancelled then ignored", Version::D1, {{false, ""}}, {2}, kNoValidCompiler},
        {"escape gives the last button", Version::D2, {{false, ""}}, {2}, kNoValidCompiler},
        {"closing the dialog", Version::D3, {{false, ""}}, {2}, kNoValidCompiler},
        {"retry then a good file", Version::D2, {{false, ""}, {true, "D:\\dcc32.exe"}}, {1},
         "D:\\dcc32.exe"},
        {"a name that is no file, retry, cancel, ignore", Version::D3,
         {{true, "D:\\nothing.exe"}, {false, ""}}, {1, 2}, kNoValidCompiler},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Harness h;
        h.state.extraMessages = false;
        h.platform.AddFile("D:\\DCC.EXE");
        h.platform.AddFile("D:\\dcc32.exe");
        h.view.Choose(row.v);
        for (const auto& [confirmed, file] : row.selections) {
            confirmed ? h.prompts.SelectFile(file) : h.prompts.CancelSelector();
        }
        // Each round: the notice, then (after the selector) the retry question.
        for (std::size_t i = 0; i < row.selections.size(); ++i) {
            h.prompts.Answer(1);  // notice
            if (i < row.retryAnswers.size()) h.prompts.Answer(row.retryAnswers[i]);
        }

        EXPECT_EQ(LocateCompiler(h.ctx), row.result);

        const std::string name = ProfileOf(row.v).compilerName;
        // With no registry and no delphi.ini the expected path is "dcc32.exe"
        // for Delphi 2 and 3 and empty for Delphi 1.
        const std::string expected = row.v == Version::D1 ? "" : "dcc32.exe";
        std::vector<std::string> events;
        std::vector<Prompt> prompts;
        for (std::size_t i = 0; i < row.selections.size(); ++i) {
            events.push_back("dialog:" + NotFound(name, expected).caption);
            prompts.push_back(NotFound(name, expected));
            events.push_back("selector:" + std::to_string(static_cast<int>(row.v)));
            if (i < row.retryAnswers.size()) {
                events.push_back("dialog:Invalid compiler .EXE selected");
                prompts.push_back(InvalidCompiler(name));
            }
        }
        EXPECT_EQ(h.prompts.events, events);
        EXPECT_EQ(h.prompts.prompts, prompts);
        h.prompts.ExpectScriptUsed();
    }
}

TEST(LocateCompiler, NoticeNamesTheExpectedPathOfEachVersion) {
    struct Row {
        Version v;
        std::string expected;
    };
    const Row rows[] = {
        {Version::D1, "C:\\DELPHI\\BIN\\DCC.EXE"},
        {Version::D2, "C:\\D2\\BIN\\dcc32.exe"},
        {Version::D3, "C:\\D3\\BIN\\dcc32.exe"},
    };
    for (const Row& row : rows) {
        Installed h;
        h.platform.files.clear();  // installed settings, but no compilers
        h.view.Choose(row.v);
        h.prompts.Answer(1).CancelSelector().Answer(2);
        EXPECT_EQ(LocateCompiler(h.ctx), kNoValidCompiler);
        ASSERT_EQ(h.prompts.prompts.size(), 2u);
        EXPECT_EQ(h.prompts.prompts[0], NotFound(ProfileOf(row.v).compilerName, row.expected));
        EXPECT_EQ(h.prompts.selectorRuns, std::vector<Version>{row.v});
    }
}

TEST(LocateCompiler, MissingIdeKeyExpectsABareFileName) {
    Harness h;
    h.view.Choose(Version::D3);
    h.prompts.Answer(1).CancelSelector().Answer(2);
    LocateCompiler(h.ctx);
    ASSERT_FALSE(h.prompts.prompts.empty());
    EXPECT_EQ(h.prompts.prompts[0], NotFound("dcc32.exe", "dcc32.exe"));
}

// A window that watches its fields when the compiler search begins, after
// the unsaved-configuration step has done its work.
struct WatchingPrompts : FakePrompts {
    MainView* view = nullptr;
    std::map<Ctl, std::string> seen;
    int ShowMessageDialog(const std::string& message, const std::string& caption,
                          const std::string& b1, const std::string& b2, const std::string& b3,
                          int icon, unsigned char def) override {
        if (caption.ends_with(" not found") && seen.empty()) {
            for (Ctl c : {Ctl::eUnit, Ctl::eInc, Ctl::eObject, Ctl::eAlias, Ctl::Memo1}) {
                seen[c] = view->Text(c);
            }
        }
        return FakePrompts::ShowMessageDialog(message, caption, b1, b2, b3, icon, def);
    }
};

TEST(VersionSwitch, UnsavedConfigurationQuestionIsAskedOnlyWhenItShouldBe) {
    struct Row {
        const char* name;
        bool fieldsFilled;
        Ctl holdsText;
        bool asked;
    };
    const Row rows[] = {
        {"unit", true, Ctl::eUnit, true},
        {"include", true, Ctl::eInc, true},
        {"object", true, Ctl::eObject, true},
        {"only the memo", true, Ctl::Memo1, true},
        {"only the alias", true, Ctl::eAlias, false},
        {"memo, but not filled since the last save", false, Ctl::Memo1, false},
        {"unit, but not filled", false, Ctl::eUnit, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Installed h;
        h.state.fieldsFilled = row.fieldsFilled;
        h.view.SetText(row.holdsText, "something");
        if (row.asked) h.prompts.Answer(2);
        h.Switch(Version::D2);
        if (row.asked) {
            ASSERT_EQ(h.prompts.prompts.size(), 1u);
            EXPECT_EQ(h.prompts.prompts[0], kUnsaved);
        } else {
            EXPECT_TRUE(h.prompts.prompts.empty());
        }
        h.prompts.ExpectScriptUsed();
    }
}

TEST(VersionSwitch, ClearEmptiesAllFourFieldsAndTheMemo) {
    for (int answer : {2, 3}) {  // "&Clear", and any other answer
        FakePlatform platform;
        WatchingPrompts prompts;
        FakeView view;
        AppState state;
        Context ctx{platform, prompts, view, state};
        prompts.view = &view;
        state.extraMessages = false;
        state.fieldsFilled = true;
        for (Ctl c : {Ctl::eUnit, Ctl::eInc, Ctl::eObject, Ctl::eAlias, Ctl::Memo1}) {
            view.SetText(c, "old");
        }
        view.Choose(Version::D1);  // no delphi.ini: the compiler notice follows
        prompts.Answer(answer).Answer(1).CancelSelector().Answer(2).Answer(2);
        rD1Click(ctx);
        for (const auto& [ctl, text] : prompts.seen) {
            EXPECT_EQ(text, "") << static_cast<int>(ctl);
        }
        EXPECT_EQ(prompts.seen.size(), 5u);
        EXPECT_EQ(view.Text(Ctl::Memo1), "");
        // Kind 0 ignored: the object field stays as the clearing left it.
        EXPECT_EQ(view.Text(Ctl::eObject), "");
        prompts.ExpectScriptUsed();
    }
}

TEST(VersionSwitch, SaveAnswerRunsSaveBeforeTheSearch) {
    Installed h;
    h.view.Choose(Version::D2);
    h.view.SetText(Ctl::eExepath, "C:\\D2\\BIN\\dcc32.exe");
    h.view.SetText(Ctl::Memo1, "-aX\r\n");
    h.state.fieldsFilled = true;
    h.platform.AddFile("C:\\D2\\BIN\\LunketD2.exe");
    h.prompts.Answer(1);
    rD1Click(h.ctx);
    ASSERT_FALSE(h.prompts.prompts.empty());
    EXPECT_EQ(h.prompts.prompts[0], kUnsaved);
    // Save wrote the configuration beside the compiler.
    EXPECT_EQ(h.platform.Content("C:\\D2\\BIN\\dcc32.cfg"), "-aX\r\n");
    // and the switch went on to fill the fields.
    EXPECT_EQ(h.view.Text(Ctl::eUnit), "C:\\D2\\LIB");
    EXPECT_TRUE(h.state.fieldsFilled);
    EXPECT_FALSE(h.view.Enabled(Ctl::bSave));
}

TEST(VersionSwitch, UpdateFieldsRepeatsTheWholeSwitchWithTheQuestion) {
    Installed h;
    h.Switch(Version::D3);
    EXPECT_TRUE(h.prompts.prompts.empty());
    h.view.SetText(Ctl::eUnit, "edited");
    h.prompts.Answer(2);
    bUpdateClick(h.ctx);
    ASSERT_EQ(h.prompts.prompts.size(), 1u);
    EXPECT_EQ(h.prompts.prompts[0], kUnsaved);
    EXPECT_EQ(h.view.Text(Ctl::eUnit), "C:\\D3\\LIB;C:\\D3\\SLib");
}

TEST(VersionSwitch, MissingLibraryKeyFillsAllFourFieldsAndEnablesCreate) {
    Installed h;
    h.platform.reg.erase({RegRoot::CurrentUser, UpperAscii(kD3Lib)});
    h.view.SetEnabled(Ctl::bCreate, false);
    h.Switch(Version::D3);
    for (Ctl c : {Ctl::eUnit, Ctl::eInc, Ctl::eObject, Ctl::eAlias}) {
        EXPECT_EQ(h.view.Text(c), "(unable to open registry key)");
    }
    EXPECT_TRUE(h.view.Enabled(Ctl::bCreate));
}

TEST(VersionSwitch, MissingValuesReadEmptyAndDisableCreate) {
    Installed h;
    h.platform.reg[{RegRoot::CurrentUser, UpperAscii(kD2Lib)}].values.erase("UnitAliases");
    h.Switch(Version::D2);
    EXPECT_EQ(h.view.Text(Ctl::eAlias), "");
    EXPECT_FALSE(h.view.Enabled(Ctl::bCreate));
}

// FillFieldsFromIni's \LIB detection, and ReportLibProblem's four kinds.
TEST(FillFieldsFromIni, LibraryProblemsOfEachKind) {
    struct Row {
        const char* searchPath;
        bool dirExists;
        bool sysutilsExists;
        int kind;  // -1: no problem
        const char* object;
    };
    const Row rows[] = {
        {"C:\\DELPHI\\LIB;C:\\DELPHI\\MYLIB", true, true, -1, "C:\\DELPHI\\LIB"},
        {"c:\\delphi\\lib", true, true, -1, "c:\\delphi\\lib"},
        {"C:\\DELPHI\\LIBRARY;C:\\X", true, true, -1, "C:\\DELPHI\\LIB"},
        {"", false, false, 0, "OLD"},
        {"C:\\DELPHI\\UNITS", true, true, 0, "OLD"},
        {"\\DELPHI\\LIB", true, true, 1, "OLD"},
        {"C:\\DELPHI\\LIB", false, false, 2, "OLD"},
        // An entry with a drive before a "\LIB" entry without one.
        {"C:\\TOOLS;\\DELPHI\\LIB", true, true, 2, "OLD"},
        {"C:\\DELPHI\\LIB", true, false, 3, "OLD"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.searchPath);
        Harness h;
        h.view.Choose(Version::D1);
        h.view.SetText(Ctl::eObject, "OLD");
        h.platform.SetProfile("delphi.ini", "Library", "SearchPath", row.searchPath);
        if (row.dirExists) {
            h.platform.AddDir("C:\\DELPHI\\LIB");
        }
        if (row.sysutilsExists) {
            h.platform.AddFile("C:\\DELPHI\\LIB\\SYSUTILS.DCU");
        }
        if (row.kind >= 0) h.prompts.Answer(2);

        FillFieldsFromIni(h.ctx);

        EXPECT_EQ(h.view.Text(Ctl::eUnit), row.searchPath);
        EXPECT_EQ(h.view.Text(Ctl::eInc), row.searchPath);
        EXPECT_EQ(h.view.Text(Ctl::eObject), row.object);
        if (row.kind >= 0) {
            ASSERT_EQ(h.prompts.prompts.size(), 1u);
            EXPECT_EQ(h.prompts.prompts[0], LibProblem(kLibTexts[row.kind]));
        } else {
            EXPECT_TRUE(h.prompts.prompts.empty());
        }
        EXPECT_EQ(h.prompts.browseRuns, 0);
        h.prompts.ExpectScriptUsed();
    }
}

TEST(ReportLibProblem, SelectOpensTheBrowserAndReevaluatesCreate) {
    struct Row {
        const char* name;
        int answer;
        bool browse;        // the browser opens
        bool choose;        // the user confirms a folder there
        const char* object;
        bool createEnabled;
    };
    const Row rows[] = {
        {"select and choose", 1, true, true, "D:\\ANY", true},
        {"select and cancel", 1, true, false, "", false},
        {"ignore", 2, false, false, "", false},
        {"a third answer counts as select", 3, true, true, "D:\\ANY", true},
    };
    for (int kind = 0; kind <= 3; ++kind) {
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            Harness h;
            h.view.Choose(Version::D1);
            h.view.SetText(Ctl::eUnit, "C:\\U");
            h.view.SetText(Ctl::eInc, "C:\\U");
            h.view.SetEnabled(Ctl::bCreate, false);
            h.prompts.Answer(row.answer);
            if (row.browse) row.choose ? h.prompts.ChooseFolder("D:\\ANY") : h.prompts.CancelBrowser();

            ReportLibProblem(h.ctx, kind);

            EXPECT_EQ(h.prompts.prompts, std::vector<Prompt>{LibProblem(kLibTexts[kind])});
            EXPECT_EQ(h.prompts.browseRuns, row.browse ? 1 : 0);
            EXPECT_EQ(h.view.Text(Ctl::eObject), row.object);
            EXPECT_EQ(h.view.Enabled(Ctl::bCreate), row.createEnabled);
            h.prompts.ExpectScriptUsed();
        }
    }
}

TEST(FillFieldsFromRegistry, KeyIsDelphi2sOnlyForDelphi2) {
    for (Version v : {Version::D2, Version::D3, Version::None}) {
        Installed h;
        h.view.Choose(v);
        FillFieldsFromRegistry(h.ctx);
        const bool d2 = v == Version::D2;
        EXPECT_EQ(h.view.Text(Ctl::eUnit), d2 ? "C:\\D2\\LIB" : "C:\\D3\\LIB;C:\\D3\\SLib");
        EXPECT_EQ(h.view.Text(Ctl::eInc), h.view.Text(Ctl::eUnit));
        EXPECT_EQ(h.view.Text(Ctl::eObject), h.view.Text(Ctl::eUnit));
        EXPECT_EQ(h.view.Text(Ctl::eAlias), d2 ? "WinTypes=Windows" : "WinProcs=Windows");
        EXPECT_EQ(h.state.cfgName, "DCC32.CFG");
    }
}

TEST(ElipsisClick, OpensTheVersionsSelectorWithItsInitialFolderRule) {
    struct Row {
        const char* name;
        Version v;
        bool ideDirExists;
        bool confirm;
        const char* initialDir;  // null: not set
        const char* result;
    };
    const Row rows[] = {
        {"D1 confirmed", Version::D1, true, true, nullptr, "E:\\PICKED.EXE"},
        {"D1 cancelled", Version::D1, true, false, nullptr, "before"},
        {"D2 confirmed", Version::D2, true, true, "C:\\D2\\BIN", "E:\\PICKED.EXE"},
        {"D2 without its IDE directory", Version::D2, false, true, nullptr, "E:\\PICKED.EXE"},
        {"D3 cancelled", Version::D3, true, false, "C:\\D3\\BIN", "before"},
        {"no version", Version::None, true, true, nullptr, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Installed h;
        if (!row.ideDirExists) h.platform.dirs.clear();
        h.view.Choose(row.v);
        h.view.SetText(Ctl::eExepath, "before");
        if (row.v != Version::None) {
            row.confirm ? h.prompts.SelectFile("E:\\PICKED.EXE") : h.prompts.CancelSelector();
        }

        eExepathElipsisClick(h.ctx);

        EXPECT_EQ(h.view.Text(Ctl::eExepath), row.result);
        if (row.initialDir == nullptr) {
            EXPECT_TRUE(h.prompts.initialDirs.empty());
        } else {
            EXPECT_EQ(h.prompts.initialDirs[row.v], row.initialDir);
            // The folder is set before the selector opens.
            ASSERT_EQ(h.prompts.events.size(), 2u);
            EXPECT_EQ(h.prompts.events[0], std::string("initialdir:") + row.initialDir);
        }
        const std::vector<Version> runs =
            row.v == Version::None ? std::vector<Version>{} : std::vector<Version>{row.v};
        EXPECT_EQ(h.prompts.selectorRuns, runs);
        EXPECT_TRUE(h.prompts.prompts.empty());
        // The fields are not refilled.
        EXPECT_EQ(h.view.Text(Ctl::eUnit), "");
        h.prompts.ExpectScriptUsed();
    }
}

// The same rule after a version switch and after typing; typing only enables.
TEST(UpdateCreateButton, NeedsAliasesExceptForDelphi1) {
    struct Row {
        Version v;
        bool unit, inc, object, alias;
        bool enabled;
    };
    const Row rows[] = {
        {Version::D1, true, true, true, false, true},
        {Version::D1, true, true, false, true, false},
        {Version::D1, false, true, true, true, false},
        {Version::D2, true, true, true, false, false},
        {Version::D2, true, true, true, true, true},
        {Version::D3, true, false, true, true, false},
        {Version::D3, true, true, true, true, true},
        {Version::None, true, true, true, false, false},
        {Version::None, true, true, true, true, true},
    };
    for (const Row& row : rows) {
        Harness h;
        h.view.Choose(row.v);
        h.view.SetText(Ctl::eUnit, row.unit ? "u" : "");
        h.view.SetText(Ctl::eInc, row.inc ? "i" : "");
        h.view.SetText(Ctl::eObject, row.object ? "o" : "");
        h.view.SetText(Ctl::eAlias, row.alias ? "a" : "");
        h.view.SetEnabled(Ctl::bCreate, !row.enabled);
        SCOPED_TRACE(::testing::Message() << static_cast<int>(row.v) << row.unit << row.inc
                                          << row.object << row.alias);
        UpdateCreateButton(h.ctx);
        EXPECT_EQ(h.view.Enabled(Ctl::bCreate), row.enabled);
        h.view.SetEnabled(Ctl::bCreate, false);
        FieldsChanged(h.ctx);
        EXPECT_EQ(h.view.Enabled(Ctl::bCreate), row.enabled) << "typing";
        h.view.SetEnabled(Ctl::bCreate, true);
        FieldsChanged(h.ctx);
        EXPECT_TRUE(h.view.Enabled(Ctl::bCreate)) << "typing never disables Create";
    }
}

}  // namespace
}  // namespace quillet

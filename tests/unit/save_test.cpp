// Save: the nine steps, every prompt word for word, the order of the steps and
// the state of the Save button on every path.
#include <gtest/gtest.h>

#include "app/flows.h"
#include "fakes.h"
#include "output/save.h"

namespace quillet::testing {
namespace {

constexpr const char* kD2Compiler = "C:\\DELPHI\\BIN\\DCC32.EXE";
constexpr const char* kD2Cfg = "C:\\DELPHI\\BIN\\DCC32.cfg";
constexpr const char* kD2Bat = "C:\\DELPHI\\BIN\\DCC32.bat";
constexpr const char* kD2Stub = "C:\\DELPHI\\BIN\\LunketD2.exe";
constexpr const char* kShippedD2Stub = "C:\\QUILLET\\LunketD2.exe";
constexpr const char* kMemo = "-a\"WinTypes=Windows\"\r\n-u\"C:\\DELPHI\\LIB\"\r\n";
constexpr const char* kDesktop = "C:\\WINDOWS\\Desktop";
constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// The prompts, written out in full here rather than composed, so that a
// changed word in the program shows up as a difference.
Prompt CfgSaved(const std::string& message) {
    return {message, "Compiler configuration saved", "&OK", "", "", 0, 1};
}
const Prompt kD2CfgQuestion{
    "An existing C:\\DELPHI\\BIN\\DCC32.cfg was found. You only need to overwrite it if the new "
    "configuration is different from the old one.\n\nOverwrite DCC32.cfg?",
    "Existing .CFG file detected",
    "&Yes",
    "&No",
    "",
    32,
    2};
const Prompt kD2CfgLocked{
    "Creation of C:\\DELPHI\\BIN\\DCC32.cfgfailed. The .CFG file may be in use in an open DOS "
    "session or may otherwise be locked. Either close the DOS session or manually erase the "
    "file prior to retrying this operation.",
    "Unable to deleteDCC32.cfg",
    "&OK",
    "",
    "",
    48,
    1};
const Prompt kD2BatQuestion{
    "An existing C:\\DELPHI\\BIN\\DCC32.bat was found. You only need to overwrite it if the new "
    "batch file is different from the old one.\n\nOverwrite DCC32.bat?",
    "Existing batchfile detected",
    "&Yes",
    "&No",
    "",
    32,
    2};
const Prompt kD2BatLocked{
    "Creation of C:\\DELPHI\\BIN\\DCC32.batfailed. The batch file may be in use in an open DOS "
    "session or may otherwise be locked. Either close the DOS session or manually erase the "
    "file prior to retrying this operation.",
    "Unable to deleteDCC32.bat",
    "&OK",
    "",
    "",
    48,
    1};
const Prompt kD2StubMissing{
    "No LunketD2.exe was found in the applet's installed directory. Execution problems may "
    "occur if you do not use this stub to launch the compiler. Do you want to ignore the error "
    "and continue or abort now and replace the LunketD2.exe file?",
    "LunketD2.exe not found",
    "&Ignore",
    "Abort",
    "",
    48,
    1};
const Prompt kD2ShortcutCreated{
    "A desktop shortcut has been installed for LunketD2.exe. You can also install LunketD2.exe "
    "into an icon dock or app menu if the desktop shortcut is too intrusive.",
    "Desktop shortcut created",
    "&OK",
    "",
    "",
    0,
    1};
const Prompt kD2ShortcutNotCreated{
    "A desktop shortcut for LunketD2.exe could not be created in your desktop folder.",
    "Desktop shortcut not created",
    "&OK",
    "",
    "",
    48,
    1};

// The window as Create leaves it for `compiler`, nothing written beside the
// compiler yet.
void PrepareHarness(Harness& h, Version v, const std::string& compiler,
                    const std::string& cfgName) {
    h.view.Choose(v);
    h.view.SetText(Ctl::eExepath, compiler);
    h.view.SetText(Ctl::eUnit, "C:\\DELPHI\\LIB");
    h.view.SetText(Ctl::eInc, "C:\\DELPHI\\INC");
    h.view.SetText(Ctl::eObject, "C:\\DELPHI\\OBJ");
    h.view.SetText(Ctl::eAlias, "WinTypes=Windows");
    h.view.SetText(Ctl::Memo1, kMemo);
    h.view.SetEnabled(Ctl::bSave, true);
    h.state.cfgName = cfgName;
    h.state.fieldsFilled = true;
    h.state.extraMessages = true;
    h.platform.AddDir(ExtractFilePath(compiler));
    h.platform.AddFile(compiler, "compiler");
}

// Delphi 2, with its stub shipped beside the program.
void PrepareD2(Harness& h) {
    PrepareHarness(h, Version::D2, kD2Compiler, "DCC32.CFG");
    h.platform.AddFile(kShippedD2Stub, "stub D2");
}

void AddDesktopTo(Harness& h) {
    h.platform.AddRegValue(RegRoot::CurrentUser, kShellFolders, "Desktop", kDesktop);
    h.platform.AddDir(kDesktop);
}

void ExpectCleared(const Harness& h) {
    EXPECT_EQ(h.view.Text(Ctl::eUnit), "");
    EXPECT_EQ(h.view.Text(Ctl::eInc), "");
    EXPECT_EQ(h.view.Text(Ctl::eObject), "");
    EXPECT_EQ(h.view.Text(Ctl::Memo1), "");
    EXPECT_EQ(h.view.Text(Ctl::eAlias), "WinTypes=Windows");
    EXPECT_FALSE(h.state.fieldsFilled);
}

void ExpectKept(const Harness& h) {
    EXPECT_EQ(h.view.Text(Ctl::eUnit), "C:\\DELPHI\\LIB");
    EXPECT_EQ(h.view.Text(Ctl::eInc), "C:\\DELPHI\\INC");
    EXPECT_EQ(h.view.Text(Ctl::eObject), "C:\\DELPHI\\OBJ");
    EXPECT_EQ(h.view.Text(Ctl::Memo1), kMemo);
    EXPECT_TRUE(h.state.fieldsFilled);
}

class SaveTest : public ::testing::Test {
protected:
    void SetUp() override { PrepareD2(h); }
    void AddDesktop() { AddDesktopTo(h); }
    void ExpectFieldsCleared() { ExpectCleared(h); }
    void ExpectFieldsKept() { ExpectKept(h); }

    Harness h;
    FakePlatform& p = h.platform;
};

// --- a plain save, per version -------------------------------------------

struct VersionCase {
    Version version;
    const char* compiler;
    const char* cfgName;
    const char* stubName;
    const char* cfg;
    const char* bat;  // empty: no batch file for this version
    const char* confirmation;
};

class SaveVersionTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(SaveVersionTest, WritesConfigurationStubAndBatchFileBesideTheCompiler) {
    const VersionCase& c = GetParam();
    Harness h;
    FakePlatform& p = h.platform;
    PrepareHarness(h, c.version, c.compiler, c.cfgName);
    p.AddFile(std::string("C:\\QUILLET\\") + c.stubName, "stub");
    h.prompts.Answer(1);

    bSaveClick(h.ctx);

    ASSERT_EQ(h.prompts.prompts.size(), 1u);
    EXPECT_EQ(h.prompts.prompts[0], CfgSaved(c.confirmation));
    EXPECT_EQ(p.Content(c.cfg), "-a\"WinTypes=Windows\"\r\n-u\"C:\\DELPHI\\LIB\"\r\n");
    const std::string stubBeside = ExtractFilePath(c.compiler) + c.stubName;
    EXPECT_EQ(p.copies, std::vector<std::string>{std::string("C:\\QUILLET\\") + c.stubName +
                                                 " -> " + stubBeside});
    EXPECT_EQ(p.Content(stubBeside), "stub");
    std::vector<std::string> expectedWrites{c.cfg};
    if (*c.bat) expectedWrites.push_back(c.bat);
    EXPECT_EQ(p.writes, expectedWrites);
    EXPECT_EQ(h.state.stubName, c.stubName);
    ExpectCleared(h);
    EXPECT_FALSE(h.view.Enabled(Ctl::bSave));
    h.prompts.ExpectScriptUsed();
}

INSTANTIATE_TEST_SUITE_P(
    Versions, SaveVersionTest,
    ::testing::Values(VersionCase{Version::D1, "C:\\DELPHI\\BIN\\DCC.EXE", "DCC.CFG", "lunket.exe",
                                  "C:\\DELPHI\\BIN\\DCC.cfg", "",
                                  "DCC.CFG saved as C:\\DELPHI\\BIN\\DCC.cfg."},
                      VersionCase{Version::D2, kD2Compiler, "DCC32.CFG", "LunketD2.exe", kD2Cfg,
                                  kD2Bat, "DCC32.CFG saved as C:\\DELPHI\\BIN\\DCC32.cfg."},
                      VersionCase{Version::D3, "D:\\BORLAND\\DELPHI 3\\BIN\\dcc32.exe", "DCC32.CFG",
                                  "LunketD3.exe", "D:\\BORLAND\\DELPHI 3\\BIN\\dcc32.cfg",
                                  "D:\\BORLAND\\DELPHI 3\\BIN\\dcc32.bat",
                                  "DCC32.CFG saved as D:\\BORLAND\\DELPHI 3\\BIN\\dcc32.cfg."},
                      // A compiler path without an extension gets ".cfg" appended.
                      VersionCase{Version::D2, "C:\\D2.0\\BIN\\DCC32", "DCC32.CFG", "LunketD2.exe",
                                  "C:\\D2.0\\BIN\\DCC32.cfg", "C:\\D2.0\\BIN\\DCC32.bat",
                                  "DCC32.CFG saved as C:\\D2.0\\BIN\\DCC32.cfg."}));

TEST_F(SaveTest, BatchFileHoldsTheShortCompilerPathAndPauseInTheOemCodePage) {
    p.shortPaths[FakePlatform::Norm(kD2Compiler)] =
        "C:\\PROGRA~1\\BORLAND\\DELPHI~1.0\\BIN\\DCC32.EXE";
    p.oemPrefix = "[oem]";
    h.state.extraMessages = false;

    bSaveClick(h.ctx);

    EXPECT_EQ(p.Content(kD2Bat),
              "[oem]C:\\PROGRA~1\\BORLAND\\DELPHI~1.0\\BIN\\DCC32.EXE %1\r\npause\r\n");
}

TEST_F(SaveTest, WithExtraMessagesOffAndNothingPresentNoMessageAtAll) {
    h.state.extraMessages = false;

    bSaveClick(h.ctx);

    EXPECT_TRUE(h.prompts.events.empty());
    EXPECT_TRUE(p.HasFile(kD2Cfg));
    EXPECT_TRUE(p.HasFile(kD2Bat));
    EXPECT_FALSE(h.view.Enabled(Ctl::bSave));
}

// --- the first line of the batch file ------------------------------------

struct BatchLineCase {
    const char* compiler;
    const char* shortForm;  // what the platform gives; empty: no short form
    const char* firstLine;
};

class BatchLineTest : public ::testing::TestWithParam<BatchLineCase> {};

TEST_P(BatchLineTest, FirstLineNamesTheCompilerSoTheShellCanRunIt) {
    const BatchLineCase& c = GetParam();
    FakePlatform platform;
    platform.AddFile(c.compiler);
    platform.shortPaths[FakePlatform::Norm(c.compiler)] = c.shortForm;

    EXPECT_EQ(BatchFileText(platform, c.compiler), std::string(c.firstLine) + "\r\npause\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BatchLineTest,
    ::testing::Values(
        BatchLineCase{"C:\\Program Files\\Borland\\Delphi 2.0\\Bin\\DCC32.EXE",
                      "C:\\PROGRA~1\\BORLAND\\DELPHI~1.0\\BIN\\DCC32.EXE",
                      "C:\\PROGRA~1\\BORLAND\\DELPHI~1.0\\BIN\\DCC32.EXE %1"},
        // No short form: the full path stands in, quoted because of the blank.
        BatchLineCase{"C:\\Program Files\\Borland\\Delphi 2.0\\Bin\\DCC32.EXE", "",
                      "\"C:\\Program Files\\Borland\\Delphi 2.0\\Bin\\DCC32.EXE\" %1"},
        BatchLineCase{"C:\\DELPHI\\BIN\\DCC32.EXE", "", "C:\\DELPHI\\BIN\\DCC32.EXE %1"},
        // Short names switched off on the volume: the "short" form has blanks.
        BatchLineCase{"C:\\My Tools\\DCC32.EXE", "C:\\My Tools\\DCC32.EXE",
                      "\"C:\\My Tools\\DCC32.EXE\" %1"},
        // The shell would split at "&" and expand "%".
        BatchLineCase{"C:\\R&D\\DCC32.EXE", "", "\"C:\\R&D\\DCC32.EXE\" %1"},
        BatchLineCase{"C:\\100%\\DCC32.EXE", "", "C:\\100%%\\DCC32.EXE %1"}));

TEST_F(SaveTest, BatchFileWithoutShortFormStillNamesTheCompiler) {
    h.view.SetText(Ctl::eExepath, "C:\\Program Files\\Delphi\\DCC32.EXE");
    p.AddFile("C:\\Program Files\\Delphi\\DCC32.EXE");
    p.shortPaths[FakePlatform::Norm("C:\\Program Files\\Delphi\\DCC32.EXE")] = "";
    h.state.extraMessages = false;

    bSaveClick(h.ctx);

    EXPECT_EQ(p.Content("C:\\Program Files\\Delphi\\DCC32.bat"),
              "\"C:\\Program Files\\Delphi\\DCC32.EXE\" %1\r\npause\r\n");
}

// --- the existing configuration file -------------------------------------

TEST_F(SaveTest, AnsweringNoToTheCfgQuestionKeepsTheOldFileAndGoesOn) {
    p.AddFile(kD2Cfg, "old cfg\r\n");
    p.AddFile(kD2Bat, "old bat\r\n");
    h.view.SetChecked(Ctl::cShortcut, true);
    AddDesktop();
    h.prompts.Answer(2).Answer(1).Answer(1);  // cfg: No; bat: Yes; shortcut report

    bSaveClick(h.ctx);

    ASSERT_EQ(h.prompts.prompts.size(), 3u);
    EXPECT_EQ(h.prompts.prompts[0], kD2CfgQuestion);
    EXPECT_EQ(h.prompts.prompts[1], kD2BatQuestion);
    EXPECT_EQ(h.prompts.prompts[2], kD2ShortcutCreated);
    EXPECT_EQ(p.Content(kD2Cfg), "old cfg\r\n");
    EXPECT_EQ(p.writes, std::vector<std::string>{kD2Bat});
    EXPECT_TRUE(p.HasFile(kD2Stub));
    ExpectFieldsCleared();
    EXPECT_FALSE(h.view.Enabled(Ctl::bSave));
    h.prompts.ExpectScriptUsed();
}

TEST_F(SaveTest, AnyAnswerButYesToTheCfgQuestionKeepsTheOldFile) {
    for (int answer : {2, 3}) {  // "&No" and closing the dialog give 2
        SCOPED_TRACE(answer);
        Harness h2;
        PrepareD2(h2);
        h2.platform.AddFile(kD2Cfg, "old cfg\r\n");
        h2.state.extraMessages = false;
        h2.prompts.Answer(answer);

        bSaveClick(h2.ctx);

        EXPECT_EQ(h2.platform.Content(kD2Cfg), "old cfg\r\n");
        EXPECT_EQ(h2.platform.writes, std::vector<std::string>{kD2Bat});
        ExpectCleared(h2);
        EXPECT_FALSE(h2.view.Enabled(Ctl::bSave));
        h2.prompts.ExpectScriptUsed();
    }
}

TEST_F(SaveTest, AnsweringYesReplacesTheConfigurationFile) {
    p.AddFile(kD2Cfg, "old cfg\r\n");
    h.prompts.Answer(1).Answer(1);

    bSaveClick(h.ctx);

    EXPECT_EQ(h.prompts.events, (std::vector<std::string>{"dialog:Existing .CFG file detected",
                                                          "dialog:Compiler configuration saved"}));
    EXPECT_EQ(p.Content(kD2Cfg), kMemo);
    EXPECT_FALSE(h.view.Enabled(Ctl::bSave));
}

TEST_F(SaveTest, ALockedConfigurationFileIsReportedAndSaveStops) {
    p.AddFile(kD2Cfg, "old cfg\r\n");
    p.writeFailures[FakePlatform::Norm(kD2Cfg)] = {WriteOutcome::CannotReplace, 32};
    h.view.SetChecked(Ctl::cShortcut, true);
    AddDesktop();
    h.prompts.Answer(1).Answer(1);

    bSaveClick(h.ctx);

    ASSERT_EQ(h.prompts.prompts.size(), 2u);
    EXPECT_EQ(h.prompts.prompts[1], kD2CfgLocked);
    EXPECT_EQ(p.Content(kD2Cfg), "old cfg\r\n");
    EXPECT_TRUE(h.prompts.errors.empty());
    ExpectFieldsKept();
    EXPECT_TRUE(p.copies.empty());
    EXPECT_FALSE(p.HasFile(kD2Bat));
    EXPECT_TRUE(p.links.empty());
    EXPECT_TRUE(h.view.Enabled(Ctl::bSave));
    h.prompts.ExpectScriptUsed();
}

struct WriteFailureCase {
    const char* name;
    bool existing;
    WriteOutcome outcome;
    unsigned long error;
};

class CfgWriteFailureTest : public SaveTest,
                            public ::testing::WithParamInterface<WriteFailureCase> {};

TEST_P(CfgWriteFailureTest, GoesToTheGeneralErrorReportAndEndsBeforeClearing) {
    const WriteFailureCase& c = GetParam();
    if (c.existing) {
        p.AddFile(kD2Cfg, "old cfg\r\n");
        h.prompts.Answer(1);
    }
    p.writeFailures[FakePlatform::Norm(kD2Cfg)] = {c.outcome, c.error};

    bSaveClick(h.ctx);

    EXPECT_EQ(h.prompts.errors,
              std::vector<std::string>{"Cannot create file C:\\DELPHI\\BIN\\DCC32.cfg"});
    EXPECT_EQ(h.prompts.prompts.size(), c.existing ? 1u : 0u);
    if (c.existing) {
        EXPECT_EQ(p.Content(kD2Cfg), "old cfg\r\n");
    }
    ExpectFieldsKept();
    EXPECT_TRUE(p.copies.empty());
    EXPECT_EQ(p.writes, std::vector<std::string>{kD2Cfg});
    EXPECT_TRUE(h.view.Enabled(Ctl::bSave));
    h.prompts.ExpectScriptUsed();
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, CfgWriteFailureTest,
    ::testing::Values(WriteFailureCase{"NewCannotCreate", false, WriteOutcome::CannotCreate, 5},
                      WriteFailureCase{"NewWriteFailed", false, WriteOutcome::WriteFailed, 112},
                      WriteFailureCase{"NewCannotReplace", false, WriteOutcome::CannotReplace, 5},
                      WriteFailureCase{"OldCannotCreate", true, WriteOutcome::CannotCreate, 3},
                      WriteFailureCase{"OldWriteFailed", true, WriteOutcome::WriteFailed, 112}),
    [](const auto& info) { return std::string(info.param.name); });

// --- an empty text box writes no configuration ---------------------------

TEST(SaveCasesTest, EmptyTextBoxWritesNoConfigurationAndAsksNothingAboutIt) {
    for (const char* memo : {"", "\r\n", "  \r\n\t\r\n"}) {
        for (bool existing : {false, true}) {
            SCOPED_TRACE(std::string("memo '") + memo + "', existing " + (existing ? "yes" : "no"));
            Harness h;
            FakePlatform& p = h.platform;
            PrepareD2(h);
            if (existing) p.AddFile(kD2Cfg, "old cfg\r\n");
            h.view.SetText(Ctl::Memo1, memo);

            bSaveClick(h.ctx);

            EXPECT_TRUE(h.prompts.events.empty());
            EXPECT_EQ(p.writes, std::vector<std::string>{kD2Bat});
            EXPECT_EQ(p.HasFile(kD2Cfg), existing);
            if (existing) {
                EXPECT_EQ(p.Content(kD2Cfg), "old cfg\r\n");
            }
            EXPECT_TRUE(p.HasFile(kD2Stub));
            ExpectCleared(h);
            EXPECT_FALSE(h.view.Enabled(Ctl::bSave));
        }
    }
}

// --- the missing compiler -------------------------------------------------

TEST_F(SaveTest, MissingCompilerOpensTheSelectorAndSaveGoesOnWithThePickedPath) {
    h.view.SetText(Ctl::eExepath, "(no valid compiler found)");
    p.AddFile("E:\\D2\\BIN\\DCC32.EXE");
    h.prompts.SelectFile("E:\\D2\\BIN\\DCC32.EXE");
    h.prompts.Answer(1);
    h.state.extraMessages = true;

    bSaveClick(h.ctx);

    ASSERT_EQ(h.prompts.selectorRuns, std::vector<Version>{Version::D2});
    EXPECT_EQ(h.view.Text(Ctl::eExepath), "E:\\D2\\BIN\\DCC32.EXE");
    EXPECT_EQ(h.prompts.prompts.at(0), CfgSaved("DCC32.CFG saved as E:\\D2\\BIN\\DCC32.cfg."));
    EXPECT_EQ(p.Content("E:\\D2\\BIN\\DCC32.cfg"), kMemo);
    EXPECT_TRUE(p.HasFile("E:\\D2\\BIN\\DCC32.bat"));
    EXPECT_TRUE(p.HasFile("E:\\D2\\BIN\\LunketD2.exe"));
    EXPECT_FALSE(h.view.Enabled(Ctl::bSave));
    h.prompts.ExpectScriptUsed();
}

TEST(SaveCasesTest, MissingCompilerStopsSilentlyWhenTheSelectorGivesNoFile) {
    for (bool cancel : {true, false}) {
        SCOPED_TRACE(cancel ? "cancelled" : "picked a file that does not exist");
        Harness h;
        FakePlatform& p = h.platform;
        PrepareD2(h);
        h.view.SetText(Ctl::eExepath, "C:\\GONE\\DCC32.EXE");
        if (cancel) {
            h.prompts.CancelSelector();
        } else {
            h.prompts.SelectFile("C:\\NOWHERE\\DCC32.EXE");
        }

        bSaveClick(h.ctx);

        EXPECT_EQ(h.prompts.selectorRuns.size(), 1u);
        EXPECT_TRUE(h.prompts.prompts.empty());
        EXPECT_TRUE(h.prompts.errors.empty());
        EXPECT_TRUE(p.writes.empty());
        EXPECT_TRUE(p.copies.empty());
        ExpectKept(h);
        EXPECT_TRUE(h.view.Enabled(Ctl::bSave));
        h.prompts.ExpectScriptUsed();
    }
}

// --- the launcher stub -----------------------------------------------------

TEST_F(SaveTest, StubAlreadyBesideTheCompilerIsNeitherComparedNorReplaced) {
    p.AddFile(kD2Stub, "older stub");
    h.state.extraMessages = false;

    bSaveClick(h.ctx);

    EXPECT_TRUE(p.copies.empty());
    EXPECT_EQ(p.Content(kD2Stub), "older stub");
    EXPECT_TRUE(h.prompts.events.empty());
}

TEST_F(SaveTest, StubOnlyInTheProgramDirectoryIsCopiedSilently) {
    h.state.extraMessages = false;

    bSaveClick(h.ctx);

    EXPECT_EQ(p.copies, std::vector<std::string>{std::string(kShippedD2Stub) + " -> " + kD2Stub});
    EXPECT_EQ(p.Content(kD2Stub), "stub D2");
    EXPECT_TRUE(h.prompts.events.empty());
}

TEST_F(SaveTest, FailedStubCopyIsReportedAndNoShortcutPointsAtTheMissingStub) {
    p.failCopies = true;
    h.view.SetChecked(Ctl::cShortcut, true);
    AddDesktop();
    h.state.extraMessages = false;
    h.prompts.Answer(1).Answer(1);

    bSaveClick(h.ctx);

    EXPECT_EQ(p.copies.size(), 1u);
    EXPECT_EQ(h.prompts.prompts,
              (std::vector<Prompt>{{"LunketD2.exe could not be copied to C:\\DELPHI\\BIN. The file "
                                    "is in use.",
                                    "Launcher stub not copied", "&OK", "", "", 48, 1},
                                   kD2ShortcutNotCreated}));
    EXPECT_TRUE(p.links.empty());
    EXPECT_TRUE(p.HasFile(kD2Bat));
    EXPECT_FALSE(h.view.Enabled(Ctl::bSave));
    h.prompts.ExpectScriptUsed();
}

TEST_F(SaveTest, StubMissingEverywhereAbortStopsAfterClearingTheFields) {
    p.files.erase(FakePlatform::Norm(kShippedD2Stub));
    h.view.SetChecked(Ctl::cShortcut, true);
    AddDesktop();
    h.prompts.Answer(1).Answer(2);  // confirmation; "Abort"

    bSaveClick(h.ctx);

    EXPECT_EQ(h.prompts.events, (std::vector<std::string>{"dialog:Compiler configuration saved",
                                                          "dialog:LunketD2.exe not found"}));
    EXPECT_EQ(h.prompts.prompts[1], kD2StubMissing);
    EXPECT_EQ(p.Content(kD2Cfg), kMemo);
    ExpectFieldsCleared();
    EXPECT_FALSE(p.HasFile(kD2Bat));
    EXPECT_TRUE(p.links.empty());
    EXPECT_TRUE(h.view.Enabled(Ctl::bSave));
    h.prompts.ExpectScriptUsed();
}

TEST_F(SaveTest, SavingAgainAfterAbortLeavesTheSavedConfigurationAlone) {
    p.files.erase(FakePlatform::Norm(kShippedD2Stub));
    h.prompts.Answer(1).Answer(2);
    bSaveClick(h.ctx);
    ASSERT_TRUE(h.view.Enabled(Ctl::bSave));

    h.prompts.prompts.clear();
    h.prompts.events.clear();
    h.prompts.Answer(2);  // "Abort" again
    bSaveClick(h.ctx);

    // The text box is empty now: no question about the file written a moment
    // ago, and it keeps its content.
    EXPECT_EQ(h.prompts.events, std::vector<std::string>{"dialog:LunketD2.exe not found"});
    EXPECT_EQ(p.Content(kD2Cfg), kMemo);
    EXPECT_TRUE(h.view.Enabled(Ctl::bSave));
    h.prompts.ExpectScriptUsed();
}

TEST_F(SaveTest, StubMissingEverywhereIgnoreGoesOn) {
    p.files.erase(FakePlatform::Norm(kShippedD2Stub));
    h.state.extraMessages = false;
    h.prompts.Answer(1);  // "&Ignore"

    bSaveClick(h.ctx);

    EXPECT_EQ(h.prompts.prompts, std::vector<Prompt>{kD2StubMissing});
    EXPECT_TRUE(p.HasFile(kD2Bat));
    EXPECT_FALSE(p.HasFile(kD2Stub));
    EXPECT_FALSE(h.view.Enabled(Ctl::bSave));
}

TEST(CheckLauncherStubTest, AnswersByWhereTheStubIs) {
    struct Case {
        const char* name;
        bool beside, shipped;
        int answer;  // 0: no question expected
        bool result;
    };
    const Case cases[] = {
        {"beside", true, false, 0, true},           {"beside and shipped", true, true, 0, true},
        {"shipped only", false, true, 0, true},     {"nowhere, ignore", false, false, 1, true},
        {"nowhere, abort", false, false, 2, false}, {"nowhere, escape", false, false, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.state.stubName = "LunketD3.exe";
        if (c.beside) h.platform.AddFile("D:\\D3\\BIN\\LunketD3.exe", "beside");
        if (c.shipped) h.platform.AddFile("C:\\QUILLET\\LunketD3.exe", "shipped");
        if (c.answer) h.prompts.Answer(c.answer);

        EXPECT_EQ(CheckLauncherStub(h.ctx, "D:\\D3\\BIN\\"), c.result);

        EXPECT_EQ(h.prompts.prompts.size(), c.answer ? 1u : 0u);
        if (c.answer) {
            EXPECT_EQ(h.prompts.prompts[0].caption, "LunketD3.exe not found");
        }
        EXPECT_EQ(h.platform.Content("D:\\D3\\BIN\\LunketD3.exe"), c.beside    ? "beside"
                                                                   : c.shipped ? "shipped"
                                                                               : "");
        h.prompts.ExpectScriptUsed();
    }
}

// --- the stub name held for the whole run --------------------------------

TEST_F(SaveTest, WithNoVersionChosenTheLastStubNameStaysAndNoBatchFileIsWritten) {
    h.state.extraMessages = false;
    bSaveClick(h.ctx);
    ASSERT_EQ(h.state.stubName, "LunketD2.exe");

    // A later Save with no radio button checked (Update fields before any
    // choice) still checks the Delphi 2 stub, and writes no batch file.
    h.view.Choose(Version::None);
    h.view.SetText(Ctl::eExepath, "F:\\OTHER\\DCC32.EXE");
    p.AddFile("F:\\OTHER\\DCC32.EXE");
    h.view.SetText(Ctl::Memo1, "-u\"x\"\r\n");
    h.view.SetEnabled(Ctl::bSave, true);
    p.writes.clear();
    p.copies.clear();

    bSaveClick(h.ctx);

    EXPECT_EQ(h.state.stubName, "LunketD2.exe");
    EXPECT_EQ(p.writes, std::vector<std::string>{"F:\\OTHER\\DCC32.cfg"});
    EXPECT_EQ(p.copies, std::vector<std::string>{std::string(kShippedD2Stub) +
                                                 " -> F:\\OTHER\\LunketD2.exe"});
    EXPECT_FALSE(h.view.Enabled(Ctl::bSave));
}

TEST_F(SaveTest, WithNoVersionEverChosenThereIsNoStubToAskAboutOrLinkTo) {
    h.view.Choose(Version::None);
    h.view.SetChecked(Ctl::cShortcut, true);
    AddDesktop();
    h.state.extraMessages = false;

    bSaveClick(h.ctx);

    EXPECT_EQ(h.state.stubName, "");
    EXPECT_TRUE(h.prompts.events.empty());
    EXPECT_TRUE(p.copies.empty());
    EXPECT_TRUE(p.links.empty());
    EXPECT_EQ(p.writes, std::vector<std::string>{kD2Cfg});
    EXPECT_FALSE(h.view.Enabled(Ctl::bSave));
}

// --- the existing batch file -------------------------------------------

TEST_F(SaveTest, AnsweringNoToTheBatchQuestionKeepsTheOldFileAndGoesToTheShortcut) {
    p.AddFile(kD2Bat, "old bat\r\n");
    h.view.SetChecked(Ctl::cShortcut, true);
    AddDesktop();
    h.state.extraMessages = false;
    h.prompts.Answer(2).Answer(1);

    bSaveClick(h.ctx);

    EXPECT_EQ(h.prompts.prompts, (std::vector<Prompt>{kD2BatQuestion, kD2ShortcutCreated}));
    EXPECT_EQ(p.Content(kD2Bat), "old bat\r\n");
    EXPECT_EQ(p.writes, std::vector<std::string>{kD2Cfg});
    EXPECT_FALSE(h.view.Enabled(Ctl::bSave));
    h.prompts.ExpectScriptUsed();
}

TEST_F(SaveTest, ALockedBatchFileIsReportedAndSaveStopsBeforeTheShortcut) {
    p.AddFile(kD2Bat, "old bat\r\n");
    p.writeFailures[FakePlatform::Norm(kD2Bat)] = {WriteOutcome::CannotReplace, 32};
    h.view.SetChecked(Ctl::cShortcut, true);
    AddDesktop();
    h.state.extraMessages = false;
    h.prompts.Answer(1).Answer(1);

    bSaveClick(h.ctx);

    EXPECT_EQ(h.prompts.prompts, (std::vector<Prompt>{kD2BatQuestion, kD2BatLocked}));
    EXPECT_EQ(p.Content(kD2Bat), "old bat\r\n");
    EXPECT_EQ(p.Content(kD2Cfg), kMemo);
    EXPECT_TRUE(p.links.empty());
    ExpectFieldsCleared();
    EXPECT_TRUE(h.view.Enabled(Ctl::bSave));
    h.prompts.ExpectScriptUsed();
}

class BatWriteFailureTest : public SaveTest,
                            public ::testing::WithParamInterface<WriteFailureCase> {};

TEST_P(BatWriteFailureTest, GoesToTheGeneralErrorReportWithTheErrorCode) {
    const WriteFailureCase& c = GetParam();
    if (c.existing) {
        p.AddFile(kD2Bat, "old bat\r\n");
        h.prompts.Answer(1);
    }
    p.writeFailures[FakePlatform::Norm(kD2Bat)] = {c.outcome, c.error};
    h.view.SetChecked(Ctl::cShortcut, true);
    AddDesktop();
    h.state.extraMessages = false;

    bSaveClick(h.ctx);

    EXPECT_EQ(h.prompts.errors, std::vector<std::string>{"I/O error " + std::to_string(c.error)});
    if (c.existing) {
        EXPECT_EQ(p.Content(kD2Bat), "old bat\r\n");
    }
    EXPECT_TRUE(p.links.empty());
    EXPECT_TRUE(h.view.Enabled(Ctl::bSave));
    h.prompts.ExpectScriptUsed();
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, BatWriteFailureTest,
    ::testing::Values(WriteFailureCase{"NewCannotCreate", false, WriteOutcome::CannotCreate, 5},
                      WriteFailureCase{"NewWriteFailed", false, WriteOutcome::WriteFailed, 112},
                      WriteFailureCase{"NewCannotReplace", false, WriteOutcome::CannotReplace, 183},
                      WriteFailureCase{"OldCannotCreate", true, WriteOutcome::CannotCreate, 3},
                      WriteFailureCase{"OldWriteFailed", true, WriteOutcome::WriteFailed, 39}),
    [](const auto& info) { return std::string(info.param.name); });

// --- the desktop shortcut --------------------------------------------------

TEST_F(SaveTest, ShortcutToTheStubBesideTheCompilerIsReportedWhateverTheExtraMessages) {
    h.view.SetChecked(Ctl::cShortcut, true);
    AddDesktop();
    h.state.extraMessages = false;
    h.prompts.Answer(1);

    bSaveClick(h.ctx);

    ASSERT_EQ(p.links.size(), 1u);
    EXPECT_EQ(p.links[0].target, kD2Stub);
    EXPECT_EQ(p.links[0].arguments, "");
    EXPECT_EQ(p.links[0].name, "C:\\WINDOWS\\Desktop\\LunketD2.lnk");
    EXPECT_EQ(h.prompts.prompts, std::vector<Prompt>{kD2ShortcutCreated});
    EXPECT_FALSE(h.view.Enabled(Ctl::bSave));
}

TEST(SaveCasesTest, ShortcutThatWasNotCreatedIsReportedAsAWarning) {
    struct Case {
        const char* name;
        bool desktopValue, desktopDir;
        long linkResult;
        const char* oldLink;  // a shortcut file already on the desktop
    };
    const long kSharingViolation = static_cast<long>(0x80070020);
    const Case cases[] = {
        {"no Desktop value", false, false, 0, nullptr},
        {"desktop folder missing", true, false, 0, nullptr},
        {"link not saved", true, true, static_cast<long>(0x80070005), nullptr},
        {"old shortcut held open", true, true, kSharingViolation, "link:C:\\OLD\\LunketD2.exe"},
        {"saved, yet the file points elsewhere", true, true, 1, "link:C:\\OLD\\LunketD2.exe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        FakePlatform& p = h.platform;
        PrepareD2(h);
        p.AddRegKey(RegRoot::CurrentUser, kShellFolders);
        if (c.desktopValue) p.AddRegValue(RegRoot::CurrentUser, kShellFolders, "Desktop", kDesktop);
        if (c.desktopDir) p.AddDir(kDesktop);
        p.linkResult = c.linkResult;
        if (c.oldLink) p.AddFile(std::string(kDesktop) + "\\LunketD2.lnk", c.oldLink);
        h.view.SetChecked(Ctl::cShortcut, true);
        h.state.extraMessages = false;
        h.prompts.Answer(1);

        bSaveClick(h.ctx);

        EXPECT_EQ(h.prompts.prompts, std::vector<Prompt>{kD2ShortcutNotCreated});
        EXPECT_FALSE(h.view.Enabled(Ctl::bSave));
        h.prompts.ExpectScriptUsed();
    }
}

TEST_F(SaveTest, UncheckedShortcutBoxMakesNoShortcut) {
    AddDesktop();
    h.state.extraMessages = false;

    bSaveClick(h.ctx);

    EXPECT_TRUE(p.links.empty());
}

// --- the order of the steps ------------------------------------------------

TEST_F(SaveTest, EveryQuestionOfAFullSaveComesInOrder) {
    p.AddFile(kD2Cfg, "old cfg\r\n");
    p.AddFile(kD2Bat, "old bat\r\n");
    p.files.erase(FakePlatform::Norm(kShippedD2Stub));
    h.view.SetChecked(Ctl::cShortcut, true);
    AddDesktop();
    h.prompts.Answer(1).Answer(1).Answer(1).Answer(1).Answer(1);

    bSaveClick(h.ctx);

    EXPECT_EQ(h.prompts.prompts,
              (std::vector<Prompt>{kD2CfgQuestion,
                                   CfgSaved("DCC32.CFG saved as C:\\DELPHI\\BIN\\DCC32.cfg."),
                                   kD2StubMissing, kD2BatQuestion, kD2ShortcutNotCreated}));
    EXPECT_EQ(p.writes, (std::vector<std::string>{kD2Cfg, kD2Bat}));
    EXPECT_TRUE(p.links.empty()) << "no shortcut to the stub that was ignored";
    EXPECT_FALSE(h.view.Enabled(Ctl::bSave));
    h.prompts.ExpectScriptUsed();
}

// --- a folder Windows protects --------------------------------------------
TEST_F(SaveTest, AsAdministratorTheJobHoldsWhatSaveWouldWriteAndARefusedPromptUndoesNothing) {
    h.state.offersElevation = true;
    p.elevated = h.state.extraMessages = false;
    p.AddFile(kD2Bat, "old bat\r\n");
    p.writeFailures[FakePlatform::Norm(kD2Cfg)] = {WriteOutcome::CannotCreate, kErrorAccessDenied};
    h.prompts.Answer(1).Answer(1);  // as administrator; replace the batch file

    bSaveClick(h.ctx);  // and the elevation prompt refused: the fake's answer

    EXPECT_EQ(h.prompts.events, (std::vector<std::string>{"dialog:Folder protected by Windows",
                                                          "dialog:Existing batchfile detected"}));
    ASSERT_EQ(p.elevatedJobs.size(), 1u);
    EXPECT_EQ(p.elevatedJobs[0].first, "C:\\DELPHI\\BIN");
    SaveJob job;
    std::string why;
    ASSERT_TRUE(ParseJob(p.elevatedJobs[0].second, job, why)) << why;
    const JobFile bat{p.ToOemText(BatchFileText(p, kD2Compiler)), true};
    EXPECT_EQ(job, (SaveJob{Version::D2, "DCC32.EXE", JobFile{kMemo, false}, bat, true}));
    ExpectFieldsKept();
    EXPECT_TRUE(h.view.Enabled(Ctl::bSave));
    EXPECT_EQ(p.writes, std::vector<std::string>{kD2Cfg});
    EXPECT_TRUE(p.copies.empty() && h.prompts.errors.empty());
}

TEST(SaveCasesTest, TheElevatedRunEndsAsSaveItselfWouldHave) {
    const struct {
        bool cfgReplaced, undone;  // not replaced: the old one is kept, the batch file refused
        unsigned long error, exitCode;
        const char *steps, *last;  // the result the elevated run wrote; the last dialog
    } cases[] = {{false, true, kErrorCancelled, 0, "", "Folder protected by Windows"},
                 {true, true, 0, 1, "cfg 32\r\n", "Unable to deleteDCC32.cfg"},  // held open
                 {false, false, 0, 0, "cfg 5\r\nbat written\r\n", "Folder protected by Windows"}};
    for (const auto& c : cases) {
        Harness h;
        PrepareD2(h);
        h.state.offersElevation = true;
        h.platform.elevated = h.state.extraMessages = false;
        h.platform.virtualStoreRoot = "C:\\VS";
        h.platform.longPaths[FakePlatform::Norm("C:\\DELPHI\\BIN\\")] = "C:\\Delphi 2\\Bin\\";
        h.platform.AddFile("C:\\VS\\Delphi 2\\Bin\\DCC32.cfg", "hidden");  // by the long names
        h.platform.AddFile(kD2Cfg, "old");
        h.platform.writeFailures[FakePlatform::Norm(c.cfgReplaced ? kD2Cfg : kD2Bat)] = {
            WriteOutcome::CannotCreate, kErrorAccessDenied};
        h.platform.elevatedRun = {c.error, c.exitCode, c.steps};
        h.prompts.Answer(c.cfgReplaced ? 1 : 2).Answer(1).Answer(1).Answer(1).Answer(1);
        bSaveClick(h.ctx);
        EXPECT_EQ(h.prompts.events.back(), std::string("dialog:") + c.last);
        EXPECT_EQ(h.prompts.events[1], c.cfgReplaced ? "dialog:Hidden configuration file found"
                                                     : "dialog:Folder protected by Windows");
        if (c.undone) ExpectKept(h);
    }
}

TEST(SaveCasesTest, ElevationIsOfferedOnlyWhereItHelpsAndElseTheReasonIsGiven) {
    const struct {
        bool elevated, readOnly;
        unsigned long error;
        const char* report;  // after "Cannot create file C"
    } cases[] = {{false, false, 5, ". Access is denied."},  // asked, "&No"
                 {true, false, 5, ". Access is denied."},
                 {false, true, 5, ". Access is denied."},
                 {false, false, 19, ". The media is write protected."}};
    for (const auto& c : cases) {
        Harness h;
        PrepareD2(h);
        h.state.offersElevation = true;
        h.platform.elevated = c.elevated;
        h.platform.errorTexts = {{5, "Access is denied."}, {19, "The media is write protected."}};
        h.platform.writeFailures[FakePlatform::Norm(kD2Cfg)] = {WriteOutcome::CannotCreate,
                                                                c.error, c.readOnly};
        const bool asks = !c.elevated && !c.readOnly && c.error == 5;
        if (asks) h.prompts.Answer(2);
        bSaveClick(h.ctx);
        EXPECT_EQ(h.prompts.prompts.size(), asks ? 1u : 0u) << c.report << c.elevated;
        EXPECT_EQ(h.prompts.errors, std::vector<std::string>{"Cannot create file " +
                                                             std::string(kD2Cfg) + c.report});
        ExpectKept(h);
    }
}

}  // namespace
}  // namespace quillet::testing

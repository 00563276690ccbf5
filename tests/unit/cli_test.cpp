// quilletc: the command line, its exit codes, and the rules that answer the
// window's questions, run through the real flows over the in-memory platform.
#include <gtest/gtest.h>

#include <functional>

#include "cli/companion.h"
#include "cli/rules.h"
#include "config/profiles.h"
#include "fakes.h"

namespace quillet::testing {
namespace {

constexpr const char* kCompiler = "C:\\D3\\BIN\\dcc32.exe";
constexpr const char* kCfg = "C:\\D3\\BIN\\dcc32.cfg";
constexpr const char* kBat = "C:\\D3\\BIN\\dcc32.bat";
constexpr const char* kPath = "C:\\D3\\Bin;C:\\D3\\SLib;C:\\D3\\LIB";
const std::string kText = "-aWinTypes=Windows\r\n-u\"" + std::string(kPath) + "\"\r\n-i\"" + kPath +
                          "\"\r\n-o\"" + kPath + "\"\r\n";

// A Delphi 3 whose lists already hold SLib and Bin, so nothing is asked.
void InstallDelphi3(FakePlatform& p) {
    const Profile& d3 = ProfileOf(Version::D3);
    p.AddRegValue(d3.idePath.root, d3.idePath.key, d3.idePath.value, "C:\\D3\\BIN\\DELPHI32.EXE");
    p.AddRegValue(RegRoot::CurrentUser, d3.libraryKey, kSearchPathKey, kPath);
    p.AddRegValue(RegRoot::CurrentUser, d3.libraryKey, kUnitAliasesValue, "WinTypes=Windows");
    for (const char* dir : {"C:\\D3\\Bin", "C:\\D3\\SLib", "C:\\D3\\LIB"}) p.AddDir(dir);
    p.AddFile(kCompiler);
    p.AddFile("C:\\QUILLET\\LunketD3.exe", "stub");
}

TEST(Quilletc, CommandLinesGiveTheirOutputAndExitCode) {
    using Setup = std::function<void(FakePlatform&)>;
    const Setup none = [](FakePlatform&) {};
    const Setup oldCfg = [](FakePlatform& p) { p.AddFile(kCfg, "old"); };
    struct Case {
        std::vector<std::string> args;
        Setup setup;
        int code;
        std::string out;  // exact when it does not start with '~', else a part of it
        std::string err;  // a part of standard error; empty: none at all
        std::string cfg = "";  // the configuration file afterwards
    };
    const Case cases[] = {
        {{"--help"}, none, 0, "~  3  an existing configuration or batch file was kept", ""},
        {{"print", "3", "-h"}, none, 0, "~Usage: quilletc COMMAND VERSION", ""},
        {{"--version"}, none, 0, "quilletc 9.8.7\n", ""},
        {{"print", "3"}, none, 0, kText, ""},
        {{"print", "3", "--no-complete", "--compiler=C:\\D3\\BIN\\dcc32.exe"}, none, 0, kText, ""},
        {{"print", "3", "--compiler", "C:\\X\\dcc32.exe"}, none, 1, "",
         "no configuration built: compiler not found: C:\\X\\dcc32.exe"},
        {{"check", "3"}, none, 0, "Delphi 3: no problems found\n", ""},
        {{"check", "3", "--json"}, none, 0,
         "{\"version\":3,\"compiler\":\"C:\\\\D3\\\\BIN\\\\dcc32.exe\",\"findings\":[],"
         "\"summary\":\"Delphi 3: no problems found\"}\n", ""},
        {{"check", "3"}, [](FakePlatform& p) {
             p.AddRegValue(RegRoot::CurrentUser, ProfileOf(Version::D3).libraryKey, kSearchPathKey,
                           std::string(kPath) + ";$(DELPHI)\\Lib;C:\\Gone");
         }, 1, "~Delphi 3: 2 problems found", ""},
        {{"save", "3"}, none, 0, "~DCC32.CFG saved as C:\\D3\\BIN\\dcc32.cfg.", "", kText},
        {{"save", "3"}, oldCfg, 3, "", "An existing C:\\D3\\BIN\\dcc32.cfg was found. Kept", "old"},
        {{"save", "3", "--overwrite"}, oldCfg, 0, "~saved as", "", kText},
        {{"save", "3", "--shortcut"}, none, 1, "~saved as", "Desktop shortcut not created", kText},
        // usage
        {{}, none, 2, "", "quilletc: missing command"},
        {{"build", "3"}, none, 2, "", "unknown command \"build\""},
        {{"print"}, none, 2, "", "missing version"},
        {{"print", "4"}, none, 2, "", "bad version \"4\""},
        {{"print", "3", "3"}, none, 2, "", "unexpected argument"},
        {{"print", "3", "--quiet"}, none, 2, "", "unknown flag \"--quiet\""},
        {{"print", "3", "--compiler"}, none, 2, "", "--compiler needs a path"},
        {{"print", "3", "--compiler="}, none, 2, "", "--compiler needs a path"},
        {{"check", "3", "--overwrite"}, none, 2, "", "--overwrite belongs to save only"},
        {{"print", "3", "--json"}, none, 2, "", "--json belongs to check only"},
    };
    for (const Case& c : cases) {
        std::string line;
        for (const std::string& a : c.args) line += a + " ";
        SCOPED_TRACE(line);
        FakePlatform platform;
        InstallDelphi3(platform);
        c.setup(platform);
        cli::Output output;
        const int code = cli::RunCompanion(c.args, platform, output, "9.8.7",
                                           [](const std::string& s) { return s; });
        EXPECT_EQ(code, c.code);
        if (!c.out.empty() && c.out[0] == '~') {
            EXPECT_NE(output.out.find(c.out.substr(1)), std::string::npos) << output.out;
        } else {
            EXPECT_EQ(output.out, c.out);
        }
        if (c.err.empty()) {
            EXPECT_EQ(output.err, "");
        } else {
            EXPECT_NE(output.err.find(c.err), std::string::npos) << output.err;
            if (code == 2) {
                EXPECT_EQ(output.err.find('\n'), output.err.size() - 1) << "one line";
            }
        }
        EXPECT_EQ(platform.Content(kCfg), c.cfg);
        if (c.cfg != "old" && !c.cfg.empty()) {
            EXPECT_TRUE(platform.HasFile(kBat));
        }
        if (c.args.size() < 2 || c.args[0] != "save") {
            EXPECT_TRUE(platform.writes.empty());
        }
    }
}

TEST(Quilletc, QuestionsAreAnsweredByTheFlags) {
    struct Case {
        std::string caption, button2, button3;
        int icon;
        bool overwrite, complete;
        int answer;
        std::vector<cli::NoteKind> notes;
    };
    using K = cli::NoteKind;
    const Case cases[] = {
        {"Existing .CFG file detected", "&No", "", 32, false, true, 2, {K::Kept}},
        {"Existing .CFG file detected", "&No", "", 32, true, true, 1, {}},
        {"Existing batchfile detected", "&No", "", 32, false, true, 2, {K::Kept}},
        {"SLib directory not in path list", "&Ignore", "", 48, false, true, 1, {K::Info}},
        {"Bin directory not in path list", "&Ignore", "", 48, false, false, 2, {K::Info}},
        {"Invalid compiler .EXE selected", "&Ignore", "", 48, false, true, 2, {K::Problem}},
        {"Resource directory detection error", "&Ignore", "", 32, false, true, 2, {K::Problem}},
        {"LunketD3.exe not found", "Abort", "", 48, false, true, 1, {K::Problem}},
        {"Unsaved configuration detected", "&Clear", "", 32, false, true, 2, {K::Info}},
        {"Something new", "&B", "&C", 32, true, true, 3, {K::Problem}},
        {"Something new", "&B", "", 32, true, true, 2, {K::Problem}},
        {"DCC32.EXE not found", "", "", 48, false, true, 1, {K::Problem}},
        {"Configuration built", "", "", 0, false, true, 1, {K::Info}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption + " " + c.button2);
        cli::Options options;
        options.overwrite = c.overwrite;
        options.complete = c.complete;
        cli::RulePrompts prompts(options);
        EXPECT_EQ(prompts.ShowMessageDialog("An existing X was found. More.", c.caption, "&A",
                                            c.button2, c.button3, c.icon, 1),
                  c.answer);
        std::vector<K> kinds;
        for (const cli::Note& n : prompts.Notes()) kinds.push_back(n.kind);
        EXPECT_EQ(kinds, c.notes);
    }
    // The selector answers --compiler, or nothing; the browser never chooses.
    cli::Options options;
    std::string file, folder;
    EXPECT_FALSE(cli::RulePrompts(options).RunCompilerSelector(Version::D3, file));
    options.compiler = "C:\\X\\dcc32.exe";
    EXPECT_TRUE(cli::RulePrompts(options).RunCompilerSelector(Version::D3, file));
    EXPECT_EQ(file, options.compiler);
    EXPECT_FALSE(cli::RulePrompts(options).BrowseForLibraryDir(folder));
}

TEST(Quilletc, Delphi3CompletionFollowsTheFlag) {
    for (bool complete : {true, false}) {
        SCOPED_TRACE(complete);
        FakePlatform platform;
        InstallDelphi3(platform);
        platform.AddRegValue(RegRoot::CurrentUser, ProfileOf(Version::D3).libraryKey,
                             kSearchPathKey, "C:\\D3\\LIB");
        std::vector<std::string> args{"print", "3"};
        if (!complete) args.push_back("--no-complete");
        cli::Output output;
        EXPECT_EQ(cli::RunCompanion(args, platform, output, "", [](const std::string& s) { return s; }), 0);
        const std::string list = complete ? "C:\\D3\\BIN;C:\\D3\\SLib;C:\\D3\\LIB" : "C:\\D3\\LIB";
        EXPECT_NE(output.out.find("-u\"" + list + "\""), std::string::npos) << output.out;
    }
}

}  // namespace
}  // namespace quillet::testing

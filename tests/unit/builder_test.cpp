// Create: its checks, the Delphi 3 directories and the configuration text.
#include "config/builder.h"
#include "app/flows.h"
#include "fakes.h"

namespace quillet {
namespace {

using testing::Harness;
using testing::Prompt;

constexpr const char* kD3Ide = "SOFTWARE\\Borland\\Delphi\\3.0";
constexpr const char* kSLib = "C:\\D3\\SLib";
constexpr const char* kBin = "C:\\D3\\BIN";

Prompt Error(const std::string& message, const std::string& caption) {
    return {message, caption, "&OK", "", "", 48, 1};
}

const Prompt kUnitEmpty = Error(
    "The unit directories list is empty. Press Fetch to fill the list before retrying this "
    "operation.",
    "Unit directories list invalid");
const Prompt kIncEmpty = Error(
    "The include directories list is empty. Press Fetch to fill the list before retrying this "
    "operation. Alternately, you can copy your Unit directories list into this box since this "
    "will usually suffice.",
    "Include directories list invalid");
const Prompt kResourceMissing = Error(
    "The specified resource directory could not be found. DCC.EXE needs to know this directory "
    "to compile most VCL-based projects. Fetch the directory before retrying this operation.",
    "Resource directory not found");

Prompt Built(const std::string& cfgName) {
    return {cfgName +
                " is built and is ready to save. Perform any additional edits in the memo "
                "control below prior to saving.",
            "Configuration built", "&OK", "", "", 0, 1};
}

Prompt SLibQuestion(const std::string& dir) {
    return {dir +
                "; could not be found in the path lists in one or more of the path list fields "
                "(Unit, Include and Object) where it is required for Delphi 3.\n\nAuto-add this "
                "directory where needed?",
            "SLib directory not in path list", "&Add", "&Ignore", "", 48, 1};
}

Prompt BinQuestion(const std::string& dir) {
    return {dir +
                "; could not be found in the path lists in one or more of the path list fields "
                "(Unit, Include and Object). The \\Bin\\ directory contains vital DPLs and is "
                "required for Delphi 3.\n\nAuto-add this directory where needed?",
            "Bin directory not in path list", "&Add", "&Ignore", "", 48, 1};
}

struct Ready : Harness {
    explicit Ready(Version v) {
        state.extraMessages = false;
        view.Choose(v);
        platform.AddFile("C:\\C\\DCC.EXE");
        platform.AddDir("C:\\DELPHI\\LIB");
        platform.AddRegValue(RegRoot::LocalMachine, kD3Ide, "Delphi 3",
                             "C:\\D3\\BIN\\DELPHI32.EXE");
        view.SetText(Ctl::eExepath, "C:\\C\\DCC.EXE");
        view.SetText(Ctl::eUnit, "C:\\DELPHI\\LIB");
        view.SetText(Ctl::eInc, "C:\\DELPHI\\LIB");
        view.SetText(Ctl::eObject, "C:\\DELPHI\\LIB");
        view.SetText(Ctl::eAlias, "A=B");
    }
    void Fields(const std::string& unit, const std::string& inc, const std::string& object) {
        view.SetText(Ctl::eUnit, unit);
        view.SetText(Ctl::eInc, inc);
        view.SetText(Ctl::eObject, object);
    }
};

TEST(BuildConfigLines, BothFormatsByteForByte) {
    const ConfigFields fields{"C:\\U;D:\\V", "C:\\I", "C:\\DELPHI\\LIB", "A=B;C=D"};
    EXPECT_EQ(JoinLines(BuildConfigLines(LineStyle::Slash, fields)),
              "/m\r\n/cw\r\n/rC:\\DELPHI\\LIB\r\n/iC:\\I\r\n/uC:\\U;D:\\V\r\n");
    EXPECT_EQ(JoinLines(BuildConfigLines(LineStyle::Dash, fields)),
              "-aA=B;C=D\r\n-u\"C:\\U;D:\\V\"\r\n-i\"C:\\I\"\r\n-o\"C:\\DELPHI\\LIB\"\r\n");
    // Values go in exactly as they stand: spaces and quotes included.
    const ConfigFields odd{" a ", "b\"", "", ""};
    EXPECT_EQ(BuildConfigLines(LineStyle::Dash, odd),
              (std::vector<std::string>{"-a", "-u\" a \"", "-i\"b\"\"", "-o\"\""}));
    // ...but for line breaks, which would split an option into two lines.
    const ConfigFields broken{"C:\\U;\r\nD:\\V", "\n", "\r", "A=B\r\n"};
    EXPECT_EQ(BuildConfigLines(LineStyle::Dash, broken),
              (std::vector<std::string>{"-aA=B", "-u\"C:\\U;D:\\V\"", "-i\"\"", "-o\"\""}));
}

TEST(Create, WritesEachVersionsTextIntoTheMemoAndEnablesSave) {
    struct Row {
        Version v;
        const char* text;
    };
    const Row rows[] = {
        {Version::D1,
         "/m\r\n/cw\r\n/rC:\\DELPHI\\LIB\r\n/iC:\\DELPHI\\LIB\r\n/uC:\\DELPHI\\LIB\r\n"},
        {Version::D2,
         "-aA=B\r\n-u\"C:\\DELPHI\\LIB\"\r\n-i\"C:\\DELPHI\\LIB\"\r\n-o\"C:\\DELPHI\\LIB\"\r\n"},
        {Version::None,
         "-aA=B\r\n-u\"C:\\DELPHI\\LIB\"\r\n-i\"C:\\DELPHI\\LIB\"\r\n-o\"C:\\DELPHI\\LIB\"\r\n"},
    };
    for (const Row& row : rows) {
        Ready h(row.v);
        h.view.SetText(Ctl::Memo1, "old text");
        bCreateClick(h.ctx);
        EXPECT_EQ(h.view.Text(Ctl::Memo1), row.text);
        EXPECT_TRUE(h.view.Enabled(Ctl::bSave));
        EXPECT_TRUE(h.prompts.prompts.empty());
    }
    Ready d3(Version::D3);
    d3.Fields("C:\\D3\\SLib;C:\\D3\\BIN;C:\\L", "C:\\D3\\SLib;C:\\D3\\BIN", "C:\\D3\\SLib;C:\\D3\\BIN");
    bCreateClick(d3.ctx);
    EXPECT_EQ(d3.view.Text(Ctl::Memo1),
              "-aA=B\r\n-u\"C:\\D3\\SLib;C:\\D3\\BIN;C:\\L\"\r\n-i\"C:\\D3\\SLib;C:\\D3\\BIN\"\r\n"
              "-o\"C:\\D3\\SLib;C:\\D3\\BIN\"\r\n");
    EXPECT_TRUE(d3.prompts.prompts.empty());
}

TEST(Create, StopsAtEachCheckLeavingEverythingAsItWas) {
    struct Row {
        const char* name;
        Version v;
        const char* exe;
        const char* unit;
        const char* inc;
        const char* object;
        std::vector<Prompt> prompts;
    };
    const Row rows[] = {
        {"no valid compiler", Version::D2, "(no valid compiler found)", "u", "i", "o", {}},
        {"a file that does not exist", Version::D1, "C:\\NONE\\DCC.EXE", "", "", "", {}},
        {"empty compiler path", Version::D3, "", "u", "i", "o", {}},
        {"empty unit list", Version::D2, "C:\\C\\DCC.EXE", "", "", "", {kUnitEmpty}},
        {"empty include list", Version::D3, "C:\\C\\DCC.EXE", "u", "", "", {kIncEmpty}},
        {"D1 empty resource dir", Version::D1, "C:\\C\\DCC.EXE", "u", "i", "", {kResourceMissing}},
        {"D1 missing resource dir", Version::D1, "C:\\C\\DCC.EXE", "u", "i", "C:\\GONE",
         {kResourceMissing}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Ready h(row.v);
        h.state.extraMessages = true;
        h.view.SetText(Ctl::eExepath, row.exe);
        h.Fields(row.unit, row.inc, row.object);
        h.view.SetText(Ctl::Memo1, "kept");
        for (std::size_t i = 0; i < row.prompts.size(); ++i) h.prompts.Answer(1);
        bCreateClick(h.ctx);
        EXPECT_EQ(h.prompts.prompts, row.prompts);
        EXPECT_EQ(h.view.Text(Ctl::Memo1), "kept");
        EXPECT_FALSE(h.view.Enabled(Ctl::bSave));
        EXPECT_EQ(h.view.Text(Ctl::eUnit), row.unit);
    }
}

TEST(Create, Delphi1ResourceDirWithoutSysutilsBuilds) {
    Ready h(Version::D1);
    h.platform.AddDir("D:\\RES");
    h.view.SetText(Ctl::eObject, "D:\\RES");
    bCreateClick(h.ctx);
    EXPECT_EQ(h.view.Text(Ctl::Memo1),
              "/m\r\n/cw\r\n/rD:\\RES\r\n/iC:\\DELPHI\\LIB\r\n/uC:\\DELPHI\\LIB\r\n");
}

TEST(Create, EmptyAliasGivesABareDashA) {
    Ready h(Version::D2);
    h.view.SetText(Ctl::eAlias, "");
    bCreateClick(h.ctx);
    EXPECT_EQ(SplitLines(h.view.Text(Ctl::Memo1)).front(), "-a");
}

TEST(Create, PressedTwiceDiscardsHandEdits) {
    Ready h(Version::D2);
    bCreateClick(h.ctx);
    const std::string built = h.view.Text(Ctl::Memo1);
    h.view.SetText(Ctl::Memo1, built + "-$D-\r\n");
    bCreateClick(h.ctx);
    EXPECT_EQ(h.view.Text(Ctl::Memo1), built);
}

TEST(Create, ConfirmationFollowsTheExtraMessagesFlag) {
    struct Row {
        bool extra;
        Version v;
        std::string cfgName;
    };
    const Row rows[] = {
        {false, Version::D1, "DCC.CFG"},
        {true, Version::D1, "DCC.CFG"},
        {true, Version::D2, "DCC32.CFG"},
        {true, Version::None, ""},  // never switched: begins with " is built"
    };
    for (const Row& row : rows) {
        Ready h(row.v);
        h.state.extraMessages = row.extra;
        h.state.cfgName = row.cfgName;
        if (row.extra) h.prompts.Answer(1);
        bCreateClick(h.ctx);
        EXPECT_EQ(h.prompts.prompts,
                  row.extra ? std::vector<Prompt>{Built(row.cfgName)} : std::vector<Prompt>{});
        EXPECT_TRUE(h.view.Enabled(Ctl::bSave));
    }
}

TEST(IdeDirectories, SLibAndBinFromTheRegisteredIdePath) {
    struct Row {
        const char* ide;
        const char* slib;
        const char* bin;
    };
    const Row rows[] = {
        {"C:\\D3\\BIN\\DELPHI32.EXE", "C:\\D3\\SLib", "C:\\D3\\BIN"},
        {"c:\\Program Files\\Borland\\Delphi 3\\Bin\\delphi32.exe",
         "c:\\Program Files\\Borland\\Delphi 3\\SLib", "c:\\Program Files\\Borland\\Delphi 3\\Bin"},
        {"C:/D3/BIN/DELPHI32.EXE", "C:/D3/SLib", "C:/D3/BIN"},
        // Too few separators: the harmless relative names.
        {"(unable to open registry key)", "SLib", "Bin"},
        {"", "SLib", "Bin"},
        {"DELPHI32.EXE", "SLib", "Bin"},
        {"C:\\DELPHI32.EXE", "SLib", "C:"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(SLibDirFromIdePath(row.ide), row.slib) << row.ide;
        EXPECT_EQ(BinDirFromIdePath(row.ide), row.bin) << row.ide;
    }
    Ready h(Version::D3);
    EXPECT_EQ(GetSLibDir(h.ctx), kSLib);
    EXPECT_EQ(GetBinDir(h.ctx), kBin);
    h.platform.reg.clear();
    EXPECT_EQ(GetSLibDir(h.ctx), "SLib");
    EXPECT_EQ(GetBinDir(h.ctx), "Bin");
}

TEST(ListLacksDir, ComparesWholeEntriesIgnoringCaseAndOneTrailingBackslash) {
    struct Row {
        const char* list;
        bool lacks;
    };
    const Row rows[] = {
        {"C:\\D3\\SLib;C:\\X", false},
        {"C:\\X;C:\\D3\\SLib", false},  // last entry, no ";"
        {"C:\\X;C:\\D3\\SLib;", false},
        {"c:\\d3\\slib", false},
        {"C:\\D3\\SLIB\\", false},
        {"C:\\X;C:\\D3\\SLib\\;D:\\Y", false},
        {"", true},
        {"C:\\X", true},
        {"C:\\D3\\SLib\\\\", true},        // two trailing backslashes
        {"C:\\D3\\SLibrary;C:\\X", true},  // a longer name
        {"D:\\C:\\D3\\SLib;", true},       // holds "C:\D3\SLib;" only as a substring
        {" C:\\D3\\SLib", true},           // entries are not trimmed
    };
    for (const Row& row : rows) EXPECT_EQ(ListLacksDir(row.list, kSLib), row.lacks) << row.list;
    EXPECT_FALSE(ListLacksDir("C:\\D3\\SLib", "C:\\D3\\SLib\\"));
}

TEST(CheckDelphi3Paths, AsksPerPassAndAddsOnlyWhereLacking) {
    struct Row {
        const char* name;
        const char* unit;
        const char* inc;
        const char* object;
        std::vector<int> answers;  // one per question asked
        std::vector<Prompt> prompts;
        const char* unitAfter;
        const char* incAfter;
        const char* objectAfter;
    };
    const Row rows[] = {
        {"SLib missing everywhere, Bin present: add", "C:\\D3\\BIN", "C:\\D3\\BIN", "C:\\D3\\BIN",
         {1}, {SLibQuestion(kSLib)}, "C:\\D3\\SLib;C:\\D3\\BIN", "C:\\D3\\SLib;C:\\D3\\BIN",
         "C:\\D3\\SLib;C:\\D3\\BIN"},
        {"both missing: add both, Bin goes in front of SLib", "C:\\L", "C:\\L", "C:\\L", {1, 1},
         {SLibQuestion(kSLib), BinQuestion(kBin)}, "C:\\D3\\BIN;C:\\D3\\SLib;C:\\L",
         "C:\\D3\\BIN;C:\\D3\\SLib;C:\\L", "C:\\D3\\BIN;C:\\D3\\SLib;C:\\L"},
        {"both missing: ignore SLib, the Bin pass still asks", "C:\\L", "C:\\L", "C:\\L", {2, 1},
         {SLibQuestion(kSLib), BinQuestion(kBin)}, "C:\\D3\\BIN;C:\\L", "C:\\D3\\BIN;C:\\L",
         "C:\\D3\\BIN;C:\\L"},
        {"both missing: escape and close change nothing", "C:\\L", "C:\\L", "C:\\L", {2, 3},
         {SLibQuestion(kSLib), BinQuestion(kBin)}, "C:\\L", "C:\\L", "C:\\L"},
        {"only the object list lacks them", "C:\\D3\\SLib;C:\\D3\\BIN", "C:\\D3\\SLib;C:\\D3\\BIN",
         "C:\\L", {1, 1}, {SLibQuestion(kSLib), BinQuestion(kBin)}, "C:\\D3\\SLib;C:\\D3\\BIN",
         "C:\\D3\\SLib;C:\\D3\\BIN", "C:\\D3\\BIN;C:\\D3\\SLib;C:\\L"},
        {"last entries without ';' count as present", "C:\\L;C:\\D3\\BIN;C:\\D3\\SLib",
         "C:\\D3\\BIN;C:\\D3\\SLib", "C:\\D3\\SLib;C:\\D3\\BIN", {}, {},
         "C:\\L;C:\\D3\\BIN;C:\\D3\\SLib", "C:\\D3\\BIN;C:\\D3\\SLib", "C:\\D3\\SLib;C:\\D3\\BIN"},
        {"other letter case and trailing backslashes count as present",
         "c:\\d3\\slib\\;C:\\D3\\Bin\\", "C:\\D3\\SLIB;c:\\d3\\bin", "C:\\D3\\SLib;C:\\D3\\BIN",
         {}, {}, "c:\\d3\\slib\\;C:\\D3\\Bin\\", "C:\\D3\\SLIB;c:\\d3\\bin",
         "C:\\D3\\SLib;C:\\D3\\BIN"},
        {"empty object list gets the directory alone", "C:\\D3\\SLib;C:\\D3\\BIN",
         "C:\\D3\\SLib;C:\\D3\\BIN", "", {1, 2}, {SLibQuestion(kSLib), BinQuestion(kBin)},
         "C:\\D3\\SLib;C:\\D3\\BIN", "C:\\D3\\SLib;C:\\D3\\BIN", "C:\\D3\\SLib;"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Ready h(Version::D3);
        h.Fields(row.unit, row.inc, row.object);
        for (int a : row.answers) h.prompts.Answer(a);
        CheckDelphi3Paths(h.ctx);
        EXPECT_EQ(h.prompts.prompts, row.prompts);
        EXPECT_EQ(h.view.Text(Ctl::eUnit), row.unitAfter);
        EXPECT_EQ(h.view.Text(Ctl::eInc), row.incAfter);
        EXPECT_EQ(h.view.Text(Ctl::eObject), row.objectAfter);
        h.prompts.ExpectScriptUsed();
    }
}

TEST(CheckDelphi3Paths, WithoutARegisteredIdeOffersTheRelativeNames) {
    Ready h(Version::D3);
    h.platform.reg.clear();
    h.Fields("C:\\L", "C:\\L", "C:\\L");
    h.prompts.Answer(1).Answer(1);
    CheckDelphi3Paths(h.ctx);
    EXPECT_EQ(h.prompts.prompts,
              (std::vector<Prompt>{SLibQuestion("SLib"), BinQuestion("Bin")}));
    EXPECT_EQ(h.view.Text(Ctl::eUnit), "Bin;SLib;C:\\L");
}

TEST(CheckDelphi3Paths, DirectoryWithASemicolonIsNotOffered) {
    // Added, "C:\A;B\BIN;" would be the two entries "C:\A" and "B\BIN".
    Ready h(Version::D3);
    h.platform.AddRegValue(RegRoot::LocalMachine, kD3Ide, "Delphi 3", "C:\\A;B\\BIN\\DELPHI32.EXE");
    h.Fields("C:\\L", "C:\\L", "C:\\L");
    CheckDelphi3Paths(h.ctx);
    EXPECT_TRUE(h.prompts.prompts.empty());
    EXPECT_EQ(h.view.Text(Ctl::eUnit), "C:\\L");
}

TEST(Create, Delphi3BuildsFromTheListsTheCheckLeft) {
    struct Row {
        int slibAnswer, binAnswer;
        const char* unit;
    };
    const Row rows[] = {
        {1, 1, "C:\\D3\\BIN;C:\\D3\\SLib;C:\\L"},
        {2, 2, "C:\\L"},
    };
    for (const Row& row : rows) {
        Ready h(Version::D3);
        h.Fields("C:\\L", "C:\\L", "C:\\L");
        h.prompts.Answer(row.slibAnswer).Answer(row.binAnswer);
        bCreateClick(h.ctx);
        const std::string u = row.unit;
        EXPECT_EQ(h.view.Text(Ctl::Memo1),
                  "-aA=B\r\n-u\"" + u + "\"\r\n-i\"" + u + "\"\r\n-o\"" + u + "\"\r\n");
        EXPECT_TRUE(h.view.Enabled(Ctl::bSave));
        h.prompts.ExpectScriptUsed();
    }
}

TEST(Create, NoDelphi3CheckForDelphi2OrNoVersion) {
    for (Version v : {Version::D2, Version::None}) {
        Ready h(v);
        h.Fields("C:\\L", "C:\\L", "C:\\L");
        bCreateClick(h.ctx);
        EXPECT_TRUE(h.prompts.prompts.empty());
        EXPECT_EQ(h.view.Text(Ctl::eUnit), "C:\\L");
    }
}

}  // namespace
}  // namespace quillet

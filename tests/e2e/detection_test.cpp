// Choosing a version, finding the compiler, filling the fields and building
// the configuration text, through quillet.exe as a person uses it.

#include <gtest/gtest.h>

#include "delphi_fixture.h"
#include "driver.h"

namespace e2e {
namespace {

struct Fields {
    std::string exe, unit, inc, object, alias, memo;
};

Fields ReadFields(HWND main) {
    return {Text(FindControl(main, "eExepath")), Text(FindControl(main, "eUnit")),
            Text(FindControl(main, "eInc")),     Text(FindControl(main, "eObject")),
            Text(FindControl(main, "eAlias")),   Text(FindControl(main, "Memo1"))};
}

const char* const kFilledMessage =
    "Data for .CFG fields has been automatically filled in based on registry or .INI settings "
    "for your selected compiler. Press Create to generate and edit .CFG data for the "
    "configuration file.";

TEST(VersionSwitch, EachVersionFillsItsFields) {
    Session s(true);
    ASSERT_TRUE(s.Start());
    const DelphiFixture& d = s.delphi_;
    struct Case {
        const char* radio;
        std::string exe, unit, object, alias;
        bool aliasEnabled;
        const char* objectLabel;
    };
    const Case cases[] = {
        {"rD1", d.d1Dcc, d.d1SearchPath, d.d1Lib, "(not applicable to Delphi 1)", false,
         "Resource directories"},
        {"rD2", d.d2Dcc, d.d2SearchPath, d.d2SearchPath, d.d2Aliases, true, "Object directories"},
        {"rD3", d.d3Dcc, d.d3SearchPath, d.d3SearchPath, d.d3Aliases, true, "Object directories"},
        {"rD1", d.d1Dcc, d.d1SearchPath, d.d1Lib, "(not applicable to Delphi 1)", false,
         "Resource directories"},
    };
    bool first = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.radio);
        s.Press(c.radio);
        if (!first) {
            // The fields hold text the switch filled: the program asks first.
            MessageDialog q = s.Dialog("Unsaved configuration detected");
            ASSERT_TRUE(q);
            ASSERT_TRUE(q.Press(2));
        }
        first = false;
        MessageDialog filled = s.Dialog("Essential fields filled");
        ASSERT_TRUE(filled);
        EXPECT_EQ(filled.message, kFilledMessage);
        EXPECT_EQ(filled.ButtonCount(), 1);
        EXPECT_EQ(filled.buttons[0], "&OK");
        ASSERT_TRUE(filled.Press(1));
        s.Settle();
        const Fields f = ReadFields(s.main_);
        EXPECT_EQ(f.exe, c.exe);
        EXPECT_EQ(f.unit, c.unit);
        EXPECT_EQ(f.inc, c.unit);
        EXPECT_EQ(f.object, c.object);
        EXPECT_EQ(f.alias, c.alias);
        EXPECT_EQ(IsEnabled(s.Control("eAlias")), c.aliasEnabled);
        EXPECT_EQ(IsEnabled(s.Control("lAlias")), c.aliasEnabled);
        EXPECT_EQ(Text(s.Control("lObject")), c.objectLabel);
        EXPECT_TRUE(IsEnabled(s.Control("bCreate")));
        EXPECT_FALSE(IsEnabled(s.Control("bSave")));
    }
}

TEST(VersionSwitch, Delphi1ResourceDirectoryProblems) {
    Session s;
    const DelphiFixture& d = s.delphi_;
    ASSERT_TRUE(MakeDirs(s.folder_.File("EMPTY\\LIB")));
    const std::string units = d.d1Root + "\\UNITS";
    struct Case {
        std::string searchPath;
        const char* text;
    };
    const Case cases[] = {
        {units, "A \\LIB\\ directory was not found in Delphi 1's expected location."},
        // no drive before the \LIB entry; it still names the sample compiler
        {d.d1Lib.substr(2), "A valid \\LIB\\ directory was not found in Delphi 1's search path."},
        {units + ";C:\\GONE\\LIB",
         "The \\LIB\\ dir in Delphi 1's search path no longer exists on your system or can't be "
         "found."},
        {units + ";" + s.folder_.File("EMPTY\\LIB"),
         "SYSUTILS.DCU was not found in the expected \\LIB\\ directory, indicating that the "
         "expected directory is not a valid \\LIB\\ directory."},
    };
    ASSERT_TRUE(s.Start());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.searchPath);
        DelphiFixture::SetSearchPath1(c.searchPath);
        s.Press("bUpdate");
        if (&c != &cases[0]) {
            MessageDialog q = s.Dialog("Unsaved configuration detected");
            ASSERT_TRUE(q);
            ASSERT_TRUE(q.Press(2));
        }
        // bUpdate before a version is chosen takes the 32-bit path; choose
        // Delphi 1 first time round.
        if (&c == &cases[0]) {
            MessageDialog notFound = s.Dialog("DCC32.EXE not found");
            ASSERT_TRUE(notFound.Press(1));
            MessageDialog invalid = s.Dialog("Invalid compiler .EXE selected");
            ASSERT_TRUE(invalid.Press(2));
            s.Settle();
            s.Press("rD1");
            MessageDialog q = s.Dialog("Unsaved configuration detected");
            ASSERT_TRUE(q.Press(2));
        }
        MessageDialog problem = s.Dialog("Resource directory detection error");
        ASSERT_TRUE(problem);
        EXPECT_EQ(problem.message,
                  std::string(c.text) + "\n\n Would you like to select this directory manually?");
        EXPECT_EQ(problem.buttons[0], "&Select");
        EXPECT_EQ(problem.buttons[1], "&Ignore");
        ASSERT_TRUE(problem.Press(2));
        s.Settle();
        // The compiler is expected beside the first entry's parent, as written.
        const bool hasDrive = c.searchPath[1] == ':';
        EXPECT_EQ(Text(s.Control("eExepath")), hasDrive ? d.d1Dcc : d.d1Dcc.substr(2));
        EXPECT_EQ(Text(s.Control("eUnit")), c.searchPath);
        EXPECT_EQ(Text(s.Control("eObject")), "") << "ignoring leaves the field unfilled";
        EXPECT_FALSE(IsEnabled(s.Control("bCreate")));
    }

    // "&Select" opens the folder browser; cancelling it changes nothing.
    s.Press("bUpdate");
    ASSERT_TRUE(s.Dialog("Unsaved configuration detected").Press(2));
    ASSERT_TRUE(s.Dialog("Resource directory detection error").Press(1));
    HWND browser = WaitForStandardDialog(s.app_);
    ASSERT_TRUE(browser);
    EXPECT_EQ(Text(browser), "Select Delphi 1 \\LIB\\ directory");
    ASSERT_TRUE(CancelDialog(browser));
    s.Settle();
    EXPECT_EQ(Text(s.Control("eObject")), "");
}

TEST(VersionSwitch, MissingCompilerRetryThenIgnore) {
    Session s;
    DelphiFixture::SetReg(HKEY_LOCAL_MACHINE, "SOFTWARE\\Borland\\Delphi\\2.0", "Delphi 2.0",
                          "C:\\NOWHERE\\BIN\\DELPHI32.EXE");
    ASSERT_TRUE(s.Start());
    s.Press("rD2");
    const std::string notice =
        "The application did not find dcc32.exe at the expected location of "
        "C:\\NOWHERE\\BIN\\dcc32.exe. Please select it now using the file selector. The correct "
        "path is essential to the successful completion of this procedure.";
    const std::string invalidText =
        "You did not select a valid dcc32.exe command line compiler. You must select this file "
        "on your system to continue.\n\nDo you wish to retry the search?.";
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        MessageDialog n = s.Dialog("DCC32.EXE not found");
        ASSERT_TRUE(n);
        EXPECT_EQ(n.message, notice);
        ASSERT_TRUE(n.Press(1));
        HWND selector = WaitForStandardDialog(s.app_);
        ASSERT_TRUE(selector);
        ASSERT_TRUE(CancelDialog(selector));
        MessageDialog invalid = s.Dialog("Invalid compiler .EXE selected");
        ASSERT_TRUE(invalid);
        EXPECT_EQ(invalid.message, invalidText);
        EXPECT_EQ(invalid.buttons[0], "&Retry");
        EXPECT_EQ(invalid.buttons[1], "&Ignore");
        ASSERT_TRUE(invalid.Press(round == 0 ? 1 : 2));
    }
    s.Settle();
    const Fields f = ReadFields(s.main_);
    EXPECT_EQ(f.exe, "(no valid compiler found)");
    EXPECT_EQ(f.unit, s.delphi_.d2SearchPath) << "the fields are filled all the same";
    EXPECT_EQ(f.alias, s.delphi_.d2Aliases);

    // Create does nothing visible without a compiler.
    ASSERT_TRUE(Click(s.Control("bCreate")));
    EXPECT_EQ(Text(s.Control("Memo1")), "");
    EXPECT_FALSE(IsEnabled(s.Control("bSave")));

    // The selector accepts the sample compiler.
    s.Press("rD3");
    ASSERT_TRUE(s.Dialog("Unsaved configuration detected").Press(2));
    s.Settle();
    DelphiFixture::SetReg(HKEY_LOCAL_MACHINE, "SOFTWARE\\Borland\\Delphi\\2.0", "Delphi 2.0",
                          "C:\\NOWHERE\\BIN\\DELPHI32.EXE");
    s.Press("rD2");
    ASSERT_TRUE(s.Dialog("Unsaved configuration detected").Press(2));
    ASSERT_TRUE(s.Dialog("DCC32.EXE not found").Press(1));
    HWND selector = WaitForStandardDialog(s.app_);
    ASSERT_TRUE(AnswerOpenFile(selector, s.delphi_.d2Dcc));
    s.Settle();
    EXPECT_EQ(Text(s.Control("eExepath")), s.delphi_.d2Dcc);
}

TEST(VersionSwitch, UnsavedConfigurationQuestion) {
    Session s;
    ASSERT_TRUE(s.Start());
    ASSERT_TRUE(Click(s.Control("rD2")));  // first switch: nothing to ask about
    EXPECT_FALSE(s.app_.FindTopWindow(kMessageDialogClass));
    ASSERT_TRUE(Click(s.Control("bCreate")));
    ASSERT_FALSE(Text(s.Control("Memo1")).empty());

    const char* const question =
        "You have an unsaved configuration currently in the interface. Do you wish to save it "
        "first or clear all fields for a new configuration file?";

    // Only the text box holds text: still asked; "&Clear" empties it.
    for (const char* field : {"eUnit", "eInc", "eObject"}) ASSERT_TRUE(SetText(s.Control(field), ""));
    s.Press("rD3");
    MessageDialog q = s.Dialog("Unsaved configuration detected");
    ASSERT_TRUE(q);
    EXPECT_EQ(q.message, question);
    EXPECT_EQ(q.buttons[0], "&Save");
    EXPECT_EQ(q.buttons[1], "&Clear");
    ASSERT_TRUE(q.Press(2));
    s.Settle();
    EXPECT_EQ(Text(s.Control("Memo1")), "");
    EXPECT_EQ(Text(s.Control("eUnit")), s.delphi_.d3SearchPath);

    // Only the alias field holds text: nothing is asked.
    for (const char* field : {"eUnit", "eInc", "eObject"}) ASSERT_TRUE(SetText(s.Control(field), ""));
    ASSERT_TRUE(Click(s.Control("bUpdate")));
    EXPECT_FALSE(s.app_.FindTopWindow(kMessageDialogClass));
    EXPECT_EQ(Text(s.Control("eUnit")), s.delphi_.d3SearchPath);
}

TEST(Create, TextForEachVersionByteForByte) {
    Session s;
    ASSERT_TRUE(s.Start());
    const DelphiFixture& d = s.delphi_;

    ASSERT_TRUE(Click(s.Control("rD1")));
    ASSERT_TRUE(Click(s.Control("bCreate")));
    EXPECT_EQ(Text(s.Control("Memo1")), Lines16(d.d1Lib, d.d1SearchPath, d.d1SearchPath));
    EXPECT_TRUE(IsEnabled(s.Control("bSave")));

    s.Press("rD2");
    ASSERT_TRUE(s.Dialog("Unsaved configuration detected").Press(2));
    s.Settle();
    ASSERT_TRUE(Click(s.Control("bCreate")));
    const std::string sp2 = d.d2SearchPath;
    EXPECT_EQ(Text(s.Control("Memo1")), Lines32(d.d2Aliases, sp2, sp2, sp2));

    // Hand edits are discarded by the next Create.
    ASSERT_TRUE(SetText(s.Control("Memo1"), "-aEdited\r\n"));
    ASSERT_TRUE(Click(s.Control("bCreate")));
    EXPECT_EQ(Text(s.Control("Memo1")), Lines32(d.d2Aliases, sp2, sp2, sp2));
}

TEST(Create, Delphi3AutoAddWithAddAndIgnore) {
    Session s;
    ASSERT_TRUE(s.Start());
    const DelphiFixture& d = s.delphi_;
    const std::string sp = d.d3SearchPath;
    ASSERT_TRUE(Click(s.Control("rD3")));

    // Ignore both: the fields stay as they are.
    s.Press("bCreate");
    MessageDialog slib = s.Dialog("SLib directory not in path list");
    ASSERT_TRUE(slib);
    EXPECT_EQ(slib.message, d.d3SLib +
                                "; could not be found in the path lists in one or more of the path "
                                "list fields (Unit, Include and Object) where it is required for "
                                "Delphi 3.\n\nAuto-add this directory where needed?");
    EXPECT_EQ(slib.buttons[0], "&Add");
    EXPECT_EQ(slib.buttons[1], "&Ignore");
    ASSERT_TRUE(slib.Press(2));
    MessageDialog bin = s.Dialog("Bin directory not in path list");
    ASSERT_TRUE(bin);
    EXPECT_EQ(bin.message, d.d3Bin +
                               "; could not be found in the path lists in one or more of the path "
                               "list fields (Unit, Include and Object). The \\Bin\\ directory "
                               "contains vital DPLs and is required for Delphi 3.\n\nAuto-add this "
                               "directory where needed?");
    ASSERT_TRUE(bin.Press(2));
    s.Settle();
    EXPECT_EQ(Text(s.Control("Memo1")), Lines32(d.d3Aliases, sp, sp, sp));

    // Add both: each list gets the directory in front.
    s.Press("bCreate");
    ASSERT_TRUE(s.Dialog("SLib directory not in path list").Press(1));
    ASSERT_TRUE(s.Dialog("Bin directory not in path list").Press(1));
    s.Settle();
    const std::string added = d.d3Bin + ";" + d.d3SLib + ";" + sp;
    EXPECT_EQ(Text(s.Control("eUnit")), added);
    EXPECT_EQ(Text(s.Control("eObject")), added);
    EXPECT_EQ(Text(s.Control("Memo1")), Lines32(d.d3Aliases, added, added, added));

    // Now every list holds both: nothing is asked.
    ASSERT_TRUE(Click(s.Control("bCreate")));
    EXPECT_FALSE(s.app_.FindTopWindow(kMessageDialogClass));
}

TEST(Create, UpdateFieldsBeforeAnyVersion) {
    Session s(true);
    ASSERT_TRUE(s.Start());
    s.Press("bUpdate");
    MessageDialog n = s.Dialog("DCC32.EXE not found");
    ASSERT_TRUE(n);
    EXPECT_EQ(n.message,
              "The application did not find dcc32.exe at the expected location of . Please select "
              "it now using the file selector. The correct path is essential to the successful "
              "completion of this procedure.");
    ASSERT_TRUE(n.Press(1));
    // No selector opens with no version chosen.
    ASSERT_TRUE(s.Dialog("Invalid compiler .EXE selected").Press(2));
    ASSERT_TRUE(s.Dialog("Essential fields filled").Press(1));
    s.Settle();
    const Fields f = ReadFields(s.main_);
    EXPECT_EQ(f.exe, "(no valid compiler found)");
    EXPECT_EQ(f.unit, s.delphi_.d3SearchPath) << "the Delphi 3 key fills the fields";
    EXPECT_EQ(f.alias, s.delphi_.d3Aliases);
    for (const char* radio : {"rD1", "rD2", "rD3"}) EXPECT_FALSE(IsChecked(s.Control(radio)));
    EXPECT_TRUE(IsEnabled(s.Control("bCreate")));
}

TEST(VersionSwitch, TypingTheMissingAliasesEnablesCreate) {
    Session s;
    DelphiFixture::SetReg(HKEY_CURRENT_USER, "Software\\Borland\\Delphi\\3.0\\Library",
                          "UnitAliases", "");
    ASSERT_TRUE(s.Start());
    ASSERT_TRUE(Click(s.Control("rD3")));
    HWND create = s.Control("bCreate");
    EXPECT_FALSE(IsEnabled(create)) << "no aliases were read";

    ASSERT_TRUE(TypeText(s.Control("eAlias"), "WinTypes=Windows"));
    EXPECT_TRUE(WaitFor([&] { return IsEnabled(create); }, kWaitMs, "Create enabled by typing"));

    // Emptying a field by hand leaves Create enabled: its own warning says why.
    ASSERT_TRUE(SetText(s.Control("eUnit"), ""));
    s.Settle();
    EXPECT_TRUE(IsEnabled(create));
    s.Press("bCreate");
    ASSERT_TRUE(s.Dialog("Unit directories list invalid").Press(1));
}

}  // namespace
}  // namespace e2e

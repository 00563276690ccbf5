// Save where Windows refuses the program's own writes: the question, the real
// quilletc.exe through the real "runas", a folder that refuses the elevated
// run too, and a hidden copy of the configuration in the VirtualStore.

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "delphi_fixture.h"
#include "driver.h"

namespace e2e {
namespace {

// The window acts as a standard user whose writes into one folder of the
// session Windows refuses; quilletc.exe ships beside it. quillet.exe inherits
// the test program's environment.
struct ProtectedSession : Session {
    explicit ProtectedSession(const std::string& folder) : Session(false, true) {
        SetEnvironmentVariableA("QUILLET_ASSUME_STANDARD_USER", "1");
        SetEnvironmentVariableA("QUILLET_TEST_PROTECTED_FOLDER", folder_.File(folder).c_str());
        EXPECT_TRUE(folder_.CopyFromBin("quilletc.exe"));
        Start();
    }
    ~ProtectedSession() {
        for (const char* name : {"QUILLET_ASSUME_STANDARD_USER", "QUILLET_TEST_PROTECTED_FOLDER"}) {
            SetEnvironmentVariableA(name, nullptr);
        }
    }
};

std::string Folder(int csidl) {
    char path[MAX_PATH] = {};
    return SHGetFolderPathA(nullptr, csidl, nullptr, 0, path) == S_OK ? path : "(none)";
}

TEST(ProtectedFolder, SaveAsAdministratorWritesWhatAPlainSaveWrites) {
    ProtectedSession s("D2\\Delphi 2.0\\BIN");
    const DelphiFixture& d = s.delphi_;
    const std::string dir = d.d2Bin + "\\", link = Folder(CSIDL_DESKTOPDIRECTORY) + "\\LunketD2.lnk";
    DeleteFileA(link.c_str());
    ASSERT_TRUE(Click(s.Control("rD2")) && Click(s.Control("bCreate")) && Click(s.Control("cShortcut")));
    s.Press("bSave");
    MessageDialog q = s.Dialog("Folder protected by Windows");
    EXPECT_EQ(q.message, "Windows protects " + d.d2Bin +
                             ", so dcc32.cfg could not be written there.\n\nSave there as "
                             "administrator?");
    ASSERT_TRUE(q.Press(1));
    ASSERT_TRUE(s.Dialog("Desktop shortcut created").Press(1));
    s.Settle();

    const std::string sp = d.d2SearchPath;
    EXPECT_EQ(ReadAll(dir + "dcc32.cfg"), Lines32(d.d2Aliases, sp, sp, sp));
    EXPECT_EQ(ReadAll(dir + "dcc32.bat"), ShortPathOf(d.d2Dcc) + " %1\r\npause\r\n");
    EXPECT_EQ(ReadAll(dir + "LunketD2.exe"), ReadAll(s.folder_.File("LunketD2.exe")));
    EXPECT_TRUE(ReadAll(link)) << "the window, not the elevated run, made the shortcut";
    EXPECT_EQ(Text(s.Control("Memo1")), "");
    EXPECT_FALSE(IsEnabled(s.Control("bSave")));
    DeleteFileA(link.c_str());
}

// A folder that refuses the administrator too: the immutable attribute that
// scripts/wine-tests.sh sets on a folder with a compiler and an old configuration.
TEST(ProtectedFolder, WhereElevationDoesNotHelpTheReasonIsShownAndNothingIsLost) {
    char immutable[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("QUILLET_E2E_IMMUTABLE_FOLDER", immutable, MAX_PATH)) {
        GTEST_SKIP() << "no immutable folder: the file system or the run does not allow one";
    }
    const std::string dir = std::string(immutable) + "\\";
    const auto old = ReadAll(dir + "dcc32.cfg");
    ProtectedSession s("none");
    ASSERT_TRUE(old && Click(s.Control("rD2")));
    ASSERT_TRUE(SetText(s.Control("eExepath"), dir + "dcc32.exe") && Click(s.Control("bCreate")));
    const std::string memo = Text(s.Control("Memo1"));
    s.Press("bSave");
    ASSERT_TRUE(s.Dialog("Existing .CFG file detected").Press(1));
    ASSERT_TRUE(s.Dialog("Folder protected by Windows").Press(1));
    // The general error report, a system message box, says why.
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = s.app_.FindTopWindow(kStandardDialogClass)); },
                        kWaitMs, "the error report"));
    const std::string start = "Cannot create file " + dir + "dcc32.cfg. ";
    const std::string report = Text(GetDlgItem(box, 0xFFFF));
    EXPECT_EQ(report.substr(0, start.size()), start);
    EXPECT_GT(report.size(), start.size()) << "followed by the system's reason";
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    s.Settle();
    EXPECT_EQ(ReadAll(dir + "dcc32.cfg"), old);
    EXPECT_EQ(Text(s.Control("Memo1")), memo);
    EXPECT_TRUE(IsEnabled(s.Control("bSave")));

    // quilletc fails as honestly, with an exit code of its own.
    const Outcome run = Quilletc(s.folder_, "save 2 --overwrite --compiler \"" + dir + "dcc32.exe\"");
    EXPECT_EQ(run.code, 4u);
    EXPECT_NE(run.err.find(start), std::string::npos) << run.err;
    EXPECT_EQ(ReadAll(dir + "dcc32.cfg"), old);
}

TEST(ProtectedFolder, AHiddenVirtualStoreCopyIsNamedAndMovedAside) {
    ProtectedSession s("none");
    const std::string store = Folder(CSIDL_LOCAL_APPDATA) + "\\VirtualStore", bin = s.delphi_.d2Bin;
    const std::string twin = store + bin.substr(2) + "\\dcc32.cfg", ini = store + "\\Windows\\delphi.ini";
    ASSERT_TRUE(MakeDirs(twin.substr(0, twin.rfind('\\'))) && MakeDirs(store + "\\Windows"));
    ASSERT_TRUE(s.folder_.WriteFile("hidden", "-hidden\r\n"));
    ASSERT_TRUE(CopyFileA(s.folder_.File("hidden").c_str(), twin.c_str(), FALSE));

    const Outcome text = Quilletc(s.folder_, "check 2"), json = Quilletc(s.folder_, "check 2 --json");
    EXPECT_EQ(text.code, 5u);
    EXPECT_NE(text.out.find(twin), std::string::npos) << text.out;
    EXPECT_EQ(json.code, 5u);
    EXPECT_NE(json.out.find("\"kind\":\"virtual-store-copy\""), std::string::npos) << json.out;

    ASSERT_TRUE(Click(s.Control("rD2")) && Click(s.Control("bCreate")));
    s.Press("bSave");
    MessageDialog warning = s.Dialog("Hidden configuration file found");
    EXPECT_EQ(warning.message, "Windows keeps a hidden copy of dcc32.cfg in your VirtualStore: " +
                                   twin + ". The compiler reads that copy and not " + bin +
                                   "\\dcc32.cfg, which Save writes.\n\nMove the hidden copy aside "
                                   "(it is renamed, not deleted)?");
    ASSERT_TRUE(warning.Press(1));
    s.Settle();
    EXPECT_FALSE(ReadAll(twin));
    EXPECT_EQ(ReadAll(twin + ".hidden"), "-hidden\r\n");
    EXPECT_TRUE(ReadAll(bin + "\\dcc32.cfg"));
    EXPECT_EQ(Quilletc(s.folder_, "check 2").code, 0u);
    DeleteFileA((twin + ".hidden").c_str());

    // Delphi 1's delphi.ini has its twin too: the window says which it read.
    ASSERT_TRUE(CopyFileA(DelphiFixture::DelphiIni().c_str(), ini.c_str(), FALSE));
    s.Press("rD1");
    MessageDialog which = s.Dialog("Hidden delphi.ini found");
    EXPECT_NE(which.message.find("came from delphi.ini in the Windows folder. Windows also keeps a "
                                 "hidden copy of it in your VirtualStore, " + ini),
              std::string::npos) << which.message;
    ASSERT_TRUE(which.Press(1));
    s.Settle();
    DeleteFileA(ini.c_str());
}

}  // namespace
}  // namespace e2e

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

// An environment variable of the test program, which quillet.exe inherits,
// for one test.
struct Env {
    Env(const char* name, const std::string& value) : name(name) {
        SetEnvironmentVariableA(name, value.c_str());
    }
    ~Env() { SetEnvironmentVariableA(name, nullptr); }
    const char* name;
};

std::string Read(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) return "(missing)";
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(h, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    CloseHandle(h);
    return bytes;
}

std::string ShortPathOf(const std::string& path) {
    char buffer[MAX_PATH] = {};
    const DWORD got = GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
    return got > 0 && got < MAX_PATH ? std::string(buffer, got) : path;
}

// The general error report: a system message box over the main window,
// read and closed with its one button.
std::string ErrorReportText(const App& app) {
    HWND box = nullptr;
    if (!WaitFor([&] { return (box = app.FindTopWindow(kStandardDialogClass, kMainCaption)); },
                 kWaitMs, "the error report")) {
        return "";
    }
    const std::string text = Text(GetDlgItem(box, 0xFFFF));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntilGone(box));
    return text;
}

// The window acts as a standard user whose writes into one folder of the
// session (`folder`, or none) Windows refuses; quilletc.exe ships beside it.
struct ProtectedSession : Session {
    explicit ProtectedSession(const std::string& folder)
        : Session(false, true), standardUser("QUILLET_ASSUME_STANDARD_USER", "1"),
          protectedFolder("QUILLET_TEST_PROTECTED_FOLDER", folder_.File(folder)) {
        EXPECT_TRUE(folder_.CopyFromBin("quilletc.exe"));
        Start();
    }
    Env standardUser, protectedFolder;
};

TEST(ProtectedFolder, SaveAsAdministratorWritesWhatAPlainSaveWrites) {
    ProtectedSession s("D2\\Delphi 2.0\\BIN");
    ASSERT_TRUE(s.main_);
    const DelphiFixture& d = s.delphi_;
    const std::string dir = d.d2Bin + "\\";
    char desktop[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop), S_OK);
    const std::string link = std::string(desktop) + "\\LunketD2.lnk";
    DeleteFileA(link.c_str());

    ASSERT_TRUE(Click(s.Control("rD2")));
    ASSERT_TRUE(Click(s.Control("bCreate")));
    ASSERT_TRUE(Click(s.Control("cShortcut")));
    s.Press("bSave");
    MessageDialog q = s.Dialog("Folder protected by Windows");
    ASSERT_TRUE(q);
    EXPECT_EQ(q.message, "Windows protects " + d.d2Bin +
                             ", so dcc32.cfg could not be written there.\n\nSave there as "
                             "administrator?");
    ASSERT_TRUE(q.Press(1));
    ASSERT_TRUE(s.Dialog("Desktop shortcut created").Press(1));
    s.Settle();

    const std::string sp = d.d2SearchPath;
    EXPECT_EQ(Read(dir + "dcc32.cfg"), Lines32(d.d2Aliases, sp, sp, sp));
    EXPECT_EQ(Read(dir + "dcc32.bat"), ShortPathOf(d.d2Dcc) + " %1\r\npause\r\n");
    EXPECT_EQ(Read(dir + "LunketD2.exe"), Read(s.folder_.File("LunketD2.exe")));
    EXPECT_NE(Read(link), "(missing)") << "the window, not the elevated run, made the shortcut";
    EXPECT_EQ(Text(s.Control("Memo1")), "");
    EXPECT_FALSE(IsEnabled(s.Control("bSave")));
    DeleteFileA(link.c_str());
}

// A folder that refuses the administrator too: the immutable attribute, set by
// the test script (scripts/wine-tests.sh) on a folder holding a compiler and
// an old configuration.
TEST(ProtectedFolder, WhereElevationDoesNotHelpTheReasonIsShownAndNothingIsLost) {
    char immutable[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("QUILLET_E2E_IMMUTABLE_FOLDER", immutable, MAX_PATH)) {
        GTEST_SKIP() << "no immutable folder: the file system or the run does not allow one";
    }
    const std::string dir = std::string(immutable) + "\\";
    const std::string old = Read(dir + "dcc32.cfg");
    ASSERT_NE(old, "(missing)");
    ProtectedSession s("none");
    ASSERT_TRUE(s.main_);
    ASSERT_TRUE(Click(s.Control("rD2")));
    ASSERT_TRUE(SetText(s.Control("eExepath"), dir + "dcc32.exe"));
    ASSERT_TRUE(Click(s.Control("bCreate")));
    const std::string memo = Text(s.Control("Memo1"));
    s.Press("bSave");
    ASSERT_TRUE(s.Dialog("Existing .CFG file detected").Press(1));
    ASSERT_TRUE(s.Dialog("Folder protected by Windows").Press(1));
    const std::string start = "Cannot create file " + dir + "dcc32.cfg. ";
    const std::string report = ErrorReportText(s.app_);
    EXPECT_EQ(report.substr(0, start.size()), start);
    EXPECT_GT(report.size(), start.size()) << "followed by the system's reason";
    s.Settle();
    EXPECT_EQ(Read(dir + "dcc32.cfg"), old);
    EXPECT_EQ(Text(s.Control("Memo1")), memo);
    EXPECT_TRUE(IsEnabled(s.Control("bSave")));

    // quilletc fails as honestly, with an exit code of its own.
    const Outcome run =
        Quilletc(s.folder_, "save 2 --overwrite --compiler \"" + dir + "dcc32.exe\"");
    EXPECT_EQ(run.code, 4u) << run.err;
    EXPECT_NE(run.err.find(start), std::string::npos) << run.err;
    EXPECT_EQ(Read(dir + "dcc32.cfg"), old);
}

TEST(ProtectedFolder, AHiddenVirtualStoreCopyIsNamedAndMovedAside) {
    Session s(false, true);
    ASSERT_TRUE(s.folder_.CopyFromBin("quilletc.exe"));
    ASSERT_TRUE(s.Start());
    char local[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, local), S_OK);
    const std::string bin = s.delphi_.d2Bin;
    const std::string twin = std::string(local) + "\\VirtualStore" + bin.substr(2) + "\\dcc32.cfg";
    ASSERT_TRUE(MakeDirs(twin.substr(0, twin.rfind('\\'))));
    {
        HANDLE h = CreateFileA(twin.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(h, "-hidden\r\n", 9, &written, nullptr));
        CloseHandle(h);
    }

    const Outcome text = Quilletc(s.folder_, "check 2");
    EXPECT_EQ(text.code, 5u) << text.out;
    EXPECT_NE(text.out.find(twin), std::string::npos) << text.out;
    const Outcome json = Quilletc(s.folder_, "check 2 --json");
    EXPECT_EQ(json.code, 5u);
    EXPECT_NE(json.out.find("\"kind\":\"virtual-store-copy\""), std::string::npos) << json.out;

    ASSERT_TRUE(Click(s.Control("rD2")));
    ASSERT_TRUE(Click(s.Control("bCreate")));
    s.Press("bSave");
    MessageDialog warning = s.Dialog("Hidden configuration file found");
    ASSERT_TRUE(warning);
    EXPECT_EQ(warning.message, "Windows keeps a hidden copy of dcc32.cfg in your VirtualStore: " +
                                   twin + ". The compiler reads that copy and not " + bin +
                                   "\\dcc32.cfg, which Save writes.\n\nMove the hidden copy aside "
                                   "(it is renamed, not deleted)?");
    ASSERT_TRUE(warning.Press(1));
    s.Settle();
    EXPECT_EQ(Read(twin), "(missing)");
    EXPECT_EQ(Read(twin + ".hidden"), "-hidden\r\n");
    EXPECT_NE(Read(bin + "\\dcc32.cfg"), "(missing)");
    EXPECT_EQ(Quilletc(s.folder_, "check 2").code, 0u);
    DeleteFileA((twin + ".hidden").c_str());

    // Delphi 1's delphi.ini has its twin too: the window says which it read.
    const std::string ini = std::string(local) + "\\VirtualStore\\Windows\\delphi.ini";
    ASSERT_TRUE(MakeDirs(ini.substr(0, ini.rfind('\\'))));
    ASSERT_TRUE(CopyFileA(DelphiFixture::DelphiIni().c_str(), ini.c_str(), FALSE));
    s.Press("rD1");
    MessageDialog which = s.Dialog("Hidden delphi.ini found");
    ASSERT_TRUE(which);
    EXPECT_NE(which.message.find("came from delphi.ini in the Windows folder"), std::string::npos);
    EXPECT_NE(which.message.find(ini), std::string::npos) << which.message;
    ASSERT_TRUE(which.Press(1));
    s.Settle();
    DeleteFileA(ini.c_str());
}

}  // namespace
}  // namespace e2e

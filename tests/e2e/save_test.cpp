// Save: from choosing a version to the files on disk, through quillet.exe as
// a person uses it.

#include <gtest/gtest.h>

#include <algorithm>

#include "delphi_fixture.h"
#include "driver.h"

namespace e2e {
namespace {

bool WriteAll(const std::string& path, const std::string& bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(h);
    return ok;
}

bool FileThere(const std::string& path) {
    const DWORD attrs = GetFileAttributesA(path.c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}

std::string DirOf(const std::string& path) { return path.substr(0, path.rfind('\\') + 1); }

std::string DesktopFolder() {
    HKEY key = nullptr;
    std::string value;
    if (RegOpenKeyExA(HKEY_CURRENT_USER,
                      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                      KEY_READ, &key) == ERROR_SUCCESS) {
        char buffer[MAX_PATH] = {};
        DWORD size = sizeof buffer;
        if (RegQueryValueExA(key, "Desktop", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer),
                             &size) == ERROR_SUCCESS) {
            value = buffer;
        }
        RegCloseKey(key);
    }
    return value;
}

// A session started at once, with Save's common steps.
class SaveSession : public Session {
public:
    SaveSession(bool companions, bool extraMessages) : Session(extraMessages, companions) {
        Start();
    }
    // Chooses a version (nothing asked: extra messages off, fields empty) and
    // builds the text.
    void ChooseAndCreate(const char* radio) {
        ASSERT_TRUE(Click(Control(radio)));
        ASSERT_TRUE(Click(Control("bCreate")));
        ASSERT_TRUE(IsEnabled(Control("bSave")));
    }
    // Fills the fields again, builds and saves over the files of an earlier
    // Save, answering "&Yes" to both overwrite questions.
    void SaveAgainOverwriting() {
        ASSERT_TRUE(Click(Control("bUpdate")));
        ASSERT_TRUE(Click(Control("bCreate")));
        Press("bSave");
        ASSERT_TRUE(Dialog("Existing .CFG file detected").Press(1));
        ASSERT_TRUE(Dialog("Existing batchfile detected").Press(1));
    }
    // Save with nothing to ask.
    void QuietSave() {
        ASSERT_TRUE(Click(Control("bSave")));
        EXPECT_FALSE(app_.FindTopWindow(kMessageDialogClass)) << app_.DescribeWindows();
    }
};

TEST(Save, EachVersionWritesItsFilesByteForByte) {
    SaveSession s(true, false);
    ASSERT_TRUE(s.main_);
    const DelphiFixture& d = s.delphi_;
    const std::string stubBytes = *ReadAll(s.folder_.File("LunketD2.exe"));

    struct Case {
        const char* radio;
        std::string compiler, cfg, stub, text;
        bool batch;
    };
    const std::string sp2 = d.d2SearchPath, sp3 = d.d3SearchPath;
    const std::string d3Full = d.d3Bin + ";" + d.d3SLib + ";" + sp3;
    const Case cases[] = {
        {"rD1", d.d1Dcc, DirOf(d.d1Dcc) + "DCC.cfg", "lunket.exe",
         Lines16(d.d1Lib, d.d1SearchPath, d.d1SearchPath), false},
        {"rD2", d.d2Dcc, DirOf(d.d2Dcc) + "dcc32.cfg", "LunketD2.exe",
         Lines32(d.d2Aliases, sp2, sp2, sp2), true},
        {"rD3", d.d3Dcc, DirOf(d.d3Dcc) + "dcc32.cfg", "LunketD3.exe",
         Lines32(d.d3Aliases, d3Full, d3Full, d3Full), true},
    };
    // Delphi 3 wants its SLib and Bin directories in the lists.
    DelphiFixture::SetReg(HKEY_CURRENT_USER, "Software\\Borland\\Delphi\\3.0\\Library",
                          "SearchPath", d3Full);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.radio);
        s.ChooseAndCreate(c.radio);
        s.QuietSave();
        EXPECT_EQ(ReadAll(c.cfg), c.text);
        EXPECT_EQ(ReadAll(DirOf(c.compiler) + c.stub), ReadAll(s.folder_.File(c.stub)))
            << "the stub is copied byte for byte";
        const std::string bat = c.compiler.substr(0, c.compiler.rfind('.')) + ".bat";
        if (c.batch) {
            EXPECT_EQ(ReadAll(bat), ShortPathOf(c.compiler) + " %1\r\npause\r\n");
        } else {
            EXPECT_FALSE(FileThere(bat)) << "no batch file for Delphi 1";
        }
        // The fields and the text box are cleared; the aliases and the path stay.
        EXPECT_EQ(Text(s.Control("eUnit")), "");
        EXPECT_EQ(Text(s.Control("eObject")), "");
        EXPECT_EQ(Text(s.Control("Memo1")), "");
        EXPECT_EQ(Text(s.Control("eExepath")), c.compiler);
        EXPECT_FALSE(IsEnabled(s.Control("bSave")));
    }
    EXPECT_EQ(stubBytes, ReadAll(DirOf(d.d2Dcc) + "LunketD2.exe"));
}

TEST(Save, OverwriteQuestionsNoThenYes) {
    SaveSession s(true, false);
    ASSERT_TRUE(s.main_);
    const DelphiFixture& d = s.delphi_;
    const std::string cfg = DirOf(d.d2Dcc) + "dcc32.cfg";
    const std::string bat = DirOf(d.d2Dcc) + "dcc32.bat";
    ASSERT_TRUE(WriteAll(cfg, "-old configuration\r\n"));
    ASSERT_TRUE(WriteAll(bat, "old.exe %1\r\n"));

    // "&No" to both: the old files stay byte for byte, yet the fields are cleared.
    s.ChooseAndCreate("rD2");
    s.Press("bSave");
    MessageDialog q = s.Dialog("Existing .CFG file detected");
    ASSERT_TRUE(q);
    EXPECT_EQ(q.message, "An existing " + cfg +
                             " was found. You only need to overwrite it if the new configuration "
                             "is different from the old one.\n\nOverwrite dcc32.cfg?");
    EXPECT_EQ(q.buttons[0], "&Yes");
    EXPECT_EQ(q.buttons[1], "&No");
    ASSERT_TRUE(q.Press(2));
    MessageDialog b = s.Dialog("Existing batchfile detected");
    ASSERT_TRUE(b);
    EXPECT_EQ(b.message, "An existing " + bat +
                             " was found. You only need to overwrite it if the new batch file is "
                             "different from the old one.\n\nOverwrite dcc32.bat?");
    ASSERT_TRUE(b.Press(2));
    s.Settle();
    EXPECT_EQ(ReadAll(cfg), "-old configuration\r\n");
    EXPECT_EQ(ReadAll(bat), "old.exe %1\r\n");
    EXPECT_EQ(Text(s.Control("Memo1")), "");
    EXPECT_FALSE(IsEnabled(s.Control("bSave")));

    // "&Yes" to both replaces them.
    const std::string sp = d.d2SearchPath;
    s.SaveAgainOverwriting();
    s.Settle();
    EXPECT_EQ(ReadAll(cfg), Lines32(d.d2Aliases, sp, sp, sp));
    EXPECT_EQ(ReadAll(bat), ShortPathOf(d.d2Dcc) + " %1\r\npause\r\n");
}

TEST(Save, TheStubIsCopiedOnceAndNeverReplaced) {
    SaveSession s(true, false);
    ASSERT_TRUE(s.main_);
    const std::string beside = DirOf(s.delphi_.d2Dcc) + "LunketD2.exe";
    s.ChooseAndCreate("rD2");
    s.QuietSave();
    ASSERT_TRUE(FileThere(beside));
    ASSERT_TRUE(WriteAll(beside, "a stub the user changed"));
    s.SaveAgainOverwriting();
    s.Settle();
    EXPECT_EQ(ReadAll(beside), "a stub the user changed");
}

TEST(Save, StubMissingEverywhereAbortThenIgnore) {
    SaveSession s(false, false);  // no stubs beside quillet.exe
    ASSERT_TRUE(s.main_);
    const std::string dir = DirOf(s.delphi_.d3Dcc);
    DelphiFixture::SetReg(HKEY_CURRENT_USER, "Software\\Borland\\Delphi\\3.0\\Library",
                          "SearchPath", s.delphi_.d3Bin + ";" + s.delphi_.d3SLib + ";");
    s.ChooseAndCreate("rD3");
    s.Press("bSave");
    MessageDialog q = s.Dialog("LunketD3.exe not found");
    ASSERT_TRUE(q);
    EXPECT_EQ(q.message,
              "No LunketD3.exe was found in the applet's installed directory. Execution problems "
              "may occur if you do not use this stub to launch the compiler. Do you want to "
              "ignore the error and continue or abort now and replace the LunketD3.exe file?");
    EXPECT_EQ(q.buttons[0], "&Ignore");
    EXPECT_EQ(q.buttons[1], "Abort");
    ASSERT_TRUE(q.Press(2));
    s.Settle();
    EXPECT_TRUE(FileThere(dir + "dcc32.cfg")) << "the configuration was written before the stub step";
    EXPECT_FALSE(FileThere(dir + "dcc32.bat")) << "Abort stops before the batch file";
    EXPECT_TRUE(IsEnabled(s.Control("bSave"))) << "a stop leaves Save enabled";
    EXPECT_EQ(Text(s.Control("Memo1")), "");

    // Save again: the text box is empty now, so the configuration is left alone.
    const auto before = ReadAll(dir + "dcc32.cfg");
    s.Press("bSave");
    ASSERT_TRUE(s.Dialog("LunketD3.exe not found").Press(1));
    s.Settle();
    EXPECT_EQ(ReadAll(dir + "dcc32.cfg"), before) << "an empty text box never replaces the file";
    EXPECT_TRUE(FileThere(dir + "dcc32.bat")) << "Ignore goes on to the batch file";
    EXPECT_FALSE(FileThere(dir + "LunketD3.exe"));
    EXPECT_FALSE(IsEnabled(s.Control("bSave")));
}

TEST(Save, MissingCompilerOpensTheSelector) {
    SaveSession s(true, false);
    ASSERT_TRUE(s.main_);
    s.ChooseAndCreate("rD2");
    ASSERT_TRUE(SetText(s.Control("eExepath"), s.folder_.File("gone\\dcc32.exe")));

    // Cancelled: nothing is written, nothing is said, Save stays enabled.
    s.Press("bSave");
    HWND selector = WaitForStandardDialog(s.app_);
    ASSERT_TRUE(selector);
    ASSERT_TRUE(CancelDialog(selector));
    s.Settle();
    EXPECT_FALSE(s.app_.FindTopWindow(kMessageDialogClass));
    EXPECT_FALSE(FileThere(DirOf(s.delphi_.d2Dcc) + "dcc32.cfg"));
    EXPECT_TRUE(IsEnabled(s.Control("bSave")));

    // A compiler picked there is where the same Save writes.
    s.Press("bSave");
    selector = WaitForStandardDialog(s.app_);
    ASSERT_TRUE(AnswerOpenFile(selector, s.delphi_.d2Dcc));
    s.Settle();
    EXPECT_EQ(Text(s.Control("eExepath")), s.delphi_.d2Dcc);
    const std::string sp = s.delphi_.d2SearchPath;
    EXPECT_EQ(ReadAll(DirOf(s.delphi_.d2Dcc) + "dcc32.cfg"),
              Lines32(s.delphi_.d2Aliases, sp, sp, sp));
}

TEST(Save, DesktopShortcutAndConfirmations) {
    SaveSession s(true, true);
    ASSERT_TRUE(s.main_);
    const std::string desktop = DesktopFolder();
    ASSERT_FALSE(desktop.empty());
    const std::string link = desktop + "\\LunketD2.lnk";
    DeleteFileA(link.c_str());

    s.Press("rD2");
    ASSERT_TRUE(s.Dialog("Essential fields filled").Press(1));
    s.Settle();
    s.Press("bCreate");
    MessageDialog built = s.Dialog("Configuration built");
    ASSERT_TRUE(built);
    EXPECT_EQ(built.message,
              "DCC32.CFG is built and is ready to save. Perform any additional edits in the memo "
              "control below prior to saving.");
    ASSERT_TRUE(built.Press(1));
    s.Settle();
    ASSERT_TRUE(Click(s.Control("cShortcut")));

    s.Press("bSave");
    MessageDialog saved = s.Dialog("Compiler configuration saved");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved.message, "DCC32.CFG saved as " + DirOf(s.delphi_.d2Dcc) + "dcc32.cfg.");
    ASSERT_TRUE(saved.Press(1));
    MessageDialog shortcut = s.Dialog("Desktop shortcut created");
    ASSERT_TRUE(shortcut);
    EXPECT_EQ(shortcut.message,
              "A desktop shortcut has been installed for LunketD2.exe. You can also install "
              "LunketD2.exe into an icon dock or app menu if the desktop shortcut is too "
              "intrusive.");
    ASSERT_TRUE(shortcut.Press(1));
    s.Settle();
    EXPECT_TRUE(FileThere(link));
    DeleteFileA(link.c_str());
}

TEST(Save, UnsavedAnswerSaveSavesBeforeSwitching) {
    SaveSession s(true, false);
    ASSERT_TRUE(s.main_);
    s.ChooseAndCreate("rD2");
    s.Press("rD3");
    ASSERT_TRUE(s.Dialog("Unsaved configuration detected").Press(1));
    s.Settle();
    const std::string sp = s.delphi_.d2SearchPath;
    EXPECT_EQ(ReadAll(DirOf(s.delphi_.d2Dcc) + "dcc32.cfg"),
              Lines32(s.delphi_.d2Aliases, sp, sp, sp));
    // The stub follows the button checked when Save runs: the new one. Both
    // 32-bit stubs start the dcc32.exe beside them, so either serves.
    EXPECT_TRUE(FileThere(DirOf(s.delphi_.d2Dcc) + "LunketD3.exe"));
    EXPECT_EQ(Text(s.Control("eUnit")), s.delphi_.d3SearchPath) << "then the switch goes on";
}

// The desktop shortcut of a stub, removed before and after a test.
struct DesktopLink {
    explicit DesktopLink(const std::string& name) : path(DesktopFolder() + "\\" + name) {
        DeleteFileA(path.c_str());
    }
    ~DesktopLink() { DeleteFileA(path.c_str()); }
    const std::string path;
};

// A file held open without sharing, as another program may hold it.
struct HeldOpen {
    explicit HeldOpen(const std::string& path)
        : handle(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {
        EXPECT_NE(handle, INVALID_HANDLE_VALUE) << path;
    }
    ~HeldOpen() { CloseHandle(handle); }
    HANDLE handle;
};

TEST(Save, ACompilerPathTypedWithSlashesKeepsEveryFileBesideIt) {
    SaveSession s(true, false);
    ASSERT_TRUE(s.main_);
    const DesktopLink link("LunketD2.lnk");
    const std::string bin = DirOf(s.delphi_.d2Dcc);
    std::string typed = s.delphi_.d2Dcc;
    std::replace(typed.begin(), typed.end(), '\\', '/');

    ASSERT_TRUE(Click(s.Control("rD2")));
    ASSERT_TRUE(SetText(s.Control("eExepath"), typed));
    ASSERT_TRUE(Click(s.Control("bCreate")));
    ASSERT_TRUE(Click(s.Control("cShortcut")));
    s.Press("bSave");
    // Reported only for a shortcut that points at the stub beside the compiler.
    ASSERT_TRUE(s.Dialog("Desktop shortcut created").Press(1));
    s.Settle();
    for (const char* file : {"dcc32.cfg", "dcc32.bat", "LunketD2.exe"}) {
        EXPECT_TRUE(FileThere(bin + file)) << file;
    }
    EXPECT_TRUE(FileThere(link.path));
}

TEST(Save, AShortcutThatCannotBeReplacedIsNotReportedAsCreated) {
    SaveSession s(true, false);
    ASSERT_TRUE(s.main_);
    const DesktopLink link("LunketD2.lnk");
    ASSERT_TRUE(WriteAll(link.path, "an old shortcut"));
    {
        const HeldOpen held(link.path);
        s.ChooseAndCreate("rD2");
        ASSERT_TRUE(Click(s.Control("cShortcut")));
        s.Press("bSave");
        MessageDialog warning = s.Dialog("Desktop shortcut not created");
        ASSERT_TRUE(warning);
        EXPECT_EQ(warning.message,
                  "A desktop shortcut for LunketD2.exe could not be created in your desktop folder.");
        ASSERT_TRUE(warning.Press(1));
        s.Settle();
    }
    EXPECT_EQ(ReadAll(link.path), "an old shortcut");
}

TEST(Save, AStubThatCannotBeCopiedIsReportedAndGetsNoShortcut) {
    SaveSession s(true, false);
    ASSERT_TRUE(s.main_);
    const DesktopLink link("LunketD3.lnk");
    const std::string shipped = s.folder_.File("LunketD3.exe");
    const std::string beside = s.delphi_.d3Bin + "\\LunketD3.exe";
    DelphiFixture::SetReg(HKEY_CURRENT_USER, "Software\\Borland\\Delphi\\3.0\\Library",
                          "SearchPath", s.delphi_.d3Bin + ";" + s.delphi_.d3SLib + ";");
    {
        const HeldOpen held(shipped);
        s.ChooseAndCreate("rD3");
        ASSERT_TRUE(Click(s.Control("cShortcut")));
        s.Press("bSave");
        MessageDialog warning = s.Dialog("Launcher stub not copied");
        ASSERT_TRUE(warning);
        const std::string start = "LunketD3.exe could not be copied to " + s.delphi_.d3Bin + ". ";
        EXPECT_EQ(warning.message.substr(0, start.size()), start);
        EXPECT_GT(warning.message.size(), start.size()) << "followed by the system's reason";
        EXPECT_EQ(warning.ButtonCount(), 1);
        EXPECT_EQ(warning.buttons[0], "&OK");
        ASSERT_TRUE(warning.Press(1));
        ASSERT_TRUE(s.Dialog("Desktop shortcut not created").Press(1));
        s.Settle();
    }
    EXPECT_FALSE(FileThere(beside));
    EXPECT_FALSE(FileThere(link.path));
    EXPECT_TRUE(FileThere(s.delphi_.d3Bin + "\\dcc32.bat")) << "Save went on";

    // An empty stub is a stub all the same: copied, and the shortcut made.
    ASSERT_TRUE(WriteAll(shipped, ""));
    s.SaveAgainOverwriting();
    ASSERT_TRUE(s.Dialog("Desktop shortcut created").Press(1));
    s.Settle();
    EXPECT_EQ(ReadAll(beside), "");
}

}  // namespace
}  // namespace e2e

// Reading Delphi's settings from the real registry and private-profile files,
// and the compiler selectors on the real common dialog.
#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <string>
#include <vector>

#include "config/compiler_selector_win32.h"
#include "config/registry_win32.h"
#include "core/paths.h"
#include "core/platform.h"
#include "core/text.h"

namespace quillet {
namespace {

constexpr const char* kScratchKey = "Software\\QuilletTest";

// A scratch key under HKCU that exists for one test and is deleted after it.
class RegistryRead : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteKeyA(HKEY_CURRENT_USER, kScratchKey);
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kScratchKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key_, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        if (key_ != nullptr) RegCloseKey(key_);
        EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, kScratchKey), ERROR_SUCCESS);
    }
    void Set(const char* name, DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(RegSetValueExA(key_, name, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
    }
    void SetText(const char* name, const std::string& text, DWORD type = REG_SZ) {
        Set(name, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
    }
    static std::string Read(const char* name) {
        return ReadRegString(HKEY_CURRENT_USER, kScratchKey, name);
    }

    HKEY key_ = nullptr;
};

TEST_F(RegistryRead, MissingKeyAndMissingValue) {
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, "Software\\QuilletTest\\NoSuchKey", "SearchPath"),
              kUnableToOpenKey);
    EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\QuilletTest\\NoSuchKey", "Delphi 3"),
              kUnableToOpenKey);
    EXPECT_EQ(Read("NoSuchValue"), "");
}

TEST_F(RegistryRead, StringValuesOfEveryLengthAreReadWhole) {
    for (std::size_t length : {0u, 1u, 254u, 255u, 256u, 300u, 4095u, 70000u}) {
        std::string text;
        for (std::size_t i = 0; i < length; ++i) text += static_cast<char>('A' + i % 26);
        SetText("SearchPath", text);
        EXPECT_EQ(Read("SearchPath"), text) << length;
    }
}

TEST_F(RegistryRead, OnlyStringTypesAreText) {
    const DWORD number = 0x41424344;  // "DCBA" in memory: no terminating zero
    Set("Dword", REG_DWORD, &number, sizeof number);
    EXPECT_EQ(Read("Dword"), "");

    SetText("Expand", "%SystemRoot%\\Delphi;C:\\D3", REG_EXPAND_SZ);
    EXPECT_EQ(Read("Expand"), "%SystemRoot%\\Delphi;C:\\D3");  // not expanded

    const char binary[] = {'C', ':', '\\', 'X'};  // no terminating zero
    Set("Binary", REG_BINARY, binary, sizeof binary);
    EXPECT_EQ(Read("Binary"), "");

    SetText("Multi", "one\0two", REG_MULTI_SZ);
    EXPECT_EQ(Read("Multi"), "");
}

TEST_F(RegistryRead, StringWithoutTerminatingZeroStopsAtItsEnd) {
    // A run of values written one after another, the last one stored without
    // its zero: nothing of what lies beyond may show up.
    SetText("Long", std::string(600, 'Z'));
    const std::string text = "C:\\D3\\LIB";
    Set("NoZero", REG_SZ, text.data(), static_cast<DWORD>(text.size()));
    EXPECT_EQ(Read("NoZero"), text);

    const std::string big(1000, 'q');
    Set("BigNoZero", REG_SZ, big.data(), static_cast<DWORD>(big.size()));
    EXPECT_EQ(Read("BigNoZero"), big);

    Set("EmbeddedZero", REG_SZ, "ab\0cd", 6);
    EXPECT_EQ(Read("EmbeddedZero"), "ab");
}

// A scratch directory under the temp folder, removed with its files.
class ProfileRead : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH + 1] = {};
        ASSERT_GT(GetTempPathA(sizeof temp, temp), 0u);
        dir_ = std::string(temp) + "quillet-h2-profile";
        CreateDirectoryA(dir_.c_str(), nullptr);
        file_ = dir_ + "\\delphi.ini";
    }
    void TearDown() override {
        // Wine keeps a cached copy of the last profile file: flush it first.
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, file_.c_str());
        DeleteFileA(file_.c_str());
        RemoveDirectoryA(dir_.c_str());
    }
    std::string dir_, file_;
};

TEST_F(ProfileRead, SearchPathOfAnyLengthIsReadWhole) {
    for (std::size_t length : {0u, 1u, 254u, 255u, 256u, 400u, 511u, 512u, 5000u}) {
        std::string path;
        while (path.size() < length) path += "C:\\DELPHI\\LIB;";
        path.resize(length);
        ASSERT_TRUE(WritePrivateProfileStringA("Library", "SearchPath", path.c_str(),
                                               file_.c_str()));
        EXPECT_EQ(ReadPrivateProfileString(file_, "Library", "SearchPath", ""), path) << length;
    }
    EXPECT_EQ(ReadPrivateProfileString(file_, "Library", "Absent", "dflt"), "dflt");
    EXPECT_EQ(ReadPrivateProfileString(file_, "NoSection", "SearchPath", ""), "");
}

TEST(ProfileReadBareName, LooksTheFileUpInTheWindowsDirectory) {
    char windows[MAX_PATH + 1] = {};
    ASSERT_GT(GetWindowsDirectoryA(windows, sizeof windows), 0u);
    const std::string bare = "quillet-h2-delphi.ini";
    const std::string full = std::string(windows) + "\\" + bare;
    ASSERT_EQ(GetFileAttributesA(full.c_str()), INVALID_FILE_ATTRIBUTES)
        << "a file of the test's name is already there";

    const std::string path(400, 'x');
    ASSERT_TRUE(WritePrivateProfileStringA("Library", "SearchPath", path.c_str(), full.c_str()));
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, full.c_str());
    EXPECT_EQ(ReadPrivateProfileString(bare, "Library", "SearchPath", ""), path);

    WritePrivateProfileStringA(nullptr, nullptr, nullptr, bare.c_str());
    EXPECT_TRUE(DeleteFileA(full.c_str()));
}

TEST(CompilerSelectors, SettingsComeFromTheProfiles) {
    CompilerSelectors s;
    EXPECT_EQ(s.OD1.Filter, "Delphi 1 command line compiler|dcc.exe");
    EXPECT_EQ(s.OD1.FileName, "dcc.exe");
    EXPECT_EQ(s.OD1.Options, static_cast<DWORD>(OFN_NOCHANGEDIR | OFN_FILEMUSTEXIST));
    EXPECT_EQ(s.OD2.Filter, "Delphi 2 command line compiler|dcc32.exe");
    EXPECT_EQ(s.OD2.FileName, "dcc32.exe");
    EXPECT_EQ(s.OD2.Options, 0u);
    EXPECT_EQ(s.OD3.Filter, "Delphi 3 command line compiler|dcc32.exe");
    EXPECT_EQ(s.OD3.Options, 0u);
    for (TOpenDialog* d : {&s.OD1, &s.OD2, &s.OD3}) {
        EXPECT_TRUE(d->InitialDir.empty());
        // Explorer style with a hook: the file name is a plain edit box.
        EXPECT_EQ(d->Flags() & (OFN_EXPLORER | OFN_ENABLEHOOK),
                  static_cast<DWORD>(OFN_EXPLORER | OFN_ENABLEHOOK));
        EXPECT_EQ(d->Flags() & OFN_ALLOWMULTISELECT, 0u);
    }
    s.SetInitialDir(Version::D2, "C:\\D2\\BIN");
    EXPECT_EQ(s.OD2.InitialDir, "C:\\D2\\BIN");
    EXPECT_TRUE(s.OD3.InitialDir.empty());
    EXPECT_EQ(FilterToDoubleZero("a|b"), std::string("a\0b\0\0", 5));
}

// Drives the open dialog from a timer on the dialog's own thread: when the
// dialog is up, optionally types a file name, then presses OK or Cancel.
struct DialogDriver {
    static inline std::string typed;
    static inline bool ok = false;
    static inline bool acted = false;
    static inline std::string sawFolder;
    static inline int ticksSinceAct = 0;
    static inline bool stuck = false;

    static BOOL CALLBACK FindDialog(HWND hwnd, LPARAM out) {
        char cls[32] = {};
        GetClassNameA(hwnd, cls, sizeof cls);
        if (std::string(cls) == "#32770" && IsWindowVisible(hwnd)) {
            *reinterpret_cast<HWND*>(out) = hwnd;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        HWND dlg = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dlg));
        if (dlg == nullptr) return;
        if (acted) {
            // Still up two seconds after the driver acted: close it so the
            // test fails instead of hanging.
            if (++ticksSinceAct == 20) {
                stuck = true;
                PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
            }
            return;
        }
        acted = true;
        std::vector<char> folder(32768);
        const LRESULT n = SendMessageA(dlg, CDM_GETFOLDERPATH, folder.size(),
                                       reinterpret_cast<LPARAM>(folder.data()));
        if (n > 0) sawFolder = folder.data();
        if (ok) {
            HWND edit = GetDlgItem(dlg, cmb13);
            if (edit == nullptr) edit = GetDlgItem(dlg, edt1);
            SetWindowTextA(edit, typed.c_str());
            PostMessageA(dlg, WM_COMMAND, IDOK, 0);
        } else {
            PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
        }
    }
    // Arms the driver for the next dialog the thread opens.
    static UINT_PTR Arm(bool pressOk, const std::string& name) {
        typed = name;
        ok = pressOk;
        acted = false;
        stuck = false;
        ticksSinceAct = 0;
        sawFolder.clear();
        return SetTimer(nullptr, 0, 100, Tick);
    }
    static void Disarm(UINT_PTR timer) {
        KillTimer(nullptr, timer);
        EXPECT_TRUE(acted) << "the dialog never showed";
        EXPECT_FALSE(stuck) << "the dialog did not close when the driver acted";
    }
    static bool Run(TOpenDialog& dialog, bool pressOk, const std::string& name) {
        const UINT_PTR timer = Arm(pressOk, name);
        const bool result = dialog.Execute(nullptr);
        Disarm(timer);
        return result;
    }
};

class SelectorDialog : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH + 1] = {};
        ASSERT_GT(GetTempPathA(sizeof temp, temp), 0u);
        dir_ = std::string(temp) + "quillet-h2-selector";
        CreateDirectoryA(dir_.c_str(), nullptr);
        compiler_ = dir_ + "\\dcc.exe";
        HANDLE h = CreateFileA(compiler_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                               nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        CloseHandle(h);
        char cwd[MAX_PATH + 1] = {};
        GetCurrentDirectoryA(sizeof cwd, cwd);
        cwd_ = cwd;
    }
    void TearDown() override {
        SetCurrentDirectoryA(cwd_.c_str());
        DeleteFileA(compiler_.c_str());
        RemoveDirectoryA(dir_.c_str());
    }
    std::string dir_, compiler_, cwd_;
};

TEST_F(SelectorDialog, CancelLeavesTheFileNameAndOkGivesTheFullPath) {
    CompilerSelectors s;
    TOpenDialog& od1 = s.OD1;
    od1.InitialDir = dir_;

    EXPECT_FALSE(DialogDriver::Run(od1, false, ""));
    EXPECT_TRUE(DialogDriver::acted);
    EXPECT_EQ(od1.FileName, "dcc.exe");
    EXPECT_EQ(UpperAscii(DialogDriver::sawFolder), UpperAscii(dir_));

    ASSERT_TRUE(DialogDriver::Run(od1, true, "dcc.exe"));
    EXPECT_EQ(UpperAscii(od1.FileName), UpperAscii(compiler_));
    // The initial folder stays with the selector, and OD1 leaves the
    // current directory where it was.
    EXPECT_EQ(od1.InitialDir, dir_);
    char cwd[MAX_PATH + 1] = {};
    GetCurrentDirectoryA(sizeof cwd, cwd);
    EXPECT_EQ(std::string(cwd), cwd_);

    s.SetInitialDir(Version::D1, "C:\\");
    EXPECT_FALSE(DialogDriver::Run(od1, false, ""));
    EXPECT_EQ(UpperAscii(od1.FileName), UpperAscii(compiler_));
}

TEST_F(SelectorDialog, Delphi2SelectorAcceptsANameThatDoesNotExist) {
    CompilerSelectors s;
    s.SetInitialDir(Version::D2, dir_);
    std::string picked = "unchanged";
    const UINT_PTR timer = DialogDriver::Arm(true, "dcc32.exe");
    ASSERT_TRUE(s.Run(Version::D2, nullptr, picked));
    DialogDriver::Disarm(timer);
    EXPECT_EQ(UpperAscii(picked), UpperAscii(dir_ + "\\dcc32.exe"));
    EXPECT_EQ(s.OD2.FileName, picked);
    EXPECT_EQ(s.OD2.InitialDir, dir_);
}

}  // namespace
}  // namespace quillet

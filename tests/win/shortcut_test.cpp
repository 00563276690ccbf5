// Shell shortcuts written through the shell's link object: read back through
// the same object and, under Wine, by an independent reader of the format
// (lnkinfo from liblnk-utils, run on the Unix side).
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include "app/platform_win32.h"
#include "output/shortcut.h"
#include "output/shortcut_win32.h"
#include "output_test_util.h"

namespace quillet::wintest {
namespace {

constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

struct LinkContent {
    bool loaded = false;
    std::string path, arguments;
};

LinkContent ReadLink(const std::string& name) {
    LinkContent content;
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link)))) {
        return content;
    }
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        const std::wstring wide(name.begin(), name.end());
        if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ))) {
            content.loaded = true;
            char buffer[1024] = {};
            if (SUCCEEDED(link->GetPath(buffer, sizeof buffer, nullptr, 0))) content.path = buffer;
            buffer[0] = '\0';
            if (SUCCEEDED(link->GetArguments(buffer, sizeof buffer))) content.arguments = buffer;
        }
        file->Release();
    }
    link->Release();
    return content;
}

// Points the current user's "Desktop" shell folder at a scratch directory for
// the life of the object, and puts the old value back afterwards.
class DesktopRedirect {
public:
    explicit DesktopRedirect(const std::string& dir) {
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key_, nullptr) != ERROR_SUCCESS) {
            key_ = nullptr;
            return;
        }
        DWORD size = 0, type = 0;
        if (RegQueryValueExA(key_, "Desktop", nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
            old_.resize(size);
            RegQueryValueExA(key_, "Desktop", nullptr, &type, reinterpret_cast<BYTE*>(old_.data()),
                             &size);
            hadOld_ = true;
            oldType_ = type;
        }
        RegSetValueExA(key_, "Desktop", 0, REG_SZ, reinterpret_cast<const BYTE*>(dir.c_str()),
                       static_cast<DWORD>(dir.size() + 1));
    }
    ~DesktopRedirect() {
        if (key_ == nullptr) return;
        if (hadOld_) {
            RegSetValueExA(key_, "Desktop", 0, oldType_, reinterpret_cast<const BYTE*>(old_.data()),
                           static_cast<DWORD>(old_.size()));
        } else {
            RegDeleteValueA(key_, "Desktop");
        }
        RegCloseKey(key_);
    }
    bool ok() const { return key_ != nullptr; }

private:
    HKEY key_ = nullptr;
    std::string old_;
    bool hadOld_ = false;
    DWORD oldType_ = REG_SZ;
};

class ShortcutTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitShortcutUnit(); }

    void SetUp() override {
        ASSERT_NE(ShortcutFile, nullptr);
        ASSERT_TRUE(CreateDirectoryA(desktop.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(bin.c_str(), nullptr));
        ASSERT_TRUE(WriteWholeFile(target, "MZ stub"));
    }

    ScratchDir scratch{"lnk"};
    std::string desktop = scratch / "Desktop";
    std::string bin = scratch / "BIN";
    std::string target = bin + "\\LunketD3.exe";
};

TEST_F(ShortcutTest, DesktopShortcutPointsAtTheStubWithoutArguments) {
    DesktopRedirect redirect(desktop);
    ASSERT_TRUE(redirect.ok());
    Win32Platform platform;

    EXPECT_TRUE(CreateDesktopShortcut(platform, target));

    const std::string name = desktop + "\\LunketD3.lnk";
    EXPECT_EQ(ListDirectory(desktop), std::set<std::string>{"LunketD3.lnk"});
    const LinkContent link = ReadLink(name);
    ASSERT_TRUE(link.loaded);
    EXPECT_EQ(link.path, target);
    EXPECT_EQ(link.arguments, "");
}

// The value of "<label> : value" in lnkinfo's report, blanks trimmed.
std::string Field(const std::string& report, const std::string& label) {
    const std::size_t at = report.find("\t" + label);
    if (at == std::string::npos) return "";
    const std::size_t colon = report.find(':', at);
    const std::size_t end = report.find('\n', at);
    if (colon == std::string::npos || colon > end) return "";
    std::string value = report.substr(colon + 1, end - colon - 1);
    const std::size_t first = value.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    value = value.substr(first);
    return value.substr(0, value.find_last_not_of(" \t\r") + 1);
}

// The same file through a reader that shares no code with the shell: lnkinfo
// must see a shell link whose local path is the stub. Wine can start Unix
// programs, so the check runs from here; on Windows there is no lnkinfo.
TEST_F(ShortcutTest, IndependentReaderSeesTheTarget) {
    if (!UnderWine()) GTEST_SKIP() << "lnkinfo runs on the Unix side of Wine";
    std::string name = desktop + "\\LunketD3";
    ASSERT_EQ(ShortcutFile->CreateLink(target, "", name), 0);
    ASSERT_EQ(name, desktop + "\\LunketD3.lnk");

    const std::string report = scratch / "lnkinfo.txt";
    const int status = RunUnixShell(
        "lnkinfo '" + UnixPathOf(name) + "' > '" + UnixPathOf(report) + "' 2>&1", scratch);
    const std::string text = ReadWholeFile(report);
    if (status == 127) GTEST_SKIP() << "lnkinfo (liblnk-utils) is not installed";
    ASSERT_EQ(status, 0) << text;
    EXPECT_NE(text.find("Windows Shortcut information"), std::string::npos) << text;
    EXPECT_EQ(Field(text, "Local path"), target) << text;
    // An arguments string may be stored, but it must be empty.
    EXPECT_EQ(Field(text, "Command line arguments"), "") << text;
}

TEST_F(ShortcutTest, ASecondLinkOfTheSameNameReplacesTheFirst) {
    const std::string other = bin + "\\LunketD2.exe";
    ASSERT_TRUE(WriteWholeFile(other, "MZ other"));
    std::string name = desktop + "\\Lunket.lnk";
    ASSERT_EQ(ShortcutFile->CreateLink(other, "first.dpr", name), 0);
    ASSERT_EQ(ReadLink(name).path, other);

    ASSERT_EQ(ShortcutFile->CreateLink(target, "", name), 0);

    const LinkContent link = ReadLink(name);
    EXPECT_EQ(link.path, target);
    EXPECT_EQ(link.arguments, "");
    EXPECT_EQ(ListDirectory(desktop), std::set<std::string>{"Lunket.lnk"});
}

TEST_F(ShortcutTest, NameGetsLnkUnlessItEndsInItInAnyLetterCase) {
    const std::pair<const char*, const char*> cases[] = {
        {"a.lnk", "a.lnk"}, {"b.LNK", "b.LNK"},     {"c.LnK", "c.LnK"},
        {"d", "d.lnk"},     {"e.exe", "e.exe.lnk"}, {"f.lnk.old", "f.lnk.old.lnk"},
    };
    std::set<std::string> expectedFiles;
    for (const auto& [given, becomes] : cases) {
        SCOPED_TRACE(given);
        std::string name = desktop + "\\" + given;
        EXPECT_EQ(ShortcutFile->CreateLink(target, "", name), 0);
        EXPECT_EQ(name, desktop + "\\" + becomes);
        EXPECT_EQ(ReadLink(name).path, target);
        expectedFiles.insert(becomes);
    }
    std::set<std::string> upper;
    for (const std::string& f : ListDirectory(desktop)) upper.insert(f);
    EXPECT_EQ(upper, expectedFiles);
}

TEST_F(ShortcutTest, NameOfAtMost258CharactersIsSavedAndALongerOneIsNot) {
    for (std::size_t length : {std::size_t{258}, std::size_t{259}, std::size_t{300}}) {
        SCOPED_TRACE(length);
        std::string name = desktop + "\\";
        name += std::string(length - name.size() - 4, 'n');
        name += ".lnk";
        ASSERT_EQ(name.size(), length);

        const long result = ShortcutFile->CreateLink(target, "", name);

        if (length <= 258) {
            EXPECT_EQ(result, 0);
            EXPECT_EQ(ReadLink(name).path, target);
            DeleteFileA(name.c_str());
        } else {
            EXPECT_NE(result, 0);
        }
        EXPECT_TRUE(ListDirectory(desktop).empty());
    }
}

TEST_F(ShortcutTest, MissingDesktopFolderGivesNoShortcut) {
    DesktopRedirect redirect(scratch / "NoSuchDesktop");
    ASSERT_TRUE(redirect.ok());
    Win32Platform platform;

    EXPECT_FALSE(CreateDesktopShortcut(platform, target));
    EXPECT_EQ(ListDirectory(scratch.path()), (std::set<std::string>{"BIN", "Desktop"}));
}

}  // namespace
}  // namespace quillet::wintest

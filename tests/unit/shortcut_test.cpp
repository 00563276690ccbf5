// The desktop shortcut: where it goes, what it is called, and the yes/no
// answer that Save's report depends on.
#include <gtest/gtest.h>

#include "fakes.h"
#include "output/shortcut.h"

namespace quillet::testing {
namespace {

constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

TEST(WithLinkExtensionTest, AppendsLnkUnlessTheNameAlreadyEndsInItInAnyCase) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Desk\\LunketD2.lnk", "C:\\Desk\\LunketD2.lnk"},
        {"C:\\Desk\\LunketD2.LNK", "C:\\Desk\\LunketD2.LNK"},
        {"C:\\Desk\\LunketD2.Lnk", "C:\\Desk\\LunketD2.Lnk"},
        {"C:\\Desk\\LunketD2.exe", "C:\\Desk\\LunketD2.exe.lnk"},
        {"C:\\Desk\\LunketD2", "C:\\Desk\\LunketD2.lnk"},
        {"C:\\Desk\\old.lnk.bak", "C:\\Desk\\old.lnk.bak.lnk"},
        {"C:\\My.Desk\\stub", "C:\\My.Desk\\stub.lnk"},
        {"C:\\Desk\\stub.lnkx", "C:\\Desk\\stub.lnkx.lnk"},
        {"", ".lnk"},
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(WithLinkExtension(name), expected) << name;
    }
}

TEST(DesktopShortcutNameTest, IsTheTargetsFileNameWithLnkInTheDesktopFolder) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"C:\\WINDOWS\\Desktop", "C:\\DELPHI\\BIN\\LunketD3.exe",
         "C:\\WINDOWS\\Desktop\\LunketD3.lnk"},
        {"C:\\WINDOWS\\Desktop", "C:\\DELPHI\\BIN\\lunket", "C:\\WINDOWS\\Desktop\\lunket.lnk"},
        {"D:\\Users\\me\\Desktop", "C:\\DELPHI 2.0\\BIN\\LunketD2.exe",
         "D:\\Users\\me\\Desktop\\LunketD2.lnk"},
        {"C:\\Desk", "C:LunketD2.exe", "C:\\Desk\\LunketD2.lnk"},
        {"C:\\Desk", "C:\\BIN\\stub.tar.exe", "C:\\Desk\\stub.tar.lnk"},
    };
    for (const auto& [desktop, target, expected] : cases) {
        EXPECT_EQ(DesktopShortcutName(desktop, target), expected) << target;
    }
}

class CreateDesktopShortcutTest : public ::testing::Test {
protected:
    CreateDesktopShortcutTest() {
        platform.AddFile("C:\\DELPHI\\BIN\\LunketD2.exe");
        platform.AddFile("C:\\DELPHI\\BIN\\LunketD3.exe");
    }
    void WithDesktop(const std::string& dir) {
        platform.AddRegValue(RegRoot::CurrentUser, kShellFolders, "Desktop", dir);
    }
    FakePlatform platform;
};

TEST_F(CreateDesktopShortcutTest, WritesTheLinkToTheTargetWithoutArguments) {
    WithDesktop("C:\\WINDOWS\\Desktop");
    platform.AddDir("C:\\WINDOWS\\Desktop");

    EXPECT_TRUE(CreateDesktopShortcut(platform, "C:\\DELPHI\\BIN\\LunketD3.exe"));

    ASSERT_EQ(platform.links.size(), 1u);
    EXPECT_EQ(platform.links[0].target, "C:\\DELPHI\\BIN\\LunketD3.exe");
    EXPECT_EQ(platform.links[0].arguments, "");
    EXPECT_EQ(platform.links[0].name, "C:\\WINDOWS\\Desktop\\LunketD3.lnk");
    EXPECT_TRUE(platform.HasFile("C:\\WINDOWS\\Desktop\\LunketD3.lnk"));
}

TEST_F(CreateDesktopShortcutTest, ASecondSaveWritesTheSameFileAgain) {
    WithDesktop("C:\\WINDOWS\\Desktop");
    platform.AddDir("C:\\WINDOWS\\Desktop");
    platform.AddFile("C:\\WINDOWS\\Desktop\\LunketD2.lnk", "link:C:\\OLD\\LunketD2.exe");

    EXPECT_TRUE(CreateDesktopShortcut(platform, "C:\\DELPHI\\BIN\\LunketD2.exe"));

    EXPECT_EQ(platform.Content("C:\\WINDOWS\\Desktop\\LunketD2.lnk"),
              "link:C:\\DELPHI\\BIN\\LunketD2.exe");
}

TEST_F(CreateDesktopShortcutTest, WithoutADesktopFolderNothingIsWritten) {
    struct Case {
        const char* name;
        bool key;
        const char* value;  // null: no "Desktop" value
    };
    const Case cases[] = {
        {"no Shell Folders key", false, nullptr},
        {"no Desktop value", true, nullptr},
        {"empty Desktop value", true, ""},
        {"folder does not exist", true, "C:\\WINDOWS\\Desktop"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform p;
        if (c.key) p.AddRegKey(RegRoot::CurrentUser, kShellFolders);
        if (c.value) p.AddRegValue(RegRoot::CurrentUser, kShellFolders, "Desktop", c.value);
        // A file where the folder should be is no folder.
        p.AddFile("C:\\WINDOWS\\Desktop");

        EXPECT_FALSE(CreateDesktopShortcut(p, "C:\\DELPHI\\BIN\\LunketD2.exe"));
        EXPECT_TRUE(p.links.empty());
    }
}

TEST_F(CreateDesktopShortcutTest, AFailedLinkAnswersNo) {
    WithDesktop("C:\\WINDOWS\\Desktop");
    platform.AddDir("C:\\WINDOWS\\Desktop");
    platform.linkResult = static_cast<long>(0x80004005);

    EXPECT_FALSE(CreateDesktopShortcut(platform, "C:\\DELPHI\\BIN\\LunketD2.exe"));
    EXPECT_EQ(platform.links.size(), 1u);

    EXPECT_FALSE(CreateDesktopShortcut(platform, "C:\\DELPHI\\BIN\\lunket.exe"))
        << "a target that is not there";
    EXPECT_EQ(platform.links.size(), 1u) << "gets no shortcut";
}

}  // namespace
}  // namespace quillet::testing

#include <gtest/gtest.h>

#include "core/paths.h"
#include "core/text.h"
#include "fakes.h"

namespace quillet {
namespace {

TEST(ReplaceExtension, Table) {
    struct Case { const char* path; const char* ext; const char* expected; };
    const Case cases[] = {
        {"C:\\DELPHI\\BIN\\DCC32.EXE", ".cfg", "C:\\DELPHI\\BIN\\DCC32.cfg"},
        {"C:\\DELPHI\\BIN\\DCC32", ".cfg", "C:\\DELPHI\\BIN\\DCC32.cfg"},
        {"C:\\D.2\\BIN\\DCC32", ".bat", "C:\\D.2\\BIN\\DCC32.bat"},
        {"C:quillet", ".ini", "C:quillet.ini"},
        {"C:\\a.b\\quillet.exe", ".ini", "C:\\a.b\\quillet.ini"},
        {"", ".ini", ".ini"},
        {"name.tar.gz", ".lnk", "name.tar.lnk"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReplaceExtension(c.path, c.ext), c.expected) << c.path;
    }
}

TEST(SplitLines, TrailingBreakStartsNoLine) {
    EXPECT_EQ(SplitLines("a\r\nb\r\n"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitLines("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(SplitLines("a\nb"), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(SplitLines("").empty());
    EXPECT_EQ(JoinLines(SplitLines("-a\r\n-u\"x\"")), "-a\r\n-u\"x\"\r\n");
}

}  // namespace
}  // namespace quillet

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
        {"C:/D.2/BIN/DCC32", ".cfg", "C:/D.2/BIN/DCC32.cfg"},
        {"C:quillet", ".ini", "C:quillet.ini"},
        {"C:\\a.b\\quillet.exe", ".ini", "C:\\a.b\\quillet.ini"},
        {"", ".ini", ".ini"},
        {"name.tar.gz", ".lnk", "name.tar.lnk"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReplaceExtension(c.path, c.ext), c.expected) << c.path;
    }
}

// Windows takes a forward slash for a backslash, so both end a directory.
TEST(PathSplitting, FolderAndName) {
    struct Case { const char* path; const char* filePath; const char* name; const char* dir; };
    const Case cases[] = {
        {"C:\\D3\\BIN\\DCC32.EXE", "C:\\D3\\BIN\\", "DCC32.EXE", "C:\\D3\\BIN"},
        {"C:/Program Files/Delphi 2.0/Bin/dcc32.exe", "C:/Program Files/Delphi 2.0/Bin/",
         "dcc32.exe", "C:/Program Files/Delphi 2.0/Bin"},
        {"C:\\Delphi 2.0/Bin\\dcc32.exe", "C:\\Delphi 2.0/Bin\\", "dcc32.exe", "C:\\Delphi 2.0/Bin"},
        {"C:\\D2\\Bin/dcc32.exe", "C:\\D2\\Bin/", "dcc32.exe", "C:\\D2\\Bin"},
        {"C:\\DCC32.EXE", "C:\\", "DCC32.EXE", "C:\\"},
        {"C:/DCC32.EXE", "C:/", "DCC32.EXE", "C:/"},
        {"C:DCC32.EXE", "C:", "DCC32.EXE", "C:"},
        {"\\\\SRV\\SHARE\\D.EXE", "\\\\SRV\\SHARE\\", "D.EXE", "\\\\SRV\\SHARE"},
        {"//SRV/SHARE/D.EXE", "//SRV/SHARE/", "D.EXE", "//SRV/SHARE"},
        {"\\\\X", "\\\\", "X", "\\\\"},
        {"DCC32.EXE", "", "DCC32.EXE", ""},
        {"(unable to open registry key)", "", "(unable to open registry key)", ""},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExtractFilePath(c.path), c.filePath) << c.path;
        EXPECT_EQ(ExtractFileName(c.path), c.name) << c.path;
        EXPECT_EQ(ExtractFileDir(c.path), c.dir) << c.path;
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

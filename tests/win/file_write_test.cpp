// Replacing the configuration file and the batch file: the new text lands in
// one step, or the old file stays byte for byte; never a temporary file left.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "output/file_write_win32.h"
#include "output_test_util.h"

namespace quillet::wintest {
namespace {

constexpr const char* kOld = "-u\"C:\\OLD\"\r\n";
constexpr const char* kNew = "-a\"WinTypes=Windows\"\r\n-u\"C:\\NEW\"\r\n";

const char* OutcomeName(WriteOutcome o) {
    switch (o) {
        case WriteOutcome::Written:
            return "Written";
        case WriteOutcome::CannotCreate:
            return "CannotCreate";
        case WriteOutcome::WriteFailed:
            return "WriteFailed";
        case WriteOutcome::CannotReplace:
            return "CannotReplace";
    }
    return "?";
}

TEST(WriteFileReplacingTest, WritesANewFileWholeAndLeavesNothingElse) {
    ScratchDir dir("fw");
    const std::string target = dir / "DCC32.cfg";

    const WriteResult result = WriteFileReplacingWin32(target, kNew);

    EXPECT_STREQ(OutcomeName(result.outcome), "Written");
    EXPECT_EQ(ReadWholeFile(target), kNew);
    EXPECT_EQ(ListDirectory(dir.path()), std::set<std::string>{"DCC32.cfg"});
}

TEST(WriteFileReplacingTest, ReplacesAnExistingFileAndKeepsItsName) {
    for (const char* name : {"DCC32.cfg", "DCC32.bat", "dcc.CFG"}) {
        SCOPED_TRACE(name);
        ScratchDir dir("fw");
        const std::string target = dir / name;
        ASSERT_TRUE(WriteWholeFile(target,
                                   "a much longer old text than the new one\r\n"
                                   "so that a partial overwrite would show\r\n"));

        const WriteResult result = WriteFileReplacingWin32(target, kNew);

        EXPECT_STREQ(OutcomeName(result.outcome), "Written");
        EXPECT_EQ(ReadWholeFile(target), kNew);
        EXPECT_EQ(ListDirectory(dir.path()), std::set<std::string>{name});
    }
}

TEST(WriteFileReplacingTest, EmptyContentGivesAnEmptyFile) {
    ScratchDir dir("fw");
    const std::string target = dir / "DCC32.bat";
    ASSERT_TRUE(WriteWholeFile(target, kOld));

    EXPECT_STREQ(OutcomeName(WriteFileReplacingWin32(target, "").outcome), "Written");
    EXPECT_EQ(ReadWholeFile(target), "");
}

// One cell of the fault matrix: something that stops the replacement. The
// set-up may keep a handle open for the duration of the write; `Release`
// undoes whatever it did so the old file can be read and the directory
// removed.
struct Fault {
    const char* name;
    WriteOutcome expected;
    std::function<bool(const ScratchDir&, const std::string& target, HANDLE& held)> arrange;
    std::function<void(const ScratchDir&, const std::string& target, HANDLE held)> release;
};

bool HoldOpen(const std::string& target, DWORD share, HANDLE& held) {
    held = CreateFileA(target.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    return held != INVALID_HANDLE_VALUE;
}

void CloseHeld(const ScratchDir&, const std::string&, HANDLE held) {
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
}

const Fault kFaults[] = {
    {"held open without sharing", WriteOutcome::CannotReplace,
     [](const ScratchDir&, const std::string& t, HANDLE& h) { return HoldOpen(t, 0, h); },
     CloseHeld},
    {"held open by a reader that shares reading and writing", WriteOutcome::CannotReplace,
     [](const ScratchDir&, const std::string& t, HANDLE& h) {
         return HoldOpen(t, FILE_SHARE_READ | FILE_SHARE_WRITE, h);
     },
     CloseHeld},
    {"read-only target", WriteOutcome::CannotReplace,
     [](const ScratchDir&, const std::string& t, HANDLE&) {
         return SetFileAttributesA(t.c_str(), FILE_ATTRIBUTE_READONLY) != 0;
     },
     [](const ScratchDir&, const std::string& t, HANDLE) {
         SetFileAttributesA(t.c_str(), FILE_ATTRIBUTE_NORMAL);
     }},
};

TEST(WriteFileReplacingTest, FaultMatrixKeepsTheOldFileAndLeavesNoTemporary) {
    for (const char* name : {"DCC32.cfg", "DCC32.bat"}) {
        for (const Fault& fault : kFaults) {
            SCOPED_TRACE(std::string(name) + ", " + fault.name);
            ScratchDir dir("fw");
            const std::string target = dir / name;
            ASSERT_TRUE(WriteWholeFile(target, kOld));
            HANDLE held = INVALID_HANDLE_VALUE;
            ASSERT_TRUE(fault.arrange(dir, target, held)) << GetLastError();

            const WriteResult result = WriteFileReplacingWin32(target, kNew);
            const std::set<std::string> left = ListDirectory(dir.path());
            fault.release(dir, target, held);

            EXPECT_STREQ(OutcomeName(result.outcome), OutcomeName(fault.expected));
            EXPECT_NE(result.error, 0u);
            EXPECT_EQ(ReadWholeFile(target), kOld);
            EXPECT_EQ(left, std::set<std::string>{name});
        }
    }
}

// A directory in which nothing can be created. Windows would refuse through
// the directory's access list; under Wine, which runs the tests as root and
// maps a read-only attribute onto Unix permissions that root ignores, the
// directory is made immutable on the Unix side instead (chattr +i), which
// stops root too. Elsewhere the cell is skipped: it needs one of the two.
TEST(WriteFileReplacingTest, ReadOnlyDirectoryKeepsTheOldFileAndLeavesNoTemporary) {
    if (!UnderWine()) GTEST_SKIP() << "needs Wine's Unix side to make the directory immutable";
    for (const char* name : {"DCC32.cfg", "DCC32.bat"}) {
        SCOPED_TRACE(name);
        ScratchDir scratch("fw");
        const std::string dir = scratch / "locked";
        ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
        const std::string target = dir + "\\" + name;
        ASSERT_TRUE(WriteWholeFile(target, kOld));
        const std::string unixDir = UnixPathOf(dir);
        ASSERT_FALSE(unixDir.empty());
        if (RunUnixShell("chattr +i '" + unixDir + "'", scratch) != 0) {
            GTEST_SKIP() << "the file system cannot make " << unixDir << " immutable";
        }

        const WriteResult result = WriteFileReplacingWin32(target, kNew);
        const std::set<std::string> left = ListDirectory(dir);
        EXPECT_EQ(RunUnixShell("chattr -i '" + unixDir + "'", scratch), 0);

        EXPECT_STREQ(OutcomeName(result.outcome), "CannotCreate");
        EXPECT_NE(result.error, 0u);
        EXPECT_EQ(ReadWholeFile(target), kOld);
        EXPECT_EQ(left, std::set<std::string>{name});
    }
}

TEST(WriteFileReplacingTest, MissingDirectoryCannotBeCreatedIn) {
    ScratchDir dir("fw");
    // A file stands where the directory should be, and a name below a
    // directory that does not exist.
    ASSERT_TRUE(WriteWholeFile(dir / "BIN", kOld));
    for (const std::string& target : {dir / "BIN\\DCC32.cfg", dir / "NOWHERE\\DCC32.bat"}) {
        SCOPED_TRACE(target);
        const WriteResult result = WriteFileReplacingWin32(target, kNew);
        EXPECT_STREQ(OutcomeName(result.outcome), "CannotCreate");
        EXPECT_NE(result.error, 0u);
    }
    EXPECT_EQ(ListDirectory(dir.path()), std::set<std::string>{"BIN"});
    EXPECT_EQ(ReadWholeFile(dir / "BIN"), kOld);
}

TEST(WriteFileReplacingTest, ADirectoryInPlaceOfTheFileIsNotReplaced) {
    ScratchDir dir("fw");
    ASSERT_TRUE(CreateDirectoryA((dir / "DCC32.cfg").c_str(), nullptr));

    const WriteResult result = WriteFileReplacingWin32(dir / "DCC32.cfg", kNew);

    EXPECT_STREQ(OutcomeName(result.outcome), "CannotReplace");
    EXPECT_EQ(GetFileAttributesA((dir / "DCC32.cfg").c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(ListDirectory(dir.path()), std::set<std::string>{"DCC32.cfg"});
}

// A target whose full name is longer than MAX_PATH: the program's ANSI calls
// cannot reach it, so nothing is written there and the file that exists (made
// here through the wide "\\?\" form) keeps its content.
TEST(WriteFileReplacingTest, PathLongerThanMaxPathKeepsTheOldFile) {
    ScratchDir scratch("fw");
    std::string dir = scratch.path();
    std::wstring wideDir = L"\\\\?\\" + std::wstring(dir.begin(), dir.end());
    while (dir.size() < MAX_PATH + 20) {
        const std::string part = "\\directory-with-a-long-name-" + std::to_string(dir.size());
        dir += part;
        wideDir += std::wstring(part.begin(), part.end());
        ASSERT_TRUE(CreateDirectoryW(wideDir.c_str(), nullptr)) << GetLastError();
    }
    for (const char* name : {"DCC32.cfg", "DCC32.bat"}) {
        SCOPED_TRACE(name);
        const std::wstring wideTarget = wideDir + L"\\" + std::wstring(name, name + strlen(name));
        HANDLE file = CreateFileW(wideTarget.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, kOld, static_cast<DWORD>(strlen(kOld)), &written, nullptr);
        CloseHandle(file);

        const WriteResult result = WriteFileReplacingWin32(dir + "\\" + name, kNew);

        EXPECT_STREQ(OutcomeName(result.outcome), "CannotCreate");
        EXPECT_NE(result.error, 0u);
        file = CreateFileW(wideTarget.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        char buffer[256] = {};
        DWORD got = 0;
        ReadFile(file, buffer, sizeof buffer, &got, nullptr);
        CloseHandle(file);
        EXPECT_EQ(std::string(buffer, got), kOld);
    }
    EXPECT_EQ(ListDirectoryW(wideDir), (std::set<std::wstring>{L"DCC32.bat", L"DCC32.cfg"}));
}

}  // namespace
}  // namespace quillet::wintest

// Sample Delphi installations inside a test's folder, and the settings that
// point at them the way the products leave them: delphi.ini in the Windows
// directory, the IDE paths under HKLM and the library keys under HKCU. Each
// fixture clears what an earlier test left and removes its keys when done.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "driver.h"

namespace e2e {

class DelphiFixture {
public:
    // Lays out Delphi 1, 2 and 3 under folder\D1, folder\D2 and folder\D3 and
    // registers them. Delphi 2 lives in a directory whose name has a space.
    explicit DelphiFixture(const TestFolder& folder);
    ~DelphiFixture();
    DelphiFixture(const DelphiFixture&) = delete;
    DelphiFixture& operator=(const DelphiFixture&) = delete;

    // Delphi 1
    std::string d1Root;    // ...\D1\DELPHI
    std::string d1Lib;     // ...\D1\DELPHI\LIB, with SYSUTILS.DCU
    std::string d1Dcc;     // ...\D1\DELPHI\BIN\DCC.EXE
    std::string d1SearchPath;
    // Delphi 2
    std::string d2Bin;     // ...\D2\Delphi 2.0\BIN
    std::string d2Dcc;
    std::string d2SearchPath;
    std::string d2Aliases;
    // Delphi 3
    std::string d3Bin;     // ...\D3\Delphi 3\Bin
    std::string d3SLib;
    std::string d3Dcc;
    std::string d3SearchPath;
    std::string d3Aliases;

    // Changes the settings after the layout.
    static void SetSearchPath1(const std::string& value);  // empty: remove the key
    static void SetReg(HKEY root, const std::string& key, const std::string& name,
                       const std::string& value);
    static void DeleteKey(HKEY root, const std::string& key);
    // Removes every Delphi setting of the prefix.
    static void ClearSettings();
    static std::string DelphiIni();
};

// Returns once the program's user-interface thread has finished what it was
// doing: the handler that ran, or up to the next dialog it opened. Sent
// messages are handled only between handlers and inside modal loops.
bool WaitForProgram(HWND main);

// quillet.exe in a fresh folder beside sample Delphi installations, with
// extra messages off unless asked for and, when asked, the launcher stubs and
// readme.txt shipped beside it.
class Session {
public:
    explicit Session(bool extraMessages = false, bool companions = false);
    HWND Start();
    HWND Control(const char* name) { return FindControl(main_, name); }
    // A click that may open a modal window.
    void Press(const char* name) { EXPECT_TRUE(PostClick(Control(name))); }
    MessageDialog Dialog(const std::string& caption) { return WaitForMessageDialog(app_, caption); }
    // Waits until the program is idle again after a posted click.
    void Settle() { EXPECT_TRUE(WaitForProgram(main_)); }

    TestFolder folder_;
    DelphiFixture delphi_;
    App app_;
    HWND main_ = nullptr;
};

// The short (8.3) form of a path, or the path when it has none.
std::string ShortPathOf(const std::string& path);
// A file's bytes, or nullopt when it cannot be read.
std::optional<std::string> ReadAll(const std::string& path);

// How a run of quilletc.exe ended.
struct Outcome {
    DWORD code = 0xFFFFFFFF;
    std::string out, err;
};

// Runs quilletc.exe from the folder with its standard output and error in
// files: no pipe that a lingering Wine process could hold open. Each run has
// files of its own, since such a process may still hold the last ones.
Outcome Quilletc(const TestFolder& folder, const std::string& args);

// The configuration lines Create builds, each ended by CR LF.
std::string Lines32(const std::string& aliases, const std::string& unit, const std::string& inc,
                    const std::string& object);
std::string Lines16(const std::string& resource, const std::string& inc, const std::string& unit);

}  // namespace e2e

#include "delphi_fixture.h"

#include <gtest/gtest.h>

namespace e2e {

namespace {

constexpr const char* kIde2Key = "SOFTWARE\\Borland\\Delphi\\2.0";
constexpr const char* kIde3Key = "SOFTWARE\\Borland\\Delphi\\3.0";
constexpr const char* kLib2Key = "Software\\Borland\\Delphi\\2.0\\Library";
constexpr const char* kLib3Key = "Software\\Borland\\Delphi\\3.0\\Library";

void Touch(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    MakeDirs(path.substr(0, slash));
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(h, "sample", 6, &written, nullptr);
    CloseHandle(h);
}

// The machine's keys in the 32-bit view, where the program reads them.
REGSAM ViewOf(HKEY root) { return root == HKEY_LOCAL_MACHINE ? KEY_WOW64_32KEY : 0; }

}  // namespace

std::string DelphiFixture::DelphiIni() {
    char dir[MAX_PATH] = {};
    GetWindowsDirectoryA(dir, MAX_PATH);
    return std::string(dir) + "\\delphi.ini";
}

void DelphiFixture::SetSearchPath1(const std::string& value) {
    WritePrivateProfileStringA("Library", "SearchPath", value.empty() ? nullptr : value.c_str(),
                               DelphiIni().c_str());
}

void DelphiFixture::SetReg(HKEY root, const std::string& key, const std::string& name,
                           const std::string& value) {
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE | ViewOf(root), nullptr,
                              &h, nullptr),
              ERROR_SUCCESS)
        << key;
    RegSetValueExA(h, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(h);
}

void DelphiFixture::DeleteKey(HKEY root, const std::string& key) {
    // Under its parent opened in the view: XP's RegDeleteKeyA takes no view.
    const std::size_t slash = key.rfind('\\');
    HKEY parent = nullptr;
    if (RegOpenKeyExA(root, key.substr(0, slash).c_str(), 0, KEY_WRITE | ViewOf(root), &parent)) return;
    RegDeleteKeyA(parent, key.substr(slash + 1).c_str());
    RegCloseKey(parent);
}

void DelphiFixture::ClearSettings() {
    SetSearchPath1("");
    DeleteKey(HKEY_CURRENT_USER, kLib2Key);
    DeleteKey(HKEY_CURRENT_USER, kLib3Key);
    DeleteKey(HKEY_LOCAL_MACHINE, kIde2Key);
    DeleteKey(HKEY_LOCAL_MACHINE, kIde3Key);
}

DelphiFixture::DelphiFixture(const TestFolder& folder) {
    ClearSettings();

    d1Root = folder.File("D1\\DELPHI");
    d1Lib = d1Root + "\\LIB";
    d1Dcc = d1Root + "\\BIN\\DCC.EXE";
    Touch(d1Dcc);
    Touch(d1Lib + "\\SYSUTILS.DCU");
    MakeDirs(d1Root + "\\MYLIB");
    d1SearchPath = d1Lib + ";" + d1Root + "\\MYLIB";
    SetSearchPath1(d1SearchPath);

    const std::string d2 = folder.File("D2\\Delphi 2.0");
    d2Bin = d2 + "\\BIN";
    d2Dcc = d2Bin + "\\dcc32.exe";
    Touch(d2Dcc);
    MakeDirs(d2 + "\\LIB");
    d2SearchPath = d2 + "\\LIB";
    d2Aliases = "WinTypes=Windows;WinProcs=Windows;DbiTypes=BDE;DbiProcs=BDE;DbiErrs=BDE";
    SetReg(HKEY_LOCAL_MACHINE, kIde2Key, "Delphi 2.0", d2Bin + "\\DELPHI32.EXE");
    SetReg(HKEY_CURRENT_USER, kLib2Key, "SearchPath", d2SearchPath);
    SetReg(HKEY_CURRENT_USER, kLib2Key, "UnitAliases", d2Aliases);

    const std::string d3 = folder.File("D3\\Delphi 3");
    d3Bin = d3 + "\\Bin";
    d3SLib = d3 + "\\SLib";
    d3Dcc = d3Bin + "\\dcc32.exe";
    Touch(d3Dcc);
    MakeDirs(d3SLib);
    MakeDirs(d3 + "\\Lib");
    d3SearchPath = d3 + "\\Lib";
    d3Aliases = "WinTypes=Windows;WinProcs=Windows";
    SetReg(HKEY_LOCAL_MACHINE, kIde3Key, "Delphi 3", d3Bin + "\\delphi32.exe");
    SetReg(HKEY_CURRENT_USER, kLib3Key, "SearchPath", d3SearchPath);
    SetReg(HKEY_CURRENT_USER, kLib3Key, "UnitAliases", d3Aliases);
}

DelphiFixture::~DelphiFixture() { ClearSettings(); }

Session::Session(bool extraMessages, bool companions) : delphi_(folder_) {
    EXPECT_TRUE(folder_.CopyQuillet(companions));
    if (!extraMessages) {
        EXPECT_TRUE(folder_.WriteIni("Options", "ExtraMessages", "0"));
    }
}

HWND Session::Start() {
    main_ = app_.StartQuillet(folder_);
    return main_;
}

bool WaitForProgram(HWND main) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, kWaitMs, &result) != 0;
}

std::string ShortPathOf(const std::string& path) {
    char buffer[MAX_PATH] = {};
    const DWORD got = GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
    return got > 0 && got < MAX_PATH ? std::string(buffer, got) : path;
}

std::optional<std::string> ReadAll(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(h, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    CloseHandle(h);
    return bytes;
}

Outcome Quilletc(const TestFolder& folder, const std::string& args) {
    static int runs = 0;
    const std::string name = "quilletc" + std::to_string(++runs);
    Outcome run;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    auto open = [&](const std::string& name) {
        return CreateFileA(folder.File(name).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    HANDLE out = open(name + ".out"), err = open(name + ".err");
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = nullptr;
    si.hStdOutput = out;
    si.hStdError = err;
    std::string line(1, '"');
    line.append(folder.File("quilletc.exe")).append("\" ").append(args);
    PROCESS_INFORMATION pi{};
    const BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, folder.Path().c_str(), &si, &pi);
    CloseHandle(out);
    CloseHandle(err);
    EXPECT_TRUE(started) << line;
    if (!started) return run;
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, kWaitMs), WAIT_OBJECT_0) << line;
    GetExitCodeProcess(pi.hProcess, &run.code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    run.out = folder.ReadFile(name + ".out").value_or("");
    run.err = folder.ReadFile(name + ".err").value_or("");
    return run;
}

std::string Lines32(const std::string& aliases, const std::string& unit, const std::string& inc,
                    const std::string& object) {
    return "-a" + aliases + "\r\n-u\"" + unit + "\"\r\n-i\"" + inc + "\"\r\n-o\"" + object +
           "\"\r\n";
}

std::string Lines16(const std::string& resource, const std::string& inc, const std::string& unit) {
    return "/m\r\n/cw\r\n/r" + resource + "\r\n/i" + inc + "\r\n/u" + unit + "\r\n";
}

}  // namespace e2e

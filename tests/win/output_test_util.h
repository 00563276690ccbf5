// Small helpers of the output tests under Wine: a scratch directory, whole-file
// reads, directory listings, and running a Unix command from the test when it
// runs under Wine (to set up what Windows calls cannot, and to check files with
// Unix tools).
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

namespace quillet::wintest {

inline std::string ReadWholeFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<unreadable>";
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

inline bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

// Names in a directory (wide, so that directories beyond MAX_PATH work too).
inline std::set<std::wstring> ListDirectoryW(const std::wstring& dir) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.insert(name);
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return names;
}

inline std::set<std::string> ListDirectory(const std::string& dir) {
    std::set<std::string> names;
    for (const std::wstring& w : ListDirectoryW(std::wstring(dir.begin(), dir.end()))) {
        names.insert(std::string(w.begin(), w.end()));
    }
    return names;
}

inline void RemoveTreeW(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        for (const std::wstring& name : ListDirectoryW(path)) RemoveTreeW(path + L"\\" + name);
        RemoveDirectoryW(path.c_str());
    } else {
        DeleteFileW(path.c_str());
    }
}

// A fresh directory under the temporary folder, removed with all it holds.
class ScratchDir {
public:
    explicit ScratchDir(const char* tag) {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        for (unsigned n = GetTickCount() & 0xFFFF;; ++n) {
            path_ = std::string(temp) + "qlt-" + tag + "-" + std::to_string(n);
            if (CreateDirectoryA(path_.c_str(), nullptr)) break;
        }
    }
    ~ScratchDir() { RemoveTreeW(L"\\\\?\\" + std::wstring(path_.begin(), path_.end())); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// The Unix path of a Windows path when running under Wine; empty elsewhere.
inline std::string UnixPathOf(const std::string& path) {
    using Fn = char*(__cdecl*)(const wchar_t*);
    const auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (fn == nullptr) return std::string();
    const std::wstring wide(path.begin(), path.end());
    char* unix = fn(wide.c_str());
    if (unix == nullptr) return std::string();
    std::string result = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

inline bool UnderWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

// Runs `command` with the Unix shell (Wine starts Unix programs through
// CreateProcess) and gives its exit status, or -1 when it could not be run.
// The status travels through a file: Wine gives no exit code for a Unix child.
inline int RunUnixShell(const std::string& command, const ScratchDir& scratch) {
    if (!UnderWine()) return -1;
    const std::string rcFile = scratch / "unix-status.txt";
    DeleteFileA(rcFile.c_str());
    const std::string unixRc = UnixPathOf(rcFile);
    if (unixRc.empty()) return -1;
    std::string script = command + "; echo $? > '" + unixRc + "'";
    std::string line = "/bin/sh -c \"" + script + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA("/bin/sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return -1;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    for (int waited = 0; waited < 30000; waited += 50) {
        const std::string rc = ReadWholeFile(rcFile);
        if (rc != "<unreadable>" && !rc.empty() && rc.back() == '\n') {
            DeleteFileA(rcFile.c_str());
            return std::atoi(rc.c_str());
        }
        Sleep(50);
    }
    return -1;
}

}  // namespace quillet::wintest

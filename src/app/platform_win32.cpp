#include "app/platform_win32.h"

#include <windows.h>
#include <shlobj.h>

#include "app/main_form_setup_win32.h"
#include "config/registry_win32.h"
#include "output/file_write_win32.h"
#include "output/shortcut_win32.h"
#include "ui/application.h"
#include "ui/handles.h"
#include "ui/system_message.h"

namespace quillet {

std::string Win32Platform::ReadRegString(RegRoot root, const std::string& key,
                                         const std::string& value) {
    return quillet::ReadRegString(root == RegRoot::LocalMachine ? HKEY_LOCAL_MACHINE
                                                                : HKEY_CURRENT_USER,
                                  key, value);
}

std::string Win32Platform::ReadProfileString(const std::string& file, const std::string& section,
                                             const std::string& key, const std::string& def) {
    return ReadPrivateProfileString(file, section, key, def);
}

unsigned long Win32Platform::WriteProfileText(const std::string& file, const std::string& section,
                                              const std::string& key, const std::string& value) {
    if (WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str())) {
        return 0;
    }
    const DWORD error = GetLastError();
    return error != 0 ? error : ERROR_WRITE_FAULT;
}

bool Win32Platform::FileExists(const std::string& path) {
    const DWORD attrs = GetFileAttributesA(path.c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Platform::DirectoryExists(const std::string& path) {
    const DWORD attrs = GetFileAttributesA(path.c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Platform::ReadTextFile(const std::string& path, std::string& bytes) {
    const ui::KernelHandle file(ui::OpenedFile(CreateFileA(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
        nullptr)));
    if (!file) return false;
    bytes.clear();
    char chunk[4096];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file.Get(), chunk, sizeof chunk, &got, nullptr) != FALSE) && got > 0) {
        bytes.append(chunk, got);
    }
    return ok;
}

bool Win32Platform::CopyFileOver(const std::string& from, const std::string& to,
                                 std::string& reason, unsigned long& error) {
    if (CopyFileA(from.c_str(), to.c_str(), FALSE)) return true;
    error = GetLastError();
    reason = ui::SystemMessage(error, to);
    if (reason.empty()) reason = "Error " + std::to_string(error) + ".";
    return false;
}

WriteResult Win32Platform::WriteFileReplacing(const std::string& path, const std::string& bytes) {
    return WriteFileReplacingWin32(path, bytes);
}

std::string Win32Platform::ShortPath(const std::string& path) { return GetShortPath(path); }

std::string Win32Platform::LongPath(const std::string& path) {
    // The ANSI file functions reach no longer path.
    char longPath[MAX_PATH] = {};
    const DWORD got = GetLongPathNameA(path.c_str(), longPath, MAX_PATH);
    return got == 0 || got >= MAX_PATH ? path : std::string(longPath, got);
}

std::string Win32Platform::ExePath() { return ui::Application::Get().ExeName(); }

std::string Win32Platform::UserDataFolder() {
    // The shell's function takes a buffer of MAX_PATH characters, no more.
    char path[MAX_PATH + 1] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) {
        return std::string();
    }
    return path;
}

bool Win32Platform::MakeDirectory(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) || DirectoryExists(path);
}

long Win32Platform::CreateLink(const std::string& target, const std::string& arguments,
                               std::string& linkName) {
    return ShortcutFile->CreateLink(target, arguments, linkName);
}

std::string Win32Platform::LinkTarget(const std::string& linkName) {
    return ShortcutFile->LinkTarget(linkName);
}

std::string Win32Platform::ToOemText(const std::string& text) {
    std::string oem(text.size(), '\0');
    if (!text.empty()) {
        CharToOemBuffA(text.data(), oem.data(), static_cast<DWORD>(text.size()));
    }
    return oem;
}

bool Win32Platform::ProcessElevated() {
    // Wine makes every process an administrator; the tests, and anyone
    // trying the question out, can have the program act as a standard user.
    char assume[4] = {};
    if (GetEnvironmentVariableA("QUILLET_ASSUME_STANDARD_USER", assume, sizeof assume) == 1 &&
        assume[0] == '1') {
        return false;
    }
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &opened)) return false;
    const ui::KernelHandle token(opened);
    // TokenElevation (20) came with Vista; XP answers with an error. There a
    // limited user's refused write is what "runas" (the Run As dialog) is for,
    // and an administrator's writes are not refused.
    DWORD elevated = 0, size = 0;
    const BOOL known = GetTokenInformation(token.Get(), static_cast<TOKEN_INFORMATION_CLASS>(20),
                                           &elevated, sizeof elevated, &size);
    return known && elevated != 0;
}

std::string Win32Platform::SystemErrorText(unsigned long error) {
    return ui::SystemMessage(error, "");
}

std::string Win32Platform::VirtualStoreRoot() {
    // Virtualisation came with Vista.
    if (LOBYTE(LOWORD(GetVersion())) < 6) return "";
    char folder[MAX_PATH] = {};
    if (SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, folder) != S_OK) return "";
    return std::string(folder) + "\\VirtualStore";
}

long long Win32Platform::FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool Win32Platform::RenameFile(const std::string& from, const std::string& to,
                               std::string& reason) {
    if (MoveFileA(from.c_str(), to.c_str())) return true;
    reason = ui::SystemMessage(GetLastError(), to);
    return false;
}

bool Win32Platform::FillEmptyFile(const std::string& path, const std::string& bytes) {
    // Opened without following a link at its name, and shared with no one
    // while it is checked and filled.
    const ui::KernelHandle held(ui::OpenedFile(CreateFileA(
        path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT,
        nullptr)));
    if (!held) return false;
    const HANDLE file = held.Get();
    BY_HANDLE_FILE_INFORMATION info{};
    const DWORD notPlain = FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY;
    // A hard link names a file that other names reach too.
    bool ok = GetFileInformationByHandle(file, &info) && !(info.dwFileAttributes & notPlain) &&
              info.nNumberOfLinks == 1 && info.nFileSizeHigh == 0 && info.nFileSizeLow == 0;
    DWORD written = 0;
    ok = ok && WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                         nullptr) &&
         written == bytes.size();
    return ok;
}

}  // namespace quillet

#include "output/shortcut_win32.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "base/grow_buffer.h"
#include "output/shortcut.h"
#include "ui/handles.h"

namespace quillet {

namespace {

// The longest link name handed to the shell; a longer one is refused before
// the shell sees it.
constexpr std::size_t kMaxLinkNameChars = 258;

// The link's file name as the shell takes it; false when it cannot be given.
bool WideLinkName(const std::string& name, std::wstring& wide) {
    if (name.size() > kMaxLinkNameChars) return false;
    const int n = MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, nullptr, 0);
    if (n <= 0) return false;
    wide.assign(static_cast<std::size_t>(n), L'\0');
    if (!MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, wide.data(), n)) return false;
    wide.resize(static_cast<std::size_t>(n - 1));
    return true;
}

}  // namespace

TShortcutFile* ShortcutFile = nullptr;

void InitShortcutUnit() {
    if (ShortcutFile == nullptr) ShortcutFile = new TShortcutFile;
}

void DoneShortcutUnit() {
    delete ShortcutFile;
    ShortcutFile = nullptr;
}

TShortcutFile::TShortcutFile() {
    // The program's one thread stays in this apartment until the unit is done.
    CoInitialize(nullptr);
}

TShortcutFile::~TShortcutFile() { CoUninitialize(); }

long TShortcutFile::CreateLink(const std::string& target, const std::string& arguments,
                               std::string& linkName) {
    ui::ComRef<IShellLinkA> link;
    HRESULT result =
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.PutVoid());
    if (FAILED(result)) return result;

    link->SetPath(target.c_str());
    link->SetArguments(arguments.c_str());

    ui::ComRef<IPersistFile> file;
    result = link->QueryInterface(IID_IPersistFile, file.PutVoid());
    if (FAILED(result)) return result;

    linkName = WithLinkExtension(linkName);

    // A name the shell cannot be given is refused: rather than hand it an
    // empty or cut name (whose meaning is its own), no file is saved at all.
    std::wstring wideName;
    if (!WideLinkName(linkName, wideName)) return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
    return file->Save(wideName.c_str(), TRUE);
}

std::string TShortcutFile::LinkTarget(const std::string& linkName) {
    std::wstring wideName;
    if (!WideLinkName(linkName, wideName)) return {};
    ui::ComRef<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.PutVoid()))) {
        return {};
    }
    ui::ComRef<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid())) ||
        FAILED(file->Load(wideName.c_str(), STGM_READ))) {
        return {};
    }
    // The stored target can be longer than MAX_PATH.
    return base::ReadGrowing([&](char* buffer, std::size_t capacity) -> base::GrowRead {
        if (FAILED(link->GetPath(buffer, static_cast<int>(capacity), nullptr, SLGP_RAWPATH))) {
            return {base::GrowRead::Fail};
        }
        const std::size_t length = std::strlen(buffer);
        if (length + 1 < capacity) return {base::GrowRead::Done, length};
        return {base::GrowRead::Grow};
    });
}

}  // namespace quillet

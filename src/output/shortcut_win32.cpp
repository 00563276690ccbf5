#include "output/shortcut_win32.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include "output/shortcut.h"

namespace quillet {

namespace {

// Room for the shell's longest file name and its terminating zero.
constexpr int kLinkNameChars = 259;

// The link's file name as the shell takes it; false when it does not fit.
bool WideLinkName(const std::string& name, WCHAR (&wide)[kLinkNameChars]) {
    return MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, wide, kLinkNameChars) != 0;
}

}  // namespace

TShortcutFile* ShortcutFile = nullptr;

void InitShortcutUnit() {
    if (ShortcutFile == nullptr) ShortcutFile = new TShortcutFile;
}

TShortcutFile::TShortcutFile() {
    // The program's one thread stays in this apartment until the process ends.
    CoInitialize(nullptr);
}

long TShortcutFile::CreateLink(const std::string& Target, const std::string& Arguments,
                               std::string& LinkName) {
    IShellLinkA* link = nullptr;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IShellLinkA, reinterpret_cast<void**>(&link));
    if (FAILED(result)) return result;

    link->SetPath(Target.c_str());
    link->SetArguments(Arguments.c_str());

    IPersistFile* file = nullptr;
    result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (FAILED(result)) {
        link->Release();
        return result;
    }

    LinkName = WithLinkExtension(LinkName);

    // A name that does not fit converts to nothing; rather than hand the shell
    // an empty name (whose meaning is its own), no file is saved at all.
    WCHAR wideName[kLinkNameChars];
    if (!WideLinkName(LinkName, wideName)) {
        result = HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
    } else {
        result = file->Save(wideName, TRUE);
    }

    file->Release();
    link->Release();
    return result;
}

std::string TShortcutFile::LinkTarget(const std::string& LinkName) {
    WCHAR wideName[kLinkNameChars];
    if (!WideLinkName(LinkName, wideName)) return {};
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link)))) {
        return {};
    }
    std::string target;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        char path[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(wideName, STGM_READ)) &&
            SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH))) {
            target = path;
        }
        file->Release();
    }
    link->Release();
    return target;
}

}  // namespace quillet

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
    const int converted =
        MultiByteToWideChar(CP_ACP, 0, LinkName.c_str(), -1, wideName, kLinkNameChars);
    if (converted == 0) {
        result = HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
    } else {
        result = file->Save(wideName, TRUE);
    }

    file->Release();
    link->Release();
    return result;
}

}  // namespace quillet

#include "config/compiler_selector_win32.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "base/error.h"

namespace quillet {

namespace {

// Room for the longest path the system can give back, so a chosen name is
// never cut.
constexpr std::size_t kFileNameRoom = 32768;

// A hook that leaves everything to the dialog. Its presence alone makes the
// explorer-style dialog show a plain edit box for the file name rather than
// the combo box with a history list.
UINT_PTR CALLBACK PassThroughHook(HWND, UINT, WPARAM, LPARAM) { return 0; }

}  // namespace

std::string FilterToDoubleZero(const std::string& filter) {
    std::string result = filter;
    for (char& c : result) {
        if (c == '|') c = '\0';
    }
    result.push_back('\0');
    result.push_back('\0');
    return result;
}

DWORD TOpenDialog::Flags() const {
    return OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING | Options;
}

bool TOpenDialog::Execute(HWND owner) {
    const std::string filter = FilterToDoubleZero(Filter);
    std::vector<char> file(std::max(kFileNameRoom, FileName.size() + 1), '\0');
    FileName.copy(file.data(), FileName.size());

    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
    ofn.Flags = Flags();
    ofn.lpfnHook = PassThroughHook;

    if (!GetOpenFileNameA(&ofn)) return false;
    FileName = file.data();
    return true;
}

TOpenDialog MakeCompilerSelector(const Profile& profile) {
    TOpenDialog dialog;
    dialog.Filter = profile.selector.filter;
    dialog.FileName = profile.selector.fileName;
    if (profile.selector.noChangeDir) dialog.Options |= OFN_NOCHANGEDIR;
    if (profile.selector.fileMustExist) dialog.Options |= OFN_FILEMUSTEXIST;
    return dialog;
}

CompilerSelectors::CompilerSelectors()
    : OD1(MakeCompilerSelector(ProfileOf(Version::D1))),
      OD2(MakeCompilerSelector(ProfileOf(Version::D2))),
      OD3(MakeCompilerSelector(ProfileOf(Version::D3))) {}

TOpenDialog& CompilerSelectors::For(Version v) {
    switch (v) {
        case Version::D1: return OD1;
        case Version::D2: return OD2;
        case Version::D3: return OD3;
        case Version::None: break;
    }
    throw base::Error("no selector without a version");
}

bool CompilerSelectors::Run(Version v, HWND owner, std::string& fileName) {
    TOpenDialog& dialog = For(v);
    if (!dialog.Execute(owner)) return false;
    fileName = dialog.FileName;
    return true;
}

void CompilerSelectors::SetInitialDir(Version v, const std::string& dir) {
    For(v).InitialDir = dir;
}

}  // namespace quillet

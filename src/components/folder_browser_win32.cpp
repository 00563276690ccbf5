#include "components/folder_browser_win32.h"

#include <commctrl.h>
#include <shellapi.h>

#include <vector>

#include "ui/gdi.h"
#include "ui/main_form.h"
#include "ui/monitor.h"

namespace quillet {
namespace {

constexpr int kStatusLineId = 14147;
constexpr UINT_PTR kSubclassId = 0x42445247;  // ours among the dialog's subclasses
constexpr UINT_PTR kRetrySelectionTimer = 0x4252;
// A shell dialog may ignore a selection it is asked for and report none: under
// Wine the first dialog of a process does so for any folder below the user's
// profile while it is still filling its tree; asked again a moment later, it
// takes it.
constexpr UINT kRetrySelectionMs = 50;
constexpr int kMaxSelectionRetries = 40;

// Posted to the dialog after each selection change so that our OK-button state
// arrives after the shell's own BFFM_ENABLEOK for the new selection.
UINT ReassertOkMessage() {
    static const UINT message = RegisterWindowMessageA("Quillet.BrowseDr.ReassertOK");
    return message;
}

bool IsNTFamily() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

std::wstring Widen(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

BOOL CALLBACK FindStatusLine(HWND child, LPARAM found) {
    if (GetWindowLongA(child, GWL_ID) == kStatusLineId) {
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
    }
    return TRUE;
}

// A buffer from the shell's task allocator, freed with it.
class TaskBuffer {
public:
    TaskBuffer(IMalloc* allocator, size_t size)
        : allocator_(allocator),
          data_(allocator ? static_cast<char*>(allocator->Alloc(size)) : nullptr) {
        if (data_) data_[0] = '\0';
    }
    ~TaskBuffer() {
        if (data_) allocator_->Free(data_);
    }
    TaskBuffer(const TaskBuffer&) = delete;
    TaskBuffer& operator=(const TaskBuffer&) = delete;
    char* get() const { return data_; }

private:
    IMalloc* allocator_;
    char* data_;
};

}  // namespace

TBrowseDirectoryDlg::TBrowseDirectoryDlg(HWND parentWindow) : parent_(parentWindow) {
    if (FAILED(CoGetMalloc(MEMCTX_TASK, malloc_.Put()))) malloc_.Reset();
}

TBrowseDirectoryDlg::~TBrowseDirectoryDlg() {
    if (held_) FreeItem(held_);
}

void TBrowseDirectoryDlg::FreeItem(void* item) const {
    if (item && malloc_) malloc_->Free(item);
}

void TBrowseDirectoryDlg::ReplaceHeldList(LPITEMIDLIST item) {
    if (held_ && held_ != item) FreeItem(held_);
    held_ = item;
}

bool TBrowseDirectoryDlg::IsDirectory(const std::string& path) {
    if (const auto root = DriveRootIsDirectory(path, GetLogicalDrives())) return *root;
    if (path.find_first_of("*?") != std::string::npos) return false;
    std::string name = path;
    if (!name.empty() && name.back() == '\\') name.pop_back();
    if (name.empty()) return false;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(name.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    const bool directory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    FindClose(search);
    return directory;
}

HWND TBrowseDirectoryDlg::OwnerWindow() const {
    if (parent_) return parent_;
    return ui::MainFormHandle();
}

std::string TBrowseDirectoryDlg::PathOf(LPCITEMIDLIST item) const {
    char path[MAX_PATH] = {};
    if (!item || !SHGetPathFromIDListA(item, path)) return std::string();
    return std::string(path);
}

void TBrowseDirectoryDlg::SetSelection(const std::string& value) {
    if (value == selection_) return;
    selection_ = value;
    if (!selection_.empty() && selection_.back() != '\\' && IsDirectory(selection_)) {
        selection_ += '\\';
    }
    if (dialog_) ApplySelection();
}

void TBrowseDirectoryDlg::SetStatusText(const std::string& value) {
    if (value == statusText_) return;
    statusText_ = value;
    if (dialog_) SendStatusText();
}

void TBrowseDirectoryDlg::SetFitStatusText(bool value) {
    if (value == fitStatusText_) return;
    fitStatusText_ = value;
    if (dialog_) SendStatusText();
}

void TBrowseDirectoryDlg::SetEnableOKButton(bool value) {
    if (value == enableOK_) return;
    enableOK_ = value;
    if (dialog_) SendMessageA(dialog_, BFFM_ENABLEOK, 0, enableOK_ ? 1 : 0);
}

std::string TBrowseDirectoryDlg::Caption() const {
    if (!dialog_) return caption_;
    // The whole title, however long.
    const LRESULT length = SendMessageA(dialog_, WM_GETTEXTLENGTH, 0, 0);
    std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    SendMessageA(dialog_, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return std::string(text.data());
}

void TBrowseDirectoryDlg::SetCaption(const std::string& value) {
    caption_ = value;
    if (dialog_) SendMessageA(dialog_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(caption_.c_str()));
}

void TBrowseDirectoryDlg::SendStatusText() {
    const std::string text = FittedStatusText();
    SendMessageA(dialog_, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string TBrowseDirectoryDlg::FittedStatusText() const {
    if (!fitStatusText_) return statusText_;
    HWND line = nullptr;
    EnumChildWindows(dialog_, FindStatusLine, reinterpret_cast<LPARAM>(&line));
    if (!line || statusText_.empty()) return statusText_;
    const ui::WindowDC lineDC(line);
    if (!lineDC) return statusText_;
    const HDC dc = lineDC.Get();
    const ui::SelectGuard font(dc, reinterpret_cast<HFONT>(SendMessageA(line, WM_GETFONT, 0, 0)));
    RECT bounds{};
    GetWindowRect(line, &bounds);
    const int limit = bounds.right - bounds.left;
    const TextWidthFn width = [dc](const std::string& text) {
        SIZE size{};
        GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    };
    return IsDirectory(statusText_) ? ShortenPathToFit(statusText_, limit, width)
                                    : ShortenTextToFit(statusText_, limit, width);
}

void TBrowseDirectoryDlg::ApplySelection() {
    selectionRetries_ = 0;
    RetrySelection();
}

// Asks the shell for selection_ (or the held item list); until the shell
// reports a selection, asks again from the dialog's message loop. Any report,
// the user's own choice included, ends the asking.
void TBrowseDirectoryDlg::RetrySelection() {
    KillTimer(dialog_, kRetrySelectionTimer);
    selectionReported_ = false;
    if (selection_.empty()) {
        if (!held_) return;  // nothing to select
        selection_ = PathOf(held_);
        SendMessageA(dialog_, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(held_));
    } else {
        LPITEMIDLIST parsed = nullptr;
        // The desktop folder is let go before the dialog is told anything.
        if (ui::ComRef<IShellFolder> desktop;
            SUCCEEDED(SHGetDesktopFolder(desktop.Put())) && desktop) {
            std::wstring name = Widen(selection_);
            ULONG eaten = 0;
            if (FAILED(desktop->ParseDisplayName(dialog_, nullptr, name.data(), &eaten, &parsed,
                                                 nullptr))) {
                parsed = nullptr;
            }
        }
        if (parsed) ReplaceHeldList(parsed);
        if (selection_.compare(0, 2, "\\\\") == 0) {
            // A network name is selected by item list only.
            if (!parsed) return;
            SendMessageA(dialog_, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(held_));
        } else {
            const std::string path = NormaliseSelectionPath(selection_);
            SendMessageA(dialog_, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
        }
    }
    if (!selectionReported_ && selectionRetries_++ < kMaxSelectionRetries) {
        SetTimer(dialog_, kRetrySelectionTimer, kRetrySelectionMs, nullptr);
    }
}

void TBrowseDirectoryDlg::DoInitialized(HWND dialog) {
    dialog_ = dialog;
    if (center_) {
        // On its owner's monitor.
        RECT r{};
        GetWindowRect(dialog, &r);
        const base::Rect screen = ui::WorkAreaOf(OwnerWindow());
        const int x = screen.left + (screen.Width() - (r.right - r.left)) / 2;
        const int y = screen.top + (screen.Height() - (r.bottom - r.top)) / 2;
        SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SendMessageA(dialog, BFFM_ENABLEOK, 0, enableOK_ ? 1 : 0);
    if (!statusText_.empty()) SendStatusText();
    if (!selection_.empty() || held_) ApplySelection();
    if (!caption_.empty()) {
        SendMessageA(dialog, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(caption_.c_str()));
    }
    if (OnCreate) OnCreate(this);
}

void TBrowseDirectoryDlg::DoSelChanged(HWND, LPCITEMIDLIST newSel) {
    if (!showSelectionInStatus_ && !OnSelChanged) return;
    const std::string path = PathOf(newSel);
    if (showSelectionInStatus_) SetStatusText(path);
    if (OnSelChanged) OnSelChanged(this, path, newSel);
}

LRESULT CALLBACK TBrowseDirectoryDlg::DialogProc(HWND dialog, UINT message, WPARAM wParam,
                                                 LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
    auto* self = reinterpret_cast<TBrowseDirectoryDlg*>(data);
    const bool ours = self->dialog_ == dialog;
    if (message == ReassertOkMessage()) {
        if (ours && !self->enableOK_) SendMessageA(dialog, BFFM_ENABLEOK, 0, 0);
        return 0;
    }
    if (message == WM_TIMER && wParam == kRetrySelectionTimer) {
        KillTimer(dialog, kRetrySelectionTimer);
        if (ours && !self->selectionReported_ && !self->pending_) {
            try {
                self->RetrySelection();
            } catch (...) {
                // The shell's dialog is C code: nothing may unwind through it.
                self->pending_ = std::current_exception();
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            }
        }
        return 0;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(dialog, DialogProc, id);
    return DefSubclassProc(dialog, message, wParam, lParam);
}

int CALLBACK TBrowseDirectoryDlg::BrowseCallback(HWND dialog, UINT message, LPARAM param,
                                                 LPARAM data) {
    auto* self = reinterpret_cast<TBrowseDirectoryDlg*>(data);
    // The shell's dialog is C code: nothing may unwind through it.
    try {
        self->HandleCallback(dialog, message, param);
    } catch (...) {
        if (!self->pending_) self->pending_ = std::current_exception();
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
    return 0;
}

void TBrowseDirectoryDlg::HandleCallback(HWND dialog, UINT message, LPARAM param) {
    if (pending_) return;  // closing after a handler failed
    if (message != BFFM_INITIALIZED && message != BFFM_SELCHANGED) return;
    SetWindowSubclass(dialog, DialogProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    // The shell enables OK for a valid selection right after this callback;
    // a disabled OK is restored once that is done.
    PostMessageA(dialog, ReassertOkMessage(), 0, 0);
    if (message == BFFM_INITIALIZED) {
        DoInitialized(dialog);
    } else {
        selectionReported_ = true;
        KillTimer(dialog, kRetrySelectionTimer);
        DoSelChanged(dialog, reinterpret_cast<LPCITEMIDLIST>(param));
    }
}

bool TBrowseDirectoryDlg::Execute() {
    const HWND owner = OwnerWindow();
    TaskBuffer buffer(malloc_.Get(), MAX_PATH);
    if (!buffer.get()) return false;

    LPITEMIDLIST rootItem = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(owner, RootCsidl(root_, IsNTFamily()), &rootItem))) {
        rootItem = nullptr;
    }

    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.pidlRoot = rootItem;
    info.pszDisplayName = buffer.get();
    info.lpszTitle = title_.c_str();
    info.ulFlags = BrowseFlagsValue(options_, !statusText_.empty() || showSelectionInStatus_);
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(this);
    info.iImage = -1;

    pending_ = nullptr;
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);

    bool result = false;
    std::string path;
    if (chosen && !pending_) {
        if (options_.Contains(bfComputers)) {
            path = std::string("\\\\") + buffer.get();
            if (SHGetPathFromIDListA(chosen, buffer.get())) path = buffer.get();
        } else if (SHGetPathFromIDListA(chosen, buffer.get())) {
            path = buffer.get();
        }
        imageIndex_ = info.iImage;
        if (imageIndex_ < 0) {
            // Wine's dialog leaves iImage unset: ask the shell for the same index.
            SHFILEINFOA file{};
            if (SHGetFileInfoA(reinterpret_cast<LPCSTR>(chosen), 0, &file, sizeof file,
                               SHGFI_PIDL | SHGFI_SYSICONINDEX)) {
                imageIndex_ = file.iIcon;
            }
        }
        result = true;  // an item without a file-system path still counts
    }
    FreeItem(rootItem);

    dialog_ = nullptr;
    if (result) {
        selection_ = path;
        ReplaceHeldList(chosen);
    } else {
        FreeItem(chosen);
        selection_.clear();
        ReplaceHeldList(nullptr);
    }
    if (pending_) {
        std::exception_ptr failure = pending_;
        pending_ = nullptr;
        std::rethrow_exception(failure);
    }
    return result;
}

}  // namespace quillet

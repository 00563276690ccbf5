// TBrowseDirectoryDlg: the shell's folder-browsing dialog (SHBrowseForFolder)
// with a root given as a special folder, a preselection given as a path, a
// caption, centring, a status line that can follow the selection and is
// shortened to its width, control of the OK button, and events for "dialog
// ready" and "selection changed".
//
// COM must be initialised on the calling thread (the program does it at
// start-up). Not copyable: the shell's callback and the dialog's subclass refer
// to the object by address while Execute runs.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <exception>
#include <functional>
#include <string>

#include "components/folder_browser.h"
#include "ui/handles.h"

namespace quillet {

class TBrowseDirectoryDlg {
public:
    // newSel is the new item's file-system path (empty if it has none);
    // newSelItems belong to the shell and are neither kept nor freed by the
    // handler.
    using TBDSelChangedEvent = std::function<void(TBrowseDirectoryDlg* sender,
                                                  const std::string& newSel,
                                                  LPCITEMIDLIST newSelItems)>;
    using TNotifyEvent = std::function<void(TBrowseDirectoryDlg* sender)>;

    // `parentWindow` owns the dialog while it is shown; without one the
    // application's main form does, if it exists.
    explicit TBrowseDirectoryDlg(HWND parentWindow = nullptr);
    virtual ~TBrowseDirectoryDlg();
    TBrowseDirectoryDlg(const TBrowseDirectoryDlg&) = delete;
    TBrowseDirectoryDlg& operator=(const TBrowseDirectoryDlg&) = delete;

    // Called when the shell reports the dialog window ready. Overrides should
    // call this one.
    virtual void DoInitialized(HWND dialog);
    // Called on every selection change while the dialog is shown, including
    // the dialog's own first selection. Overrides should call this one.
    virtual void DoSelChanged(HWND dialog, LPCITEMIDLIST newSel);
    // Shows the dialog modally. True when the user chose an item; Selection is
    // then its file-system path (empty for an item without one; with
    // bfComputers "\\" and the computer name). False on Cancel, with Selection
    // empty. An exception thrown by a handler closes the dialog as if
    // cancelled and then leaves Execute.
    virtual bool Execute();

    // The shell dialog's window while Execute runs, otherwise null.
    HWND DialogWindow() const { return dialog_; }

    // The folder to preselect; after Execute the chosen folder's path. Setting
    // an existing directory without a trailing backslash stores it with one.
    const std::string& Selection() const { return selection_; }
    void SetSelection(const std::string& value);

    // The instruction text above the tree.
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value) { title_ = value; }

    TRootID Root() const { return root_; }
    void SetRoot(TRootID value) { root_ = value; }

    TBrowseFlags Options() const { return options_; }

    // Centre the dialog on the screen when it opens.
    bool Center() const { return center_; }

    const std::string& StatusText() const { return statusText_; }
    void SetStatusText(const std::string& value);

    bool FitStatusText() const { return fitStatusText_; }
    void SetFitStatusText(bool value);

    bool EnableOKButton() const { return enableOK_; }
    void SetEnableOKButton(bool value);

    // The system image-list index of the chosen item's icon; -1 until an item
    // was chosen.
    int ImageIndex() const { return imageIndex_; }

    // While the dialog is open: its window title; otherwise the text last
    // written.
    std::string Caption() const;
    void SetCaption(const std::string& value);

    bool ShowSelectionInStatus() const { return showSelectionInStatus_; }
    void SetShowSelectionInStatus(bool value) { showSelectionInStatus_ = value; }

    TBDSelChangedEvent OnSelChanged;
    TNotifyEvent OnCreate;

    // The directory test used by the Selection setter and the status fitting:
    // "X:\" by the logical-drive mask, anything else by a directory search.
    // A name with wildcards is no directory.
    static bool IsDirectory(const std::string& path);

private:
    static int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM param, LPARAM data);
    // The shell's dialog is subclassed while it is open, through the common
    // controls' subclass list, which leaves the window's user data to the
    // shell: it keeps OK disabled after the shell's own re-enabling and asks
    // again for a selection the shell let drop.
    static LRESULT CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data);
    void HandleCallback(HWND dialog, UINT message, LPARAM param);
    HWND OwnerWindow() const;
    void ApplySelection();
    void RetrySelection();
    void SendStatusText();
    std::string FittedStatusText() const;
    std::string PathOf(LPCITEMIDLIST item) const;
    void ReplaceHeldList(LPITEMIDLIST item);
    void FreeItem(void* item) const;

    HWND dialog_ = nullptr;
    std::string caption_;
    HWND parent_ = nullptr;
    bool showSelectionInStatus_ = false;
    bool fitStatusText_ = true;
    std::string title_;
    TRootID root_ = idDesktop;
    TBrowseFlags options_;
    std::string selection_;
    bool center_ = true;
    std::string statusText_;
    bool enableOK_ = true;
    int imageIndex_ = -1;
    LPITEMIDLIST held_ = nullptr;   // owned, freed through malloc_
    ui::ComRef<IMalloc> malloc_;    // one reference for the object's life
    std::exception_ptr pending_;    // thrown by a handler inside the dialog
    bool selectionReported_ = false;  // the shell reported a selection since we last set one
    int selectionRetries_ = 0;        // times the last selection was asked for again
};

}  // namespace quillet

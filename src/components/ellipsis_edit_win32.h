// TElipsisEdit: a one-line text field with a square "..." push button at the
// right end of its client area. A click on the button raises OnElipsisClick,
// with which the owning window opens a chooser; the field itself stays freely
// editable.
//
// It is a multi-line EDIT control (the only kind whose text area can be
// narrowed) kept to a single line: no word wrap, Return and Escape left to
// the owning window's dialog keys, line breaks removed from pasted or set
// text. The button is a child BUTTON window of the edit that never takes the
// focus, like a speed button.
//
// The edit and its button are subclassed through comctl32's SetWindowSubclass;
// the edit's GWLP_USERDATA and window properties stay free for the owner.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace quillet {

class TElipsisEdit {
public:
    static constexpr int kDefaultWidth = 150;
    static constexpr int kDefaultHeight = 24;

    TElipsisEdit() = default;
    // Destroys the edit window (and so its button) if it still exists.
    ~TElipsisEdit();
    TElipsisEdit(const TElipsisEdit&) = delete;
    TElipsisEdit& operator=(const TElipsisEdit&) = delete;

    // Creates the field as a child of `parent` with the client edge of a
    // single-line field. It takes the parent's font, if the parent has one.
    // With AutoSize on, the height then follows the font and `h` only starts
    // it. Returns the edit's window, or null if it could not be created.
    HWND Create(HWND parent, int id, int x, int y, int w = kDefaultWidth,
                int h = kDefaultHeight, DWORD extraStyle = WS_TABSTOP);

    HWND Handle() const { return edit_; }
    HWND ButtonHandle() const { return button_; }

    std::string Text() const;
    // Line breaks in `text` are dropped: the field holds one line.
    void SetText(const std::string& text);

    bool ReadOnly() const;
    void SetReadOnly(bool value);

    // The button follows the field: disabled with it, enabled with it.
    bool Enabled() const;
    void SetEnabled(bool value);

    void SetFont(HFONT font);

    // When on (the default) the height is the font's line height plus the
    // border, set at creation and on every font change.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);

    // Raised by a click on the button, also while the field is read-only,
    // never while it is disabled. The sender is the button's window.
    std::function<void(HWND sender)> OnElipsisClick;

private:
    static LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR data);
    static LRESULT CALLBACK ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data);
    LRESULT HandleEdit(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleButton(UINT message, WPARAM wParam, LPARAM lParam);
    void Layout();
    void DrawButton(const DRAWITEMSTRUCT& item) const;
    void AdjustHeight();
    void Paste();
    void KeepOneLine();
    void RaiseElipsisClick();

    HWND edit_ = nullptr;
    HWND button_ = nullptr;
    bool autoSize_ = true;
    bool readOnly_ = false;    // until the window exists
    bool tracking_ = false;    // the button is held down by the mouse
};

}  // namespace quillet

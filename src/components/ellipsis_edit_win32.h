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
// The edit and its button are windows of the toolkit, subclassed through its
// one window base; whatever a handler throws goes to the general error report.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/window.h"

namespace quillet {

class TElipsisEdit : public ui::Window {
public:
    static constexpr int kDefaultWidth = 150;
    static constexpr int kDefaultHeight = 24;

    TElipsisEdit() = default;

    // Creates the field as a child of `parent` with the client edge of a
    // single-line field. It takes the parent's font, if the parent has one.
    // With AutoSize on, the height then follows the font and `h` only starts
    // it. Returns the edit's window, or null if it could not be created.
    HWND Create(HWND parent, int id, int x, int y, int w = kDefaultWidth,
                int h = kDefaultHeight, DWORD extraStyle = WS_TABSTOP);

    HWND ButtonHandle() const { return button_.Handle(); }

    // Text() and SetText() are the window's; line breaks in a set text are
    // dropped, as the field holds one line.

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

protected:
    void GetCreateParams(CreateParams& params) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The [...] button: pressed and released here, so that it never takes
    // the focus from the field or from whichever control had it.
    class EllipsisButton : public ui::Window {
    public:
        explicit EllipsisButton(TElipsisEdit& owner) : owner_(owner) {}
        void Create() { CreateHandle(); }

    protected:
        void GetCreateParams(CreateParams& params) override;
        LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    private:
        bool Inside(LPARAM pos) const;
        TElipsisEdit& owner_;
        bool tracking_ = false;  // held down by the mouse
    };

    void Layout();
    void DrawButton(const DRAWITEMSTRUCT& item) const;
    void AdjustHeight();
    void Paste();
    void KeepOneLine();
    void RaiseElipsisClick();

    EllipsisButton button_{*this};
    CreateParams design_;      // where Create puts the field
    bool autoSize_ = true;
    bool readOnly_ = false;    // until the window exists
};

}  // namespace quillet

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
// It is a kind of the toolkit's edit: the form finds it by name, hints over
// it and routes its notifications like any other field. The button is a
// control of its own, named after the field with "Button" appended and
// showing the field's hint. Whatever a handler throws goes to the general
// error report.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ui/controls.h"

namespace quillet {

class TElipsisEdit final : public ui::CustomEdit {
public:
    static constexpr int kDefaultWidth = 150;
    static constexpr int kDefaultHeight = 24;

    struct Options {
        // The height follows the font; the designed height only starts it.
        bool autoSize = true;
        DWORD style = 0;  // added to the field's own
    };
    using Args = ui::ControlArgsWith<Options>;

    explicit TElipsisEdit(ui::Form& form);
    ~TElipsisEdit() override;
    // Makes the field in the design's place, with the client edge of a
    // single-line field and the form's font.
    void Create(const Args& args);

    // The [...] button; null once the field's window is gone.
    HWND ButtonHandle() const { return button_ ? button_->Handle() : nullptr; }

    // Text() and SetText() are the edit's; line breaks in a set text are
    // dropped, as the field holds one line.

    bool ReadOnly() const;
    void SetReadOnly(bool value);

    // The button follows the field: disabled with it, enabled with it, and
    // in its font.
    using ui::Control::SetFont;
    void SetFont(HFONT font);

    // When on, the height is the font's line height plus the border, set at
    // creation and on every font change.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);

    // Raised by a click on the button, also while the field is read-only,
    // never while it is disabled. The sender is the button.
    ui::NotifyEvent OnElipsisClick;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void HandleUnbound(HWND hwnd) override;

private:
    // Pressed and released here, so that it never takes the focus from the
    // field or from whichever control had it.
    class Button final : public ui::Control {
    public:
        Button(ui::Form& form, TElipsisEdit& owner);
        void Create(const ui::ControlArgs& args);

    protected:
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

    std::unique_ptr<Button> button_;
    bool autoSize_ = true;
};

}  // namespace quillet

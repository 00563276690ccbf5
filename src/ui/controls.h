// The standard controls of our forms: thin, non-copyable holders of a Win32
// child window, created in code from a small design struct, with typed events
// that get the sender first. The form owns every control it creates.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/font.h"

namespace ui {

class Form;
class Control;

// Other programs (our end-to-end driver among them) find our windows by name:
// a window property holds a global atom of the name.
void NameWindow(HWND hwnd, const std::string& name);
void UnnameWindow(HWND hwnd);

using NotifyEvent = std::function<void(Control& sender)>;
using KeyPressEvent = std::function<void(Control& sender, char& key)>;

// Where and how a control is created. Geometry is in client pixels of the
// parent (the form, or a panel on it).
struct ControlDesign {
    std::string name;
    std::string caption;
    int left = 0, top = 0, width = 0, height = 0;
    std::string hint;
    bool tabStop = true;
};

class Control {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    HWND Handle() const { return hwnd_; }
    const std::string& Name() const { return name_; }
    Form& OwnerForm() const { return *form_; }

    std::string Text() const;
    void SetText(const std::string& text);

    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool Visible() const;
    void SetVisible(bool visible);

    // Left, top, width and height in the parent's client coordinates.
    RECT Bounds() const;
    void SetBounds(int left, int top, int width, int height);

    const Font& GetFont() const { return font_; }
    void SetFont(const Font& font);

    // The hint shown over this control while the application's hints are on.
    std::string Hint;
    bool ShowHint = true;

    NotifyEvent OnClick;
    KeyPressEvent OnKeyPress;

    // Finds the control object behind one of our windows (null for others).
    static Control* FromHandle(HWND hwnd);

    // WM_COMMAND and WM_CTLCOLOR* sent to the parent are handed to the child
    // control they concern.
    virtual void Command(WORD notifyCode);
    virtual LRESULT ColorMessage(UINT msg, HDC dc, bool& handled);

protected:
    Control(Form& form, const ControlDesign& design);

    // Creates the window and subclasses it so that WndProc sees its messages.
    void CreateHandle(HWND parent, const char* className, DWORD style, DWORD exStyle,
                      int id);
    // Takes over a window made elsewhere: names it, subclasses it, sets the font.
    void AttachHandle(HWND hwnd);
    // Lets go of the window: no subclass, no properties.
    void Detach();
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);

    // Raises OnKeyPress for a typed character; returns false when the handler
    // swallowed it (set it to 0).
    bool KeyPress(WPARAM& wParam);

    ControlDesign design_;

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR refData);

    Form* form_;
    std::string name_;
    HWND hwnd_ = nullptr;
    Font font_;
};

class Label : public Control {
public:
    Label(Form& form, HWND parent, const ControlDesign& design, bool wordWrap = false);
    LRESULT ColorMessage(UINT msg, HDC dc, bool& handled) override;
};

class Button : public Control {
public:
    Button(Form& form, HWND parent, const ControlDesign& design, int id);
    // The result a click gives a modal form (0: none).
    int ModalResult = 0;
    bool Default() const { return default_; }
    bool Cancel() const { return cancel_; }
    void SetDefault(bool value);
    void SetCancel(bool value) { cancel_ = value; }
    void Click();
    void Command(WORD notifyCode) override;

private:
    bool default_ = false;
    bool cancel_ = false;
};

class CheckBox : public Control {
public:
    CheckBox(Form& form, HWND parent, const ControlDesign& design, int id);
    bool Checked() const;
    // Changes the box; like a click, this raises OnClick when the state changes.
    void SetChecked(bool checked);
    void Command(WORD notifyCode) override;
};

class RadioButton : public Control {
public:
    // `groupStart` begins a new group of mutually exclusive buttons.
    RadioButton(Form& form, HWND parent, const ControlDesign& design, int id, bool groupStart);
    bool Checked() const;
    void Command(WORD notifyCode) override;

private:
    bool lastChecked_ = false;
};

// A one-line edit field.
class Edit : public Control {
public:
    Edit(Form& form, HWND parent, const ControlDesign& design, int id, DWORD extraStyle = 0);
    NotifyEvent OnChange;
    void Command(WORD notifyCode) override;
};

// A multi-line text box. Escape and other typed characters reach OnKeyPress
// first; Tab always moves the focus on.
class Memo : public Edit {
public:
    Memo(Form& form, HWND parent, const ControlDesign& design, int id, DWORD extraStyle);

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// A static picture showing an icon.
class Image : public Control {
public:
    Image(Form& form, HWND parent, const ControlDesign& design);
    void SetIcon(HICON icon);
};

// Hosts a control that makes its own window (a component of ours) so that the
// form can find it, hint over it and route its notifications.
class WindowControl : public Control {
public:
    WindowControl(Form& form, const ControlDesign& design, HWND hwnd);
};

}  // namespace ui

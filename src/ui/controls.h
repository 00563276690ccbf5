// The windowed controls of our forms, made in code from a small design
// struct, with typed events that get the sender first. They are thin holders
// of a Win32 child window. Graphic controls (ui/graphic_controls.h) have no
// window of their own and are painted, hit-tested and hinted by the form or
// panel that holds them. The form owns every control made on it, on a panel
// or not.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "base/mouse.h"
#include "ui/container.h"
#include "ui/font.h"
#include "ui/handles.h"
#include "ui/window.h"

namespace ui {

class Form;
class Control;

// Where and how a control is created. Geometry is in client pixels of the
// parent (the form, or a panel on it) at the form's designed DPI; the
// control is made at the form's own DPI.
struct ControlDesign {
    std::string name{};
    std::string caption{};
    base::Rect bounds{};
    std::string hint{};
    bool tabStop = true;
};

// What every control of a form has, with a window or without: a name, a
// hint, and a place on the screen.
class Widget {
public:
    Widget(const Widget&) = delete;
    Widget& operator=(const Widget&) = delete;
    virtual ~Widget();

    const std::string& Name() const { return name_; }
    Form& OwnerForm() const { return *form_; }

    // The hint shown over this control while the application's hints are on.
    std::string Hint;
    bool ShowHint = true;

    // Where the control is on the screen now.
    virtual base::Rect ScreenBounds() const = 0;
    // Its own window; null for a graphic control.
    virtual HWND WindowHandle() const { return nullptr; }

    // The designed bounds, and those bounds at the form's DPI.
    const base::Rect& DesignBounds() const { return designBounds_; }
    base::Rect ScaledBounds() const;
    // The form's DPI changed: the control takes its designed bounds and
    // font at the new DPI.
    virtual void ApplyDpi() = 0;

protected:
    explicit Widget(Form& form);
    // Takes the design's name, hint and bounds, when the control is made.
    void TakeDesign(const ControlDesign& design);

private:
    Form* form_;
    std::string name_;
    base::Rect designBounds_;
};

using NotifyEvent = std::function<void(Widget& sender)>;
using KeyPressEvent = std::function<void(Control& sender, char& key)>;

// The state (base::ShiftState bits) in a mouse message's wParam, with Alt read from the keyboard.
unsigned ShiftFromMouse(WPARAM wParam, bool doubleClick = false);

// Where a windowed control goes: its parent (the form's or a panel's
// window) and its design. Every kind's `Args` is this, or this followed by
// the kind's own options:
//     Make<Memo>({{Handle(), design}, {.wordWrap = true}})
struct ControlArgs {
    HWND parent = nullptr;
    ControlDesign design;
};
template <class Options>
struct ControlArgsWith : ControlArgs {
    Options options{};
};

// A windowed control: a child window of a system class, subclassed so that
// its messages reach WndProc. It is made in two steps, as the form's Make
// does: construct, then Create from the kind's Args, so that no constructor
// has to reach a kind's behaviour through a virtual call.
class Control : public Window, public Widget {
public:
    using Args = ControlArgs;

    explicit Control(Form& form);
    ~Control() override;

    Form& OwnerForm() const { return Widget::OwnerForm(); }

    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool Visible() const;
    void SetVisible(bool visible);

    // The rectangle in the parent's client coordinates.
    base::Rect Bounds() const;
    void SetBounds(const base::Rect& bounds);
    base::Rect ScreenBounds() const override;
    HWND WindowHandle() const override { return Handle(); }

    // The control's font at the form's DPI; SetFont takes a designed one.
    const Font& GetFont() const { return font_; }
    void SetFont(const Font& designed);
    void ApplyDpi() override;

    NotifyEvent OnClick;
    KeyPressEvent OnKeyPress;

    // The control object behind one of our windows (null for others).
    static Control* FromHandle(HWND hwnd);

    // WM_COMMAND, WM_NOTIFY and WM_CTLCOLOR* sent to the parent are handed to
    // the child control they concern.
    virtual void Command(WORD notifyCode);
    virtual LRESULT Notify(const NMHDR& header, bool& handled);
    virtual LRESULT ColorMessage(UINT msg, HDC dc, bool& handled);

protected:
    // A child window of `args.parent` in the design's place, with the
    // design's caption and tab stop and the form's next identifier; of a
    // system class, unless the caller turns systemClass off.
    CreateParams ChildParams(const ControlArgs& args, const char* className, DWORD style,
                             DWORD exStyle = 0);
    // Takes the design's name and hint, makes the window from `params`,
    // names it and gives it the control's font.
    void CreateControl(const ControlArgs& args, const CreateParams& params);
    // The same for a window of a system class.
    void CreateSystemControl(const ControlArgs& args, const char* systemClass, DWORD style,
                             DWORD exStyle = 0);
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void HandleUnbound(HWND hwnd) override;

    // Raises OnKeyPress for a typed character; returns false when the handler
    // swallowed it (set it to 0).
    bool KeyPress(WPARAM& wParam);

private:
    Font designFont_;
    Font font_;
};

class Label : public Control {
public:
    struct Options {
        bool wordWrap = false;
        DWORD style = 0;  // added to the label's own
    };
    using Args = ControlArgsWith<Options>;
    using Control::Control;
    void Create(const Args& args);
    LRESULT ColorMessage(UINT msg, HDC dc, bool& handled) override;
};

class Button final : public Control {
public:
    using Control::Control;
    void Create(const Args& args);
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

class CheckBox final : public Control {
public:
    using Control::Control;
    void Create(const Args& args);
    bool Checked() const;
    // Changes the box; like a click, this raises OnClick when the state changes.
    void SetChecked(bool checked);
    void Command(WORD notifyCode) override;
};

// One of a group of mutually exclusive buttons: the radio buttons on one
// parent whose Args name the same group, made one after the other. The first
// made starts the group, for the dialog manager, with WS_GROUP.
class RadioButton final : public Control {
public:
    struct Options {
        std::string group;
    };
    using Args = ControlArgsWith<Options>;
    using Control::Control;
    ~RadioButton() override;
    void Create(const Args& args);
    bool Checked() const;
    void Command(WORD notifyCode) override;

private:
    using Group = std::vector<RadioButton*>;
    std::string groupName_;
    std::shared_ptr<Group> group_;
    bool lastChecked_ = false;
};

// What every edit field has: OnChange, and a window of the EDIT class with
// the client edge. Each kind chooses its own styles.
class CustomEdit : public Control {
public:
    using Control::Control;
    NotifyEvent OnChange;
    void Command(WORD notifyCode) override;

protected:
    // `style` is the whole EDIT style but WS_VISIBLE.
    void CreateEdit(const ControlArgs& args, DWORD style);
};

// A one-line edit field.
class Edit final : public CustomEdit {
public:
    struct Options {
        DWORD style = 0;  // added to the field's own
        int rightMargin = -1;  // designed pixels kept clear at the right; -1: the font's
    };
    using Args = ControlArgsWith<Options>;
    using CustomEdit::CustomEdit;
    void Create(const Args& args);
    void ApplyDpi() override;

private:
    void ApplyMargin();
    int rightMargin_ = -1;
};

// A multi-line text box. Escape and other typed characters reach OnKeyPress
// first; Tab always moves the focus on. Getting the focus selects nothing:
// the caret stays where it was, at the top of a new text. With `wordWrap`
// long lines wrap at the box's width.
class Memo final : public CustomEdit {
public:
    struct Options {
        DWORD style = 0;  // added to the box's own
        bool wordWrap = false;
    };
    using Args = ControlArgsWith<Options>;
    using CustomEdit::CustomEdit;
    void Create(const Args& args);

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// A lowered (etched) horizontal line across the control's width, as dialogs
// use to divide a heading from what follows.
class Bevel final : public Control {
public:
    using Control::Control;
    void Create(const Args& args);
};

// A static picture showing an icon at the size of its box: an icon of
// another size is shown through a copy of that size.
class Image final : public Control {
public:
    using Control::Control;
    ~Image() override;
    void Create(const Args& args);
    // The icon stays the caller's.
    void SetIcon(HICON icon);
    void ApplyDpi() override;

private:
    void ShowIcon();
    HICON icon_ = nullptr;
    OwnedIcon copy_;
};

enum class BevelKind { None, Raised, Lowered };

// A windowed control that holds other controls, windowed and graphic. Tab
// moves through its children in their creation order.
class Panel final : public Control, public Container {
public:
    struct Options {
        BevelKind bevel = BevelKind::None;
    };
    using Args = ControlArgsWith<Options>;
    using Control::Control;
    void Create(const Args& args);
    HWND ContainerHandle() const override { return Handle(); }

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    BevelKind bevel_ = BevelKind::None;
};

}  // namespace ui

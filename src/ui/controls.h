// The controls of our forms, created in code from a small design struct, with
// typed events that get the sender first. Windowed controls are thin holders
// of a Win32 child window; graphic controls have no window of their own and
// are painted, hit-tested and hinted by the form or panel that holds them.
// The form owns every control made on it, on a panel or not.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "base/mouse.h"
#include "ui/font.h"
#include "ui/window.h"

namespace ui {

class Form;
class Control;
class Container;
class GraphicControl;

// Where and how a control is created. Geometry is in client pixels of the
// parent (the form, or a panel on it).
struct ControlDesign {
    std::string name;
    std::string caption;
    int left = 0, top = 0, width = 0, height = 0;
    std::string hint;
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
    virtual RECT ScreenBounds() const = 0;
    // Its own window; null for a graphic control.
    virtual HWND WindowHandle() const { return nullptr; }

protected:
    Widget(Form& form, std::string name, std::string hint);

private:
    Form* form_;
    std::string name_;
};

using NotifyEvent = std::function<void(Widget& sender)>;
using KeyPressEvent = std::function<void(Control& sender, char& key)>;

// The state (base::ShiftState bits) in a mouse message's wParam, with Alt read from the keyboard.
unsigned ShiftFromMouse(WPARAM wParam, bool doubleClick = false);

// A windowed control: a child window of a system class, subclassed so that
// its messages reach WndProc.
class Control : public Window, public Widget {
public:
    ~Control() override;

    Form& OwnerForm() const { return Widget::OwnerForm(); }

    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool Visible() const;
    void SetVisible(bool visible);

    // Left, top, width and height in the parent's client coordinates.
    RECT Bounds() const;
    void SetBounds(int left, int top, int width, int height);
    RECT ScreenBounds() const override;
    HWND WindowHandle() const override { return Handle(); }

    const Font& GetFont() const { return font_; }
    void SetFont(const Font& font);

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
    // A control of a system class, made at once. `parent` is the form's or a
    // panel's window.
    Control(Form& form, HWND parent, const ControlDesign& design, const char* systemClass,
            DWORD style, DWORD exStyle = 0);
    // A kind with a window class of its own (a panel) calls Create itself.
    Control(Form& form, HWND parent, const ControlDesign& design);

    // Makes the window, names it and gives it the form's font.
    void Create();
    void GetCreateParams(CreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void HandleUnbound(HWND hwnd) override;

    // Raises OnKeyPress for a typed character; returns false when the handler
    // swallowed it (set it to 0).
    bool KeyPress(WPARAM& wParam);

    ControlDesign design_;
    HWND parent_;

private:
    const char* systemClass_ = nullptr;
    DWORD style_ = 0;
    DWORD exStyle_ = 0;
    Font font_;
};

class Label : public Control {
public:
    Label(Form& form, HWND parent, const ControlDesign& design, bool wordWrap = false,
          DWORD extraStyle = 0);
    LRESULT ColorMessage(UINT msg, HDC dc, bool& handled) override;
};

class Button : public Control {
public:
    Button(Form& form, HWND parent, const ControlDesign& design);
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
    CheckBox(Form& form, HWND parent, const ControlDesign& design);
    bool Checked() const;
    // Changes the box; like a click, this raises OnClick when the state changes.
    void SetChecked(bool checked);
    void Command(WORD notifyCode) override;
};

class RadioButton : public Control {
public:
    // `groupStart` begins a new group of mutually exclusive buttons.
    RadioButton(Form& form, HWND parent, const ControlDesign& design, bool groupStart);
    bool Checked() const;
    void Command(WORD notifyCode) override;

private:
    bool lastChecked_ = false;
};

// A one-line edit field.
class Edit : public Control {
public:
    Edit(Form& form, HWND parent, const ControlDesign& design, DWORD extraStyle = 0);
    NotifyEvent OnChange;
    void Command(WORD notifyCode) override;

protected:
    // `scrollStyle` replaces the one-line field's ES_AUTOHSCROLL.
    Edit(Form& form, HWND parent, const ControlDesign& design, DWORD extraStyle, DWORD scrollStyle);
};

// A multi-line text box. Escape and other typed characters reach OnKeyPress
// first; Tab always moves the focus on. Getting the focus selects nothing:
// the caret stays where it was, at the top of a new text. With `wordWrap`
// long lines wrap at the box's width.
class Memo : public Edit {
public:
    Memo(Form& form, HWND parent, const ControlDesign& design, DWORD extraStyle, bool wordWrap = false);

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// A lowered (etched) horizontal line across the control's width, as dialogs
// use to divide a heading from what follows.
class Bevel : public Control {
public:
    Bevel(Form& form, HWND parent, const ControlDesign& design);
};

// A static picture showing an icon.
class Image : public Control {
public:
    Image(Form& form, HWND parent, const ControlDesign& design);
    void SetIcon(HICON icon);
};

// A window that holds controls: a form or a panel. It routes its windowed
// children's notifications to them, and paints, hit-tests and captures the
// mouse for its graphic children.
class Container {
public:
    virtual ~Container() = default;
    virtual HWND ContainerHandle() const = 0;

    // Graphic children in Z order: the first is painted first, the last is on top.
    const std::vector<GraphicControl*>& GraphicChildren() const { return graphics_; }
    // The topmost visible graphic child at a client point, or null.
    GraphicControl* GraphicAt(POINT client) const;
    // The graphic child holding the mouse between press and release, or null.
    GraphicControl* MouseCapture() const { return captured_; }

protected:
    // Handles what a container does for its children; true when it did.
    bool HandleContainerMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Paints the graphic children that meet `update`, each clipped to its bounds.
    void PaintGraphicChildren(HDC dc, const RECT& update) const;
    // WM_PRINTCLIENT: the background when asked, then the graphic children.
    void PrintClient(HDC dc, LPARAM flags) const;

private:
    friend class GraphicControl;
    bool RouteMouse(UINT msg, WPARAM wParam, LPARAM lParam);

    std::vector<GraphicControl*> graphics_;
    GraphicControl* captured_ = nullptr;
};

// A control without a window of its own. Its container paints it in its own
// WM_PAINT (clipped to the control's bounds, origin at its top-left corner),
// routes the mouse to it with capture from press to release, and finds it
// for hints. A repaint request invalidates just its rectangle.
class GraphicControl : public Widget {
public:
    GraphicControl(Form& form, Container& parent, const ControlDesign& design);
    ~GraphicControl() override;

    Container& Parent() const { return *parent_; }

    RECT Bounds() const { return bounds_; }
    void SetBounds(int left, int top, int width, int height);
    int Width() const { return bounds_.right - bounds_.left; }
    int Height() const { return bounds_.bottom - bounds_.top; }
    RECT ScreenBounds() const override;

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    // Asks the container to repaint this control's rectangle.
    void Invalidate() const;

    // Draws the control on `dc`, whose origin is the control's top-left
    // corner and whose clipping keeps drawing inside it.
    virtual void Paint(HDC dc) = 0;
    // Mouse events in the control's own coordinates.
    virtual void MouseDown(base::MouseButton button, unsigned shift, int x, int y);
    virtual void MouseMove(unsigned shift, int x, int y);
    virtual void MouseUp(base::MouseButton button, unsigned shift, int x, int y);

    NotifyEvent OnClick;

private:
    Container* parent_;
    RECT bounds_;
    bool visible_ = true;
    bool enabled_ = true;
    bool pressed_ = false;  // a left press began here: the release clicks
};

enum class BevelKind { None, Raised, Lowered };

// A windowed control that holds other controls, windowed and graphic. Tab
// moves through its children in their creation order.
class Panel : public Control, public Container {
public:
    Panel(Form& form, HWND parent, const ControlDesign& design, BevelKind bevel = BevelKind::None);
    HWND ContainerHandle() const override { return Handle(); }

protected:
    void GetCreateParams(CreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    BevelKind bevel_;
};

}  // namespace ui

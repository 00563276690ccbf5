// The one window base of the toolkit. A Window is a non-copyable holder of an
// HWND whose messages reach the virtual WndProc of its object. Windows of our
// own classes are bound at WM_NCCREATE through one static window procedure;
// windows of system classes (buttons, edits) are subclassed through one
// subclass procedure. The object sits in the window's GWLP_USERDATA, which
// our windows and the system's controls leave to their user; a window that
// keeps its own data there (the shell's dialogs may) is no Window: it is
// subclassed with SetWindowSubclass instead. A Window is unbound at
// WM_NCDESTROY, and no C++ exception crosses the window procedure: it goes to
// the application's general error report.
#pragma once

#include <windows.h>

#include <string>

#include "base/geometry.h"

namespace ui {

// The whole text of a window, however long.
std::string WindowText(HWND hwnd);

// Other programs (our end-to-end driver among them) find our windows by name:
// a window property holds a global atom of the name, released with the window.
// A window is named once, when it is made.
void NameWindow(HWND hwnd, const std::string& name);
void UnnameWindow(HWND hwnd);

// Shows the exception being handled in the application's general error
// report. Call only inside a catch block.
void ReportCurrentException();

// Runs `fn`, reporting anything it throws; false when it threw.
template <class Fn>
bool RunGuarded(Fn&& fn) {
    try {
        fn();
        return true;
    } catch (...) {
        ReportCurrentException();
        return false;
    }
}

class Window {
public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    // Destroys a window this object created; lets go of one it attached to.
    virtual ~Window();

    HWND Handle() const { return hwnd_; }
    // The object bound to one of our windows, null for other windows.
    static Window* FromHandle(HWND hwnd);

    std::string Text() const { return WindowText(hwnd_); }
    void SetText(const std::string& text);

protected:
    Window() = default;

    // How the window is made. A class name of our own is registered on first
    // use with `classStyle`, `background` and `windowExtra`; a system class
    // (`systemClass` true) is created as it is and subclassed.
    struct CreateParams {
        std::string className;
        bool systemClass = false;
        std::string caption;
        DWORD style = 0;
        DWORD exStyle = 0;
        base::Rect bounds;  // in the parent's client coordinates, or the screen's
        HWND parent = nullptr;
        int id = 0;
        UINT classStyle = CS_DBLCLKS;
        HBRUSH background = nullptr;
        HCURSOR cursor = nullptr;  // the arrow when null
        int windowExtra = 0;
    };
    // Makes the window from `params`; throws when it cannot. Every window of
    // ours is made this way, after its object is built: a control's or
    // form's Create, a hint window when it first shows.
    void CreateHandle(const CreateParams& params);
    // Subclasses a window made elsewhere and binds this object to it.
    void AttachHandle(HWND hwnd);
    // Unbinds the object from its window, leaving the window as it is.
    void DetachHandle();
    // Destroys the window now, while the most derived object still handles
    // its last messages (call from the destructor of a kind whose default
    // procedure matters, such as a dialog-managed form).
    void DestroyHandle();

    // Every message of the window. The default passes it on.
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // The window's default handling: the class's own procedure for a
    // subclassed window, ClassDefaultProc for a window of our own class.
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual LRESULT ClassDefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // The object has let go of `hwnd`: the window was destroyed or detached.
    virtual void HandleUnbound(HWND hwnd) { (void)hwnd; }

private:
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static void RegisterOwnClass(const CreateParams& params);
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    void Bind(HWND hwnd);
    void Unbind();
    void RestoreProc();

    HWND hwnd_ = nullptr;
    bool subclassed_ = false;
    WNDPROC original_ = nullptr;  // the class's procedure of a subclassed window
    bool created_ = false;  // made by this object, so destroyed by it
};

}  // namespace ui

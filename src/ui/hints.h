// The hint machinery: it watches the mouse in the program's message loop,
// finds the control under the pointer, shows that control's hint after a
// pause in a hint window and hides it after a while, on a click, a key or a
// move to another control. The application owns the one instance and is its
// face to the program (Application::SetShowHint and the rest).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "base/geometry.h"
#include "ui/handles.h"
#include "ui/window.h"

namespace ui {

class Widget;

// A window that shows one hint. The application makes a new one from the
// current hint-window class each time a hint appears, so a component can
// switch every hint of the program to its own kind of window.
class HintWindow : public Window {
public:
    // A plain hint window; a kind of its own passes the window it wants.
    HintWindow() : HintWindow(PlainParams()) {}
    ~HintWindow() override;

    // The rectangle (origin 0,0) the hint needs, wrapped at maxWidth.
    virtual base::Rect CalcHintRect(int maxWidth, const std::string& hint);
    // Shows the hint in `rect` (screen coordinates) for `control`.
    virtual void ActivateHint(base::Rect rect, const std::string& hint, Widget* control);
    // Hides the hint and destroys its window.
    virtual void ReleaseHandle();

protected:
    explicit HintWindow(CreateParams params) : params_(std::move(params)) {}
    static CreateParams PlainParams();
    // Makes the window the first time the hint shows.
    void EnsureHandle() {
        if (!Handle()) CreateHandle(params_);
    }
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    virtual void Paint(HDC dc);
    HFONT HintFont();
    std::string text_;

private:
    CreateParams params_;  // the window made when the hint first shows
    GdiObject<HFONT> font_;
};

using HintWindowClass = std::function<std::unique_ptr<HintWindow>()>;

// The pauses come from the application's HintPause and HintHidePause, read
// when each is due.
class Hints {
public:
    Hints();
    ~Hints();
    Hints(const Hints&) = delete;
    Hints& operator=(const Hints&) = delete;

    bool On() const { return on_; }
    void SetOn(bool on);
    void SetWindowClass(HintWindowClass factory);
    // Hides the hint; no new one shows until the mouse moves to another control.
    void Cancel();
    HintWindow* Current() const { return hint_.get(); }
    void ControlDestroyed(Widget* control);

    // Sees every message the program's loop takes, before it is dispatched.
    void PreTranslate(const MSG& msg);

private:
    class TimerWindow;
    void MouseMove(HWND hwnd);
    void ShowNow();
    void Hide();
    void Timer(UINT_PTR id);
    // The window of the hint timers, made on first use.
    HWND TimerHandle();

    bool on_ = true;
    HintWindowClass class_;
    std::unique_ptr<HintWindow> hint_;
    std::unique_ptr<TimerWindow> timer_;
    Widget* control_ = nullptr;  // the control under the mouse
    bool cancelled_ = false;     // no new hint until the mouse moves to another control
};

}  // namespace ui

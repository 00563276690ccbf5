// The application object: title and icon, the message loop, the hint
// machinery and the general error report. One per process.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/color.h"
#include "ui/window.h"

namespace ui {

class Form;
class Widget;

// The text of the exception being handled, for the general error report.
// Call only inside a catch block.
std::string CurrentExceptionText();

// A window that shows one hint. The application makes a new one from the
// current hint-window class each time a hint appears, so a component can
// switch every hint of the program to its own kind of window.
class HintWindow : public Window {
public:
    HintWindow() = default;
    ~HintWindow() override;

    // The rectangle (origin 0,0) the hint needs, wrapped at maxWidth.
    virtual RECT CalcHintRect(int maxWidth, const std::string& hint);
    // Shows the hint in `rect` (screen coordinates) for `control`.
    virtual void ActivateHint(RECT rect, const std::string& hint, Widget* control);
    // Hides the hint and destroys its window.
    virtual void ReleaseHandle();

protected:
    void GetCreateParams(CreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    virtual void Paint(HDC dc);
    HFONT HintFont();
    std::string text_;

private:
    HFONT font_ = nullptr;
};

using HintWindowClass = std::function<std::unique_ptr<HintWindow>()>;

class Application {
public:
    static Application& Get();

    void Initialize(HINSTANCE instance);
    HINSTANCE Instance() const { return instance_; }

    // The application's title. Setting it re-captions the forms that follow
    // it: the main window and any open dialog that asked to.
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);
    void FollowTitle(Form* form);
    void UnfollowTitle(Form* form);
    // The application's icon: icon 0 of the program's file.
    HICON Icon() const { return icon_; }
    // Full path of the running program.
    std::string ExeName() const;

    // The first form made is the main form; closing it ends the program.
    Form* MainForm() const { return mainForm_; }
    void SetMainForm(Form* form) { mainForm_ = form; }

    // Runs the message loop until the main form has closed.
    void Run();
    // Handles one message; false when WM_QUIT arrived (it is posted again so
    // that outer loops end too).
    bool HandleMessage();

    // Hints: the application-wide switch, the pause before a hint shows, the
    // time it stays, and the class of window that shows it.
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show);
    int HintPause = 500;
    int HintHidePause = 2500;
    // The background colour of hints, read by each hint window as it shows.
    base::TColor HintColor = base::clInfoBk;
    void SetHintWindowClass(HintWindowClass factory);
    void CancelHint();
    // The hint shown now, if any (for tests and the balloon component).
    HintWindow* CurrentHint() const { return hint_.get(); }
    // The control whose hint shows or is about to.
    Widget* HintControl() const { return hintControl_; }

    // A control is going away: forget it if the hint concerns it.
    void ControlDestroyed(Widget* control);

    // The general error report: a message box with the error's text.
    void ShowException(const std::string& text);

private:
    Application();
    ~Application();
    void PreTranslate(const MSG& msg);
    void HintMouseMove(HWND hwnd);
    void ShowHintNow();
    void HideHint();
    void HintTimer(UINT_PTR id);
    // The window of the hint timers, made on first use.
    HWND TimerHandle();

    class TimerWindow;
    HINSTANCE instance_ = nullptr;
    std::string title_;
    std::vector<Form*> titleFollowers_;
    HICON icon_ = nullptr;
    Form* mainForm_ = nullptr;

    bool showHint_ = true;
    HintWindowClass hintClass_;
    std::unique_ptr<HintWindow> hint_;
    std::unique_ptr<TimerWindow> timer_;
    Widget* hintControl_ = nullptr;  // the control under the mouse
    bool hintCancelled_ = false;      // no new hint until the mouse moves to another control
};

}  // namespace ui

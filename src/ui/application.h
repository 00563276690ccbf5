// The application object: title and icon, the message loop, the face of the
// hint machinery (ui/hints.h) and the general error report. One per process.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/color.h"
#include "ui/hints.h"
#include "ui/window.h"

namespace ui {

class Form;
class Widget;

// The text of the exception being handled, for the general error report.
// Call only inside a catch block.
std::string CurrentExceptionText();

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
    bool ShowHint() const { return hints_.On(); }
    void SetShowHint(bool show) { hints_.SetOn(show); }
    int HintPause = 500;
    int HintHidePause = 2500;
    // The background colour of hints, read by each hint window as it shows.
    base::TColor HintColor = base::clInfoBk;
    void SetHintWindowClass(HintWindowClass factory) { hints_.SetWindowClass(std::move(factory)); }
    void CancelHint() { hints_.Cancel(); }
    // The hint shown now, if any (for tests and the balloon component).
    HintWindow* CurrentHint() const { return hints_.Current(); }

    // A control is going away: forget it if the hint concerns it.
    void ControlDestroyed(Widget* control) { hints_.ControlDestroyed(control); }

    // The general error report: a message box with the error's text.
    void ShowException(const std::string& text);

private:
    Application();
    ~Application();
    HINSTANCE instance_ = nullptr;
    std::string title_;
    std::vector<Form*> titleFollowers_;
    HICON icon_ = nullptr;
    Form* mainForm_ = nullptr;
    Hints hints_;
};

}  // namespace ui

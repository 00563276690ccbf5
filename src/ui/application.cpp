#include "ui/application.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>

#include "base/grow_buffer.h"
#include "ui/dialog_characters.h"
#include "ui/form.h"
#include "ui/main_form.h"

namespace ui {

std::string CurrentExceptionText() {
    try {
        throw;
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unexpected error";
    }
}

HWND MainFormHandle() {
    Form* form = Application::Get().MainForm();
    return form ? form->Handle() : nullptr;
}

// ---- Application ----

Application::Application() = default;
Application::~Application() = default;

Application& Application::Get() {
    static Application app;
    return app;
}

void Application::Initialize(HINSTANCE instance) {
    if (instance_) return;  // once per process
    instance_ = instance;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    icon_ = LoadIconA(instance, MAKEINTRESOURCEA(1));
    if (!icon_) icon_ = LoadIcon(nullptr, IDI_APPLICATION);
}

void Application::SetTitle(const std::string& title) {
    title_ = title;
    for (Form* form : titleFollowers_) form->SetCaption(title_);
}

void Application::FollowTitle(Form* form) {
    if (std::find(titleFollowers_.begin(), titleFollowers_.end(), form) == titleFollowers_.end()) {
        titleFollowers_.push_back(form);
    }
}

void Application::UnfollowTitle(Form* form) {
    titleFollowers_.erase(std::remove(titleFollowers_.begin(), titleFollowers_.end(), form),
                          titleFollowers_.end());
}

std::string Application::ExeName() const {
    return base::ReadGrowing([](char* buffer, std::size_t capacity) -> base::GrowRead {
        const DWORD got = GetModuleFileNameA(nullptr, buffer, static_cast<DWORD>(capacity));
        if (got == 0) return {base::GrowRead::Fail};
        if (got < capacity) return {base::GrowRead::Done, got};
        return {base::GrowRead::Grow};  // the path was cut
    });
}

void Application::Run() {
    if (mainForm_) mainForm_->Show();
    while (HandleMessage()) {
    }
}

bool Application::HandleMessage() {
    MSG msg;
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
        // Outer message loops must end too.
        PostQuitMessage(got == 0 ? static_cast<int>(msg.wParam) : 0);
        return false;
    }
    hints_.PreTranslate(msg);
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && Form::FromHandle(root) &&
        (HandleDialogCharacter(root, msg) || IsDialogMessageA(root, &msg))) {
        return true;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

void Application::ShowException(const std::string& text) {
    CancelHint();
    HWND owner = mainForm_ ? mainForm_->Handle() : nullptr;
    MessageBoxA(owner, text.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
}

}  // namespace ui

#include "ui/form.h"

#include <exception>
#include <set>
#include <stdexcept>

#include "ui/application.h"
#include "ui/placement.h"

namespace ui {

namespace {

constexpr const char* kFormProp = "ui.Form";

DWORD StyleFor(BorderStyle border) {
    switch (border) {
    case BorderStyle::Single:
        return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    case BorderStyle::Dialog:
        return WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN;
    case BorderStyle::DialogNoSysMenu:
        return WS_POPUP | WS_CAPTION | DS_MODALFRAME | WS_CLIPCHILDREN;
    }
    return WS_OVERLAPPEDWINDOW;
}

DWORD ExStyleFor(BorderStyle border) {
    DWORD ex = WS_EX_CONTROLPARENT;
    if (border != BorderStyle::Single) ex |= WS_EX_DLGMODALFRAME;
    return ex;
}

}  // namespace

Form::Form(FormDesign design) : design_(std::move(design)) {}

Form::~Form() {
    // Controls unhook from their windows before the windows go.
    controls_.clear();
    if (hwnd_ && IsWindow(hwnd_)) {
        RemovePropA(hwnd_, kFormProp);
        DestroyWindow(hwnd_);
    }
}

void Form::RegisterClassOnce(const std::string& className) {
    static std::set<std::string> registered;
    if (registered.count(className)) return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = StaticWndProc;
    // The dialog manager keeps its state in the window's extra bytes.
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = Application::Get().Instance();
    wc.hIcon = Application::Get().Icon();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className.c_str();
    if (!RegisterClassExA(&wc)) throw std::runtime_error("Cannot register window class " + className);
    registered.insert(className);
}

void Form::CreateHandle(HWND owner) {
    RegisterClassOnce(design_.className);
    const DWORD style = StyleFor(design_.border);
    const DWORD exStyle = ExStyleFor(design_.border);
    RECT r{0, 0, design_.clientWidth, design_.clientHeight};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    const int left = design_.left == CW_USEDEFAULT ? 0 : design_.left;
    const int top = design_.top == CW_USEDEFAULT ? 0 : design_.top;
    hwnd_ = CreateWindowExA(exStyle, design_.className.c_str(), design_.caption.c_str(), style, left,
                            top, r.right - r.left, r.bottom - r.top, owner, nullptr,
                            Application::Get().Instance(), this);
    if (!hwnd_) throw std::runtime_error("Cannot create window " + design_.className);
    // Every window of the program shows the application's icon.
    SetIcon(Application::Get().Icon());
}

Form* Form::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<Form*>(GetPropA(hwnd, kFormProp)) : nullptr;
}

LRESULT CALLBACK Form::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* form = static_cast<Form*>(cs->lpCreateParams);
        form->hwnd_ = hwnd;
        SetPropA(hwnd, kFormProp, form);
    }
    Form* form = FromHandle(hwnd);
    if (!form) return DefDlgProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        RemovePropA(hwnd, kFormProp);
        LRESULT r = DefDlgProcA(hwnd, msg, wParam, lParam);
        form->hwnd_ = nullptr;
        return r;
    }
    // No C++ exception may cross the window procedure: report it instead.
    try {
        return form->WndProc(msg, wParam, lParam);
    } catch (...) {
        Application::Get().ShowException(CurrentExceptionText());
    }
    return 0;
}

LRESULT Form::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        HandleCommand(wParam, lParam);
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
        if (Control* child = Control::FromHandle(reinterpret_cast<HWND>(lParam))) {
            bool handled = false;
            LRESULT r = child->ColorMessage(msg, reinterpret_cast<HDC>(wParam), handled);
            if (handled) return r;
        }
        break;
    case WM_CLOSE:
        // The dialog manager would turn this into IDCANCEL; closing is our own.
        Close();
        return 0;
    case WM_DESTROY:
        if (Application::Get().MainForm() == this) PostQuitMessage(0);
        break;
    default:
        break;
    }
    return DefDlgProcA(hwnd_, msg, wParam, lParam);
}

void Form::HandleCommand(WPARAM wParam, LPARAM lParam) {
    if (Control* child = Control::FromHandle(reinterpret_cast<HWND>(lParam))) {
        child->Command(HIWORD(wParam));
        return;
    }
    switch (LOWORD(wParam)) {
    case IDCANCEL:  // Escape, from the dialog manager
        if (Button* cancel = CancelButton()) cancel->Click();
        break;
    case IDOK:  // Enter with no default button: a focused button is pressed all the same
        if (auto* button = dynamic_cast<Button*>(Control::FromHandle(GetFocus()))) {
            if (GetAncestor(button->Handle(), GA_ROOT) == hwnd_) button->Click();
        }
        break;
    default:
        break;
    }
}

std::string Form::Caption() const {
    const int length = GetWindowTextLengthA(hwnd_);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(hwnd_, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

void Form::SetCaption(const std::string& caption) { SetWindowTextA(hwnd_, caption.c_str()); }

void Form::SetIcon(HICON icon) {
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

RECT Form::BoundsRect() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    return r;
}

void Form::SetPosition(int left, int top) {
    SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Form::Width() const {
    const RECT r = BoundsRect();
    return r.right - r.left;
}

int Form::Height() const {
    const RECT r = BoundsRect();
    return r.bottom - r.top;
}

Control& Form::Adopt(std::unique_ptr<Control> control) {
    controls_.push_back(std::move(control));
    return *controls_.back();
}

Control* Form::FindControl(const std::string& name) const {
    for (const auto& control : controls_) {
        if (control->Name() == name) return control.get();
    }
    return nullptr;
}

void Form::SetDefaultButton(Button* button) {
    if (default_) default_->SetDefault(false);
    default_ = button;
    if (button) {
        button->SetDefault(true);
        SendMessageA(hwnd_, DM_SETDEFID, static_cast<WPARAM>(GetDlgCtrlID(button->Handle())), 0);
    }
}

Button* Form::CancelButton() const {
    for (const auto& control : controls_) {
        if (auto* button = dynamic_cast<Button*>(control.get()); button && button->Cancel()) {
            return button;
        }
    }
    return nullptr;
}

void Form::Show() {
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
}

void Form::Hide() { ShowWindow(hwnd_, SW_HIDE); }

int Form::ShowModal() {
    // Every other window of the program takes no input while this one is up.
    std::vector<HWND> disabled;
    struct Collect {
        HWND self;
        std::vector<HWND>* list;
    } collect{hwnd_, &disabled};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM param) WINAPI -> BOOL {
            auto* c = reinterpret_cast<Collect*>(param);
            if (hwnd != c->self && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
                c->list->push_back(hwnd);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&collect));
    for (HWND hwnd : disabled) EnableWindow(hwnd, FALSE);

    modal_ = true;
    ModalResult = mrNone;
    Show();
    SetForegroundWindow(hwnd_);
    Application& app = Application::Get();
    while (ModalResult == mrNone) {
        if (!app.HandleMessage()) {
            ModalResult = mrCancel;  // the program is ending
            break;
        }
    }
    modal_ = false;
    // Enable the others before hiding, so that activation returns to them.
    for (HWND hwnd : disabled) {
        if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
    }
    Hide();
    return ModalResult;
}

void Form::Close() {
    if (OnClose) OnClose(*this);
    if (modal_) {
        if (ModalResult == mrNone) ModalResult = mrCancel;
    } else if (Application::Get().MainForm() == this) {
        DestroyWindow(hwnd_);
    } else {
        Hide();
    }
}

void CenterOverForm(const Form& owner, Form& dialog) {
    const RECT o = owner.BoundsRect();
    const int left = CenterOverAxis(o.left, o.right - o.left, dialog.Width(),
                                    GetSystemMetrics(SM_CXSCREEN));
    const int top = CenterOverAxis(o.top, o.bottom - o.top, dialog.Height(),
                                   GetSystemMetrics(SM_CYSCREEN));
    dialog.SetPosition(left, top);
}

}  // namespace ui

#include "ui/application.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>

#include "ui/controls.h"
#include "ui/form.h"
#include "ui/main_form.h"

namespace ui {

namespace {

constexpr UINT_PTR kHintPauseTimer = 1;
constexpr UINT_PTR kHintHideTimer = 2;
// Plain hints wrap at this width; a hint class may choose its own.
constexpr int kPlainHintWidth = 300;

// The control a mouse message over `hwnd` concerns: the window itself or the
// nearest of its parents that is one of our controls. A disabled control gets
// no mouse messages, its form does: look for the child under the pointer.
Control* ControlAt(HWND hwnd) {
    if (Form::FromHandle(hwnd)) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(hwnd, &p);
        HWND child = ChildWindowFromPointEx(hwnd, p, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        return child && child != hwnd ? Control::FromHandle(child) : nullptr;
    }
    for (HWND h = hwnd; h; h = GetParent(h)) {
        if (Control* c = Control::FromHandle(h)) return c;
        if (Form::FromHandle(h)) break;
    }
    return nullptr;
}

// Whether the pointer is over the control, enabled or not.
bool PointerOver(const Control& control) {
    POINT p;
    GetCursorPos(&p);
    RECT r;
    GetWindowRect(control.Handle(), &r);
    return PtInRect(&r, p) != FALSE;
}

}  // namespace

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

// ---- HintWindow ----

HintWindow::~HintWindow() {
    ReleaseHandle();
    if (font_) DeleteObject(font_);
}

HFONT HintWindow::HintFont() {
    if (!font_) {
        NONCLIENTMETRICSA ncm{};
        ncm.cbSize = sizeof ncm;
        if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) {
            font_ = CreateFontIndirectA(&ncm.lfStatusFont);
        }
    }
    return font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

RECT HintWindow::CalcHintRect(int maxWidth, const std::string& hint) {
    RECT r{0, 0, std::min(maxWidth, kPlainHintWidth), 0};
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, HintFont());
    DrawTextA(dc, hint.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_LEFT);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    // Room for the border and a little padding on each side.
    r.right += 8;
    r.bottom += 4;
    return r;
}

void HintWindow::ActivateHint(RECT rect, const std::string& hint, Control*) {
    text_ = hint;
    if (!hwnd_) {
        static const bool registered = [] {
            WNDCLASSA wc{};
            wc.style = CS_SAVEBITS;
            wc.lpfnWndProc = WndProc;
            wc.hInstance = Application::Get().Instance();
            wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
            wc.lpszClassName = "QuilletHintWindow";
            return RegisterClassA(&wc) != 0;
        }();
        (void)registered;
        hwnd_ = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE,
                                "QuilletHintWindow", "", WS_POPUP | WS_BORDER, 0, 0, 0, 0,
                                nullptr, nullptr, Application::Get().Instance(), this);
    }
    SetWindowPos(hwnd_, HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void HintWindow::ReleaseHandle() {
    if (hwnd_) {
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
}

void HintWindow::Paint(HDC dc) {
    RECT r;
    GetClientRect(hwnd_, &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_INFOBK));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    HGDIOBJ old = SelectObject(dc, HintFont());
    InflateRect(&r, -3, -1);
    DrawTextA(dc, text_.c_str(), -1, &r, DT_WORDBREAK | DT_NOPREFIX | DT_LEFT);
    SelectObject(dc, old);
}

LRESULT CALLBACK HintWindow::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(
                              reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<HintWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        std::string error;
        try {
            if (self) self->Paint(dc);
        } catch (...) {
            error = CurrentExceptionText();
        }
        EndPaint(hwnd, &ps);
        if (!error.empty()) Application::Get().ShowException(error);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_NCHITTEST:
        return HTTRANSPARENT;  // the mouse belongs to what lies beneath
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

// ---- Application ----

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

    WNDCLASSA wc{};
    wc.lpfnWndProc = TimerWndProc;
    wc.hInstance = instance;
    wc.lpszClassName = "QuilletAppTimer";
    RegisterClassA(&wc);
    timerWnd_ = CreateWindowExA(0, "QuilletAppTimer", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                instance, nullptr);
}

void Application::SetTitle(const std::string& title) { title_ = title; }

std::string Application::ExeName() const {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD got = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (got < path.size()) {
            path.resize(got);
            return path;
        }
        path.resize(path.size() * 2);  // the path was cut: try again with more room
    }
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
    PreTranslate(msg);
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && Form::FromHandle(root) && IsDialogMessageA(root, &msg)) return true;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

void Application::ShowException(const std::string& text) {
    CancelHint();
    HWND owner = mainForm_ ? mainForm_->Handle() : nullptr;
    MessageBoxA(owner, text.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
}

// ---- hints ----

void Application::SetShowHint(bool show) {
    if (showHint_ == show) return;
    showHint_ = show;
    if (!show) CancelHint();
}

void Application::SetHintWindowClass(HintWindowClass factory) {
    HideHint();
    hintClass_ = std::move(factory);
}

void Application::ControlDestroyed(Control* control) {
    if (control != hintControl_) return;
    HideHint();
    hintControl_ = nullptr;
    hintCancelled_ = false;
}

void Application::CancelHint() {
    HideHint();
    hintCancelled_ = true;
}

void Application::HideHint() {
    if (timerWnd_) {
        KillTimer(timerWnd_, kHintPauseTimer);
        KillTimer(timerWnd_, kHintHideTimer);
    }
    if (hint_) {
        hint_->ReleaseHandle();
        hint_.reset();
    }
}

void Application::PreTranslate(const MSG& msg) {
    switch (msg.message) {
    case WM_MOUSEMOVE:
        HintMouseMove(msg.hwnd);
        break;
    case WM_NCMOUSEMOVE:
        HintMouseMove(nullptr);
        break;
    case WM_MOUSELEAVE:
        if (hintControl_ && msg.hwnd == hintControl_->Handle()) {
            if (!PointerOver(*hintControl_)) HintMouseMove(nullptr);
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEWHEEL:
        CancelHint();
        break;
    default:
        break;
    }
}

void Application::HintMouseMove(HWND hwnd) {
    if (hint_ && hwnd == hint_->Handle()) return;
    Control* control = hwnd ? ControlAt(hwnd) : nullptr;
    if (control == hintControl_) return;
    HideHint();
    hintCancelled_ = false;
    hintControl_ = control;
    if (!control) return;
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, control->Handle(), 0};
    TrackMouseEvent(&tme);
    if (showHint_ && control->ShowHint && !control->Hint.empty()) {
        SetTimer(timerWnd_, kHintPauseTimer, static_cast<UINT>(std::max(HintPause, 1)), nullptr);
    }
}

void Application::ShowHintNow() {
    KillTimer(timerWnd_, kHintPauseTimer);
    if (!showHint_ || hintCancelled_ || !hintControl_ || hintControl_->Hint.empty()) return;
    if (!PointerOver(*hintControl_)) return;
    POINT cursor;
    GetCursorPos(&cursor);

    hint_ = hintClass_ ? hintClass_() : std::make_unique<HintWindow>();
    const int screenW = GetSystemMetrics(SM_CXSCREEN);
    const int screenH = GetSystemMetrics(SM_CYSCREEN);
    RECT r = hint_->CalcHintRect(screenW, hintControl_->Hint);
    // Below the pointer, kept on the screen.
    int left = cursor.x;
    int top = cursor.y + GetSystemMetrics(SM_CYCURSOR) / 2 + 4;
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    if (left + w > screenW) left = screenW - w;
    if (top + h > screenH) top = cursor.y - h - 4;
    left = std::max(left, 0);
    top = std::max(top, 0);
    hint_->ActivateHint(RECT{left, top, left + w, top + h}, hintControl_->Hint, hintControl_);
    SetTimer(timerWnd_, kHintHideTimer, static_cast<UINT>(std::max(HintHidePause, 1)), nullptr);
}

LRESULT CALLBACK Application::TimerWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER) {
        Application& app = Get();
        // A hint class of a component runs here: nothing it throws may cross
        // the window procedure.
        try {
            if (wParam == kHintPauseTimer) {
                app.ShowHintNow();
            } else if (wParam == kHintHideTimer) {
                app.CancelHint();
            }
        } catch (...) {
            app.HideHint();
            app.ShowException(CurrentExceptionText());
        }
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace ui

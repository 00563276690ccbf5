#include "ui/application.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>

#include "base/grow_buffer.h"
#include "ui/controls.h"
#include "ui/dialog_characters.h"
#include "ui/form.h"
#include "ui/gdi.h"
#include "ui/main_form.h"

namespace ui {

namespace {

constexpr UINT_PTR kHintPauseTimer = 1;
constexpr UINT_PTR kHintHideTimer = 2;
// Plain hints wrap at this width; a hint class may choose its own.
constexpr int kPlainHintWidth = 300;

// The widget under the pointer inside a container window: a graphic child,
// else a child window (looking into panels), else none. A disabled control
// gets no mouse messages, its parent does: this finds it all the same.
Widget* WidgetInContainer(HWND hwnd, POINT screen) {
    POINT p = screen;
    ScreenToClient(hwnd, &p);
    if (auto* container = dynamic_cast<Container*>(Window::FromHandle(hwnd))) {
        if (GraphicControl* g = container->GraphicAt(p)) return g;
    }
    HWND child = ChildWindowFromPointEx(hwnd, p, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (!child || child == hwnd) return nullptr;
    if (dynamic_cast<Container*>(Window::FromHandle(child))) {
        if (Widget* inner = WidgetInContainer(child, screen)) return inner;
    }
    return Control::FromHandle(child);
}

// The widget a mouse message over `hwnd` concerns.
Widget* WidgetAt(HWND hwnd) {
    POINT cursor;
    GetCursorPos(&cursor);
    if (dynamic_cast<Container*>(Window::FromHandle(hwnd))) return WidgetInContainer(hwnd, cursor);
    for (HWND h = hwnd; h; h = GetParent(h)) {
        if (Control* c = Control::FromHandle(h)) return c;
        if (Form::FromHandle(h)) break;
    }
    return nullptr;
}

// Whether the pointer is over the widget, enabled or not.
bool PointerOver(const Widget& widget) {
    POINT p;
    GetCursorPos(&p);
    const RECT r = widget.ScreenBounds();
    return PtInRect(&r, p) != FALSE;
}

// The window whose mouse messages tell when the pointer leaves the widget.
HWND MouseWindowOf(Widget& widget) {
    if (auto* g = dynamic_cast<GraphicControl*>(&widget)) return g->Parent().ContainerHandle();
    return widget.WindowHandle();
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

void HintWindow::GetCreateParams(CreateParams& params) {
    params.className = "QuilletHintWindow";
    params.classStyle = CS_SAVEBITS;
    params.style = WS_POPUP | WS_BORDER;
    params.exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
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
    {
        SelectGuard font(dc, HintFont());
        DrawTextA(dc, hint.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_LEFT);
    }
    ReleaseDC(nullptr, dc);
    // Room for the border and a little padding on each side.
    r.right += 8;
    r.bottom += 4;
    return r;
}

void HintWindow::ActivateHint(RECT rect, const std::string& hint, Widget*) {
    text_ = hint;
    if (!Handle()) CreateHandle();
    SetWindowPos(Handle(), HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void HintWindow::ReleaseHandle() { DestroyHandle(); }

void HintWindow::Paint(HDC dc) {
    RECT r;
    GetClientRect(Handle(), &r);
    GdiObject brush(CreateSolidBrush(ResolveColor(Application::Get().HintColor)));
    FillRect(dc, &r, static_cast<HBRUSH>(brush.Get()));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    SelectGuard font(dc, HintFont());
    InflateRect(&r, -3, -1);
    DrawTextA(dc, text_.c_str(), -1, &r, DT_WORDBREAK | DT_NOPREFIX | DT_LEFT);
}

LRESULT HintWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: {
        PaintScope paint(Handle());
        Paint(paint.DC());
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_NCHITTEST:
        return HTTRANSPARENT;  // the mouse belongs to what lies beneath
    default:
        return DefaultProc(msg, wParam, lParam);
    }
}

// The hidden window that receives the hint timers.
class Application::TimerWindow : public Window {
public:
    TimerWindow() { CreateHandle(); }

protected:
    void GetCreateParams(CreateParams& params) override {
        params.className = "QuilletAppTimer";
        params.classStyle = 0;
        params.parent = HWND_MESSAGE;
    }
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg != WM_TIMER) return DefaultProc(msg, wParam, lParam);
        Application::Get().HintTimer(wParam);
        return 0;
    }
};

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

HWND Application::TimerHandle() {
    // Made when the first hint is due: the start of the program makes no
    // window that it does not show.
    if (!timer_) timer_ = std::make_unique<TimerWindow>();
    return timer_->Handle();
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
    PreTranslate(msg);
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

void Application::ControlDestroyed(Widget* control) {
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
    if (timer_) {
        KillTimer(timer_->Handle(), kHintPauseTimer);
        KillTimer(timer_->Handle(), kHintHideTimer);
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
        if (hintControl_ && msg.hwnd == MouseWindowOf(*hintControl_)) {
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
    Widget* control = hwnd ? WidgetAt(hwnd) : nullptr;
    if (control == hintControl_) return;
    HideHint();
    hintCancelled_ = false;
    hintControl_ = control;
    if (!control) return;
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, MouseWindowOf(*control), 0};
    TrackMouseEvent(&tme);
    if (showHint_ && control->ShowHint && !control->Hint.empty()) {
        SetTimer(TimerHandle(), kHintPauseTimer, static_cast<UINT>(std::max(HintPause, 1)), nullptr);
    }
}

void Application::ShowHintNow() {
    KillTimer(TimerHandle(), kHintPauseTimer);
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
    SetTimer(TimerHandle(), kHintHideTimer, static_cast<UINT>(std::max(HintHidePause, 1)), nullptr);
}

void Application::HintTimer(UINT_PTR id) {
    // A hint class of a component runs here: whatever it throws is reported
    // with the hint gone.
    try {
        if (id == kHintPauseTimer) {
            ShowHintNow();
        } else if (id == kHintHideTimer) {
            CancelHint();
        }
    } catch (...) {
        HideHint();
        throw;
    }
}

}  // namespace ui

#include "ui/hints.h"

#include <algorithm>

#include "ui/application.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/gdi.h"
#include "ui/geometry.h"
#include "ui/graphic_controls.h"
#include "ui/monitor.h"

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
        if (GraphicControl* g = container->GraphicAt(FromPOINT(p))) return g;
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
    return widget.ScreenBounds().Contains(FromPOINT(p));
}

// The window whose mouse messages tell when the pointer leaves the widget.
HWND MouseWindowOf(Widget& widget) {
    if (auto* g = dynamic_cast<GraphicControl*>(&widget)) return g->Parent().ContainerHandle();
    return widget.WindowHandle();
}

}  // namespace

// ---- HintWindow ----

HintWindow::~HintWindow() {
    DestroyHandle();  // what ReleaseHandle does here; a kind's own is gone by now
}

Window::CreateParams HintWindow::PlainParams() {
    CreateParams params;
    params.className = "QuilletHintWindow";
    params.classStyle = CS_SAVEBITS;
    params.style = WS_POPUP | WS_BORDER;
    params.exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    return params;
}

HFONT HintWindow::HintFont() {
    if (!font_) {
        NONCLIENTMETRICSA ncm{};
        ncm.cbSize = sizeof ncm;
        if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) {
            font_.Reset(CreateFontIndirectA(&ncm.lfStatusFont));
        }
    }
    return font_ ? font_.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

base::Rect HintWindow::CalcHintRect(int maxWidth, const std::string& hint) {
    RECT r{0, 0, std::min(maxWidth, kPlainHintWidth), 0};
    {
        const WindowDC dc;
        SelectGuard font(dc.Get(), HintFont());
        DrawTextA(dc.Get(), hint.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_LEFT);
    }
    // Room for the border and a little padding on each side.
    r.right += 8;
    r.bottom += 4;
    return FromRECT(r);
}

void HintWindow::ActivateHint(base::Rect rect, const std::string& hint, Widget*) {
    text_ = hint;
    EnsureHandle();
    SetWindowPos(Handle(), HWND_TOPMOST, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void HintWindow::ReleaseHandle() { DestroyHandle(); }

void HintWindow::Paint(HDC dc) {
    RECT r;
    GetClientRect(Handle(), &r);
    const GdiObject<HBRUSH> brush(CreateSolidBrush(ResolveColor(Application::Get().HintColor)));
    FillRect(dc, &r, brush.Get());
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
class Hints::TimerWindow final : public Window {
public:
    explicit TimerWindow(Hints& hints) : hints_(hints) {}
    void Create() {
        CreateParams params;
        params.className = "QuilletAppTimer";
        params.classStyle = 0;
        params.parent = HWND_MESSAGE;
        CreateHandle(params);
    }

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg != WM_TIMER) return DefaultProc(msg, wParam, lParam);
        hints_.Timer(wParam);
        return 0;
    }

private:
    Hints& hints_;
};

// ---- Hints ----

Hints::Hints() = default;
Hints::~Hints() = default;

HWND Hints::TimerHandle() {
    // Made when the first hint is due: the start of the program makes no
    // window that it does not show.
    if (!timer_) {
        auto timer = std::make_unique<TimerWindow>(*this);
        timer->Create();
        timer_ = std::move(timer);
    }
    return timer_->Handle();
}

void Hints::SetOn(bool on) {
    if (on_ == on) return;
    on_ = on;
    if (!on) Cancel();
}

void Hints::SetWindowClass(HintWindowClass factory) {
    Hide();
    class_ = std::move(factory);
}

void Hints::ControlDestroyed(Widget* control) {
    if (control != control_) return;
    Hide();
    control_ = nullptr;
    cancelled_ = false;
}

void Hints::Cancel() {
    Hide();
    cancelled_ = true;
}

void Hints::Hide() {
    if (timer_) {
        KillTimer(timer_->Handle(), kHintPauseTimer);
        KillTimer(timer_->Handle(), kHintHideTimer);
    }
    if (hint_) {
        hint_->ReleaseHandle();
        hint_.reset();
    }
}

void Hints::PreTranslate(const MSG& msg) {
    switch (msg.message) {
    case WM_MOUSEMOVE:
        MouseMove(msg.hwnd);
        break;
    case WM_NCMOUSEMOVE:
        MouseMove(nullptr);
        break;
    case WM_MOUSELEAVE:
        if (control_ && msg.hwnd == MouseWindowOf(*control_)) {
            if (!PointerOver(*control_)) MouseMove(nullptr);
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEWHEEL:
        Cancel();
        break;
    default:
        break;
    }
}

void Hints::MouseMove(HWND hwnd) {
    if (hint_ && hwnd == hint_->Handle()) return;
    Widget* control = hwnd ? WidgetAt(hwnd) : nullptr;
    if (control == control_) return;
    Hide();
    cancelled_ = false;
    control_ = control;
    if (!control) return;
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, MouseWindowOf(*control), 0};
    TrackMouseEvent(&tme);
    if (on_ && control->ShowHint && !control->Hint.empty()) {
        const int pause = std::max(Application::Get().HintPause, 1);
        SetTimer(TimerHandle(), kHintPauseTimer, static_cast<UINT>(pause), nullptr);
    }
}

void Hints::ShowNow() {
    KillTimer(TimerHandle(), kHintPauseTimer);
    if (!on_ || cancelled_ || !control_ || control_->Hint.empty()) return;
    if (!PointerOver(*control_)) return;
    POINT cursor;
    GetCursorPos(&cursor);

    hint_ = class_ ? class_() : std::make_unique<HintWindow>();
    // Below the pointer, kept on the monitor under it.
    const base::Rect screen = WorkAreaAt(FromPOINT(cursor));
    const base::Size size = hint_->CalcHintRect(screen.Width(), control_->Hint).Extent();
    int left = cursor.x;
    int top = cursor.y + GetSystemMetrics(SM_CYCURSOR) / 2 + 4;
    const int w = size.width;
    const int h = size.height;
    if (left + w > screen.right) left = screen.right - w;
    if (top + h > screen.bottom) top = cursor.y - h - 4;
    left = std::max(left, screen.left);
    top = std::max(top, screen.top);
    hint_->ActivateHint(base::RectAt(left, top, w, h), control_->Hint, control_);
    const int hidePause = std::max(Application::Get().HintHidePause, 1);
    SetTimer(TimerHandle(), kHintHideTimer, static_cast<UINT>(hidePause), nullptr);
}

void Hints::Timer(UINT_PTR id) {
    // A hint class of a component runs here: whatever it throws is reported
    // with the hint gone.
    try {
        if (id == kHintPauseTimer) {
            ShowNow();
        } else if (id == kHintHideTimer) {
            Cancel();
        }
    } catch (...) {
        Hide();
        throw;
    }
}

}  // namespace ui

#include "ui/window.h"

#include <set>

#include "base/error.h"
#include "ui/application.h"

namespace ui {

namespace {

// Other programs (our end-to-end driver among them) find windows by name:
// the property holds a global atom of the name.
constexpr const char* kNameProp = "QuilletName";

}  // namespace

std::string WindowText(HWND hwnd) {
    if (!hwnd) return {};
    // The length is an upper bound (it may count a DBCS text twice); the copy
    // says how much it wrote.
    const int length = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    const int got = GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

void NameWindow(HWND hwnd, const std::string& name) {
    SetPropA(hwnd, kNameProp,
             reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(GlobalAddAtomA(name.c_str()))));
}

void UnnameWindow(HWND hwnd) {
    if (auto atom = reinterpret_cast<UINT_PTR>(RemovePropA(hwnd, kNameProp))) {
        GlobalDeleteAtom(static_cast<ATOM>(atom));
    }
}

void ReportCurrentException() { Application::Get().ShowException(CurrentExceptionText()); }

Window::~Window() {
    if (!hwnd_) return;
    if (created_) {
        DestroyWindow(hwnd_);
    } else {
        DetachHandle();
    }
}

Window* Window::FromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    const auto proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    if (proc != StaticWndProc && proc != SubclassProc) return nullptr;
    return reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

void Window::SetText(const std::string& text) { SetWindowTextA(hwnd_, text.c_str()); }

void Window::RegisterOwnClass(const CreateParams& params) {
    static std::set<std::string> registered;
    if (registered.count(params.className)) return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = params.classStyle;
    wc.lpfnWndProc = StaticWndProc;
    wc.cbWndExtra = params.windowExtra;
    wc.hInstance = Application::Get().Instance();
    wc.hIcon = Application::Get().Icon();
    wc.hCursor = params.cursor ? params.cursor : LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = params.background;
    wc.lpszClassName = params.className.c_str();
    if (!RegisterClassExA(&wc)) {
        throw base::Error("Cannot register window class " + params.className);
    }
    registered.insert(params.className);
}

void Window::CreateHandle(const CreateParams& params) {
    if (!params.systemClass) RegisterOwnClass(params);
    HWND hwnd = CreateWindowExA(params.exStyle, params.className.c_str(), params.caption.c_str(),
                                params.style, params.bounds.left, params.bounds.top,
                                params.bounds.Width(), params.bounds.Height(),
                                params.parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(params.id)),
                                Application::Get().Instance(), this);
    if (!hwnd) throw base::Error("Cannot create window " + params.className);
    created_ = true;
    if (params.systemClass) AttachHandle(hwnd);
}

void Window::AttachHandle(HWND hwnd) {
    if (FromHandle(hwnd)) throw base::Error("The window is bound to an object already");
    Bind(hwnd);
    subclassed_ = true;
    SetLastError(0);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
    if (!original_ && GetLastError() != 0) {
        Unbind();
        throw base::Error("Cannot subclass a window");
    }
}

void Window::DetachHandle() {
    if (!hwnd_) return;
    RestoreProc();
    Unbind();
}

void Window::RestoreProc() {
    if (subclassed_ && original_) {
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    }
}

void Window::DestroyHandle() {
    if (hwnd_ && created_) DestroyWindow(hwnd_);
}

void Window::Bind(HWND hwnd) {
    hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void Window::Unbind() {
    if (!hwnd_) return;
    HWND hwnd = hwnd_;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    subclassed_ = false;
    original_ = nullptr;
    created_ = false;
    HandleUnbound(hwnd);
}

LRESULT Window::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefaultProc(msg, wParam, lParam);
}

LRESULT Window::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (subclassed_) return CallWindowProcA(original_, hwnd_, msg, wParam, lParam);
    return ClassDefaultProc(msg, wParam, lParam);
}

LRESULT Window::ClassDefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

LRESULT Window::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCDESTROY) {
        // The default handling first (it still needs the window), then the
        // object lets go of it.
        UnnameWindow(hwnd_);  // the name's atom goes with the window
        const WNDPROC original = subclassed_ ? original_ : nullptr;
        HWND hwnd = hwnd_;
        RestoreProc();
        Unbind();
        return original ? CallWindowProcA(original, hwnd, msg, wParam, lParam)
                        : ClassDefaultProc(msg, wParam, lParam);
    }
    try {
        return WndProc(msg, wParam, lParam);
    } catch (...) {
        ReportCurrentException();
    }
    return 0;
}

LRESULT CALLBACK Window::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (self) self->Bind(hwnd);
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self && self->hwnd_ == hwnd) return self->Dispatch(msg, wParam, lParam);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK Window::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self && self->hwnd_ == hwnd) return self->Dispatch(msg, wParam, lParam);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace ui

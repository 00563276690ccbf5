#include "ui/window.h"

#include <commctrl.h>

#include <set>
#include <stdexcept>

#include "ui/application.h"

namespace ui {

namespace {

// The object behind a window, for both ways of binding.
constexpr const char* kWindowProp = "ui.Window";
constexpr UINT_PTR kSubclassId = 0x5155;  // "QU"
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
    UnnameWindow(hwnd);
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
    return hwnd ? static_cast<Window*>(GetPropA(hwnd, kWindowProp)) : nullptr;
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
        throw std::runtime_error("Cannot register window class " + params.className);
    }
    registered.insert(params.className);
}

void Window::CreateHandle() {
    CreateParams params;
    GetCreateParams(params);
    if (!params.systemClass) RegisterOwnClass(params);
    HWND hwnd = CreateWindowExA(params.exStyle, params.className.c_str(), params.caption.c_str(),
                                params.style, params.x, params.y, params.width, params.height,
                                params.parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(params.id)),
                                Application::Get().Instance(), this);
    if (!hwnd) throw std::runtime_error("Cannot create window " + params.className);
    created_ = true;
    if (params.systemClass) AttachHandle(hwnd);
}

void Window::AttachHandle(HWND hwnd) {
    if (!SetWindowSubclass(hwnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        throw std::runtime_error("Cannot subclass a window");
    }
    subclassed_ = true;
    Bind(hwnd);
}

void Window::DetachHandle() {
    if (!hwnd_) return;
    if (subclassed_) RemoveWindowSubclass(hwnd_, SubclassProc, kSubclassId);
    Unbind();
}

void Window::DestroyHandle() {
    if (hwnd_ && created_) DestroyWindow(hwnd_);
}

void Window::Bind(HWND hwnd) {
    hwnd_ = hwnd;
    SetPropA(hwnd, kWindowProp, this);
}

void Window::Unbind() {
    if (!hwnd_) return;
    HWND hwnd = hwnd_;
    RemovePropA(hwnd, kWindowProp);
    hwnd_ = nullptr;
    subclassed_ = false;
    created_ = false;
    HandleUnbound(hwnd);
}

LRESULT Window::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefaultProc(msg, wParam, lParam);
}

LRESULT Window::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (subclassed_) return DefSubclassProc(hwnd_, msg, wParam, lParam);
    return ClassDefaultProc(msg, wParam, lParam);
}

LRESULT Window::ClassDefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

LRESULT Window::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCDESTROY) {
        // The default handling first (it still needs the window), then the
        // object lets go of it.
        const LRESULT result = DefaultProc(msg, wParam, lParam);
        UnnameWindow(hwnd_);  // the name's atom goes with the window
        if (subclassed_) RemoveWindowSubclass(hwnd_, SubclassProc, kSubclassId);
        Unbind();
        return result;
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
    if (Window* self = FromHandle(hwnd); self && !self->subclassed_) {
        return self->Dispatch(msg, wParam, lParam);
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK Window::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR refData) {
    auto* self = reinterpret_cast<Window*>(refData);
    if (!self || self->hwnd_ != hwnd) return DefSubclassProc(hwnd, msg, wParam, lParam);
    return self->Dispatch(msg, wParam, lParam);
}

}  // namespace ui

#include "components/ellipsis_edit_win32.h"

#include <vector>

#include "ui/dpi.h"
#include "ui/form.h"
#include "ui/gdi.h"

namespace quillet {
namespace {

// Texts arriving in WM_SETTEXT and EM_REPLACESEL are UTF-16 when the window
// is a Unicode one and ANSI otherwise.
template <class Char>
std::basic_string<Char> WithoutLineBreaks(const Char* text) {
    std::basic_string<Char> result;
    for (const Char* p = text; p && *p; ++p) {
        if (*p != Char('\r') && *p != Char('\n')) result += *p;
    }
    return result;
}

template <class Char>
bool HasLineBreak(const Char* text) {
    for (const Char* p = text; p && *p; ++p) {
        if (*p == Char('\r') || *p == Char('\n')) return true;
    }
    return false;
}

// The text of a text message without its line breaks; false when it has none.
template <class Char>
bool OneLine(LPARAM lParam, std::basic_string<Char>& line) {
    const auto* text = reinterpret_cast<const Char*>(lParam);
    if (!HasLineBreak(text)) return false;
    line = WithoutLineBreaks(text);
    return true;
}

}  // namespace

TElipsisEdit::TElipsisEdit(ui::Form& form) : ui::CustomEdit(form) {}

void TElipsisEdit::Create(const Args& args) {
    autoSize_ = args.options.autoSize;
    CreateEdit(args, ES_AUTOHSCROLL | ES_MULTILINE | WS_CLIPCHILDREN | args.options.style);
    // Drawn by the field itself: the themed button of the common controls
    // paints nothing when its parent is an edit control.
    button_ = std::make_unique<Button>(OwnerForm(), *this);
    const std::string buttonName = Name().empty() ? "" : Name() + "Button";
    button_->Create({Handle(), {.name = buttonName, .caption = "...", .hint = Hint, .tabStop = false}});
    EnableWindow(ButtonHandle(), IsWindowEnabled(Handle()));
    // Lays out and sizes through WM_SETFONT.
    SetFont(GetFont().Handle());
}

TElipsisEdit::~TElipsisEdit() = default;

void TElipsisEdit::HandleUnbound(HWND hwnd) {
    ui::CustomEdit::HandleUnbound(hwnd);
    button_.reset();  // its window went with the field's
}

TElipsisEdit::Button::Button(ui::Form& form, TElipsisEdit& owner)
    : ui::Control(form), owner_(owner) {}

void TElipsisEdit::Button::Create(const ui::ControlArgs& args) {
    CreateSystemControl(args, "BUTTON", WS_VISIBLE | BS_OWNERDRAW);
}

bool TElipsisEdit::ReadOnly() const { return (GetWindowLongA(Handle(), GWL_STYLE) & ES_READONLY) != 0; }

void TElipsisEdit::SetReadOnly(bool value) {
    SendMessageA(Handle(), EM_SETREADONLY, value ? TRUE : FALSE, 0);
}

void TElipsisEdit::SetFont(HFONT font) {
    if (Handle()) SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void TElipsisEdit::SetAutoSize(bool value) {
    if (value == autoSize_) return;
    autoSize_ = value;
    if (autoSize_ && Handle()) AdjustHeight();
}

void TElipsisEdit::AdjustHeight() {
    TEXTMETRICA metrics{};
    {
        const ui::WindowDC dc(Handle());
        if (!dc) return;
        const ui::SelectGuard font(dc.Get(), reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0)));
        if (!GetTextMetricsA(dc.Get(), &metrics)) return;
    }
    // The line plus the client edge and the edit's own inner margin.
    const int height =
        metrics.tmHeight + 8 * ui::SystemMetricForDpi(SM_CYBORDER, OwnerForm().Dpi());
    RECT r{};
    GetWindowRect(Handle(), &r);
    if (r.bottom - r.top == height) return;
    SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The button a square of the client height at the right end; the text area
// the rest of the client rectangle, so text never runs under the button.
void TElipsisEdit::Layout() {
    RECT client{};
    GetClientRect(Handle(), &client);
    const int side = client.bottom;
    MoveWindow(ButtonHandle(), client.right - side, 0, side, side, TRUE);
    RECT buttonRect{};
    GetClientRect(ButtonHandle(), &buttonRect);
    RECT text{0, 0, client.right - buttonRect.right, client.bottom};
    if (text.right < 0) text.right = 0;
    SendMessageA(Handle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&text));
}

void TElipsisEdit::Paste() {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(Handle())) return;
    std::wstring text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = WithoutLineBreaks(chars);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

// Routes into the base edit that bypass WM_PASTE (its context menu,
// Shift+Insert) can still bring line breaks in: take them out again, keeping
// the caret where it was in the remaining text.
void TElipsisEdit::KeepOneLine() {
    if (!Handle() || SendMessageW(Handle(), EM_GETLINECOUNT, 0, 0) <= 1) return;
    const int length = GetWindowTextLengthW(Handle());
    std::vector<wchar_t> text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    GetWindowTextW(Handle(), text.data(), static_cast<int>(text.size()));
    DWORD start = 0, end = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    DWORD caret = end;
    for (DWORD i = 0; i < end && text[i]; ++i) {
        if (text[i] == L'\r' || text[i] == L'\n') --caret;
    }
    SetWindowTextW(Handle(), text.data());  // WM_SETTEXT drops the breaks
    SendMessageW(Handle(), EM_SETSEL, caret, caret);
}

void TElipsisEdit::RaiseElipsisClick() {
    if (!ButtonHandle() || !IsWindowEnabled(ButtonHandle()) || !IsWindowEnabled(Handle())) return;
    // A copy: the handler may replace the event or destroy the field.
    const auto handler = OnElipsisClick;
    if (!handler) return;
    // What it throws reaches the window procedure's guard and the general
    // error report.
    handler(*button_);
}

void TElipsisEdit::DrawButton(const DRAWITEMSTRUCT& item) const {
    RECT r = item.rcItem;
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    if (pushed) OffsetRect(&r, 1, 1);
    const std::string caption = button_->Text();
    SetBkMode(item.hDC, TRANSPARENT);
    ui::SelectGuard font(item.hDC, reinterpret_cast<HFONT>(SendMessageA(ButtonHandle(), WM_GETFONT, 0, 0)));
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    if (disabled) {
        // The engraved look of a disabled caption.
        RECT shadow = r;
        OffsetRect(&shadow, 1, 1);
        SetTextColor(item.hDC, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextA(item.hDC, caption.c_str(), -1, &shadow, format);
        SetTextColor(item.hDC, GetSysColor(COLOR_GRAYTEXT));
    } else {
        SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
    }
    DrawTextA(item.hDC, caption.c_str(), -1, &r, format);
}

LRESULT TElipsisEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->hwndItem != ButtonHandle()) break;
        DrawButton(*item);
        return TRUE;
    }
    case WM_SIZE: {
        const LRESULT result = DefaultProc(message, wParam, lParam);
        Layout();
        return result;
    }
    case WM_SETFONT: {
        // The base edit resets its text area to the whole client on a font change.
        const LRESULT result = DefaultProc(message, wParam, lParam);
        SendMessageA(ButtonHandle(), WM_SETFONT, wParam, lParam);
        if (autoSize_) AdjustHeight();
        Layout();
        return result;
    }
    case WM_SETCURSOR: {
        // Also asked by the button, which passes the question to its parent first.
        POINT pt{};
        GetCursorPos(&pt);
        ScreenToClient(Handle(), &pt);
        RECT client{}, buttonRect{};
        GetClientRect(Handle(), &client);
        GetClientRect(ButtonHandle(), &buttonRect);
        if (pt.x < client.right - buttonRect.right) {
            return DefaultProc(message, wParam, lParam);
        }
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        return TRUE;
    }
    case WM_ENABLE: {
        const LRESULT result = DefaultProc(message, wParam, lParam);
        EnableWindow(ButtonHandle(), wParam ? TRUE : FALSE);
        return result;
    }
    case WM_GETDLGCODE:
        // Return, Escape and Tab belong to the owning window's dialog keys
        // (default button, cancel, focus order), as in a single-line field.
        return DefaultProc(message, wParam, lParam) & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
    case WM_KEYDOWN:
        // The base multi-line edit reacts to these in a dialog by itself
        // (Escape posts WM_CLOSE to the parent): they are the window's.
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) return 0;
        // Shift+Insert pastes through WM_PASTE like Ctrl+V, so its text is
        // cleaned the same way.
        if (wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0) {
            SendMessageW(Handle(), WM_PASTE, 0, 0);
            return 0;
        }
        {
            const LRESULT result = DefaultProc(message, wParam, lParam);
            KeepOneLine();
            return result;
        }
    case WM_CHAR:
        if (wParam == '\r' || wParam == '\n' || wParam == '\t') return 0;
        break;
    case WM_PASTE:
        if (!(GetWindowLongA(Handle(), GWL_STYLE) & ES_READONLY)) Paste();
        return 0;
    case WM_SETTEXT:
    case EM_REPLACESEL:
        if (IsWindowUnicode(Handle())) {
            std::wstring line;
            if (OneLine(lParam, line)) return DefaultProc(message, wParam, reinterpret_cast<LPARAM>(line.c_str()));
        } else {
            std::string line;
            if (OneLine(lParam, line)) return DefaultProc(message, wParam, reinterpret_cast<LPARAM>(line.c_str()));
        }
        break;
    case WM_CONTEXTMENU: {
        const LRESULT result = DefaultProc(message, wParam, lParam);
        KeepOneLine();
        return result;
    }
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == ButtonHandle() && HIWORD(wParam) == BN_CLICKED) {
            RaiseElipsisClick();
            return 0;
        }
        break;
    default:
        break;
    }
    return ui::CustomEdit::WndProc(message, wParam, lParam);
}

// Press and release tracked here so that the button never takes the focus
// from the field or from whichever control had it.
bool TElipsisEdit::Button::Inside(LPARAM pos) const {
    RECT r{};
    GetClientRect(Handle(), &r);
    const POINT pt{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    return PtInRect(&r, pt) != FALSE;
}

LRESULT TElipsisEdit::Button::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        tracking_ = true;
        SetCapture(Handle());
        SendMessageA(Handle(), BM_SETSTATE, TRUE, 0);
        return 0;
    case WM_MOUSEMOVE:
        if (tracking_) {
            SendMessageA(Handle(), BM_SETSTATE, Inside(lParam) ? TRUE : FALSE, 0);
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        if (tracking_) {
            tracking_ = false;
            const bool clicked = Inside(lParam);
            SendMessageA(Handle(), BM_SETSTATE, FALSE, 0);
            if (GetCapture() == Handle()) ReleaseCapture();
            if (clicked) {
                SendMessageA(owner_.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Handle()), BN_CLICKED),
                             reinterpret_cast<LPARAM>(Handle()));
            }
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        if (tracking_) {
            tracking_ = false;
            SendMessageA(Handle(), BM_SETSTATE, FALSE, 0);
        }
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
        return 0;  // never focused by us; keys have nothing to do here
    default:
        break;
    }
    return DefaultProc(message, wParam, lParam);
}

}  // namespace quillet

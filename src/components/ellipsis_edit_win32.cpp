#include "components/ellipsis_edit_win32.h"

#include <commctrl.h>

#include <exception>
#include <vector>

namespace quillet {
namespace {

constexpr UINT_PTR kEditSubclassId = 0x454C4945;    // "ELIE"
constexpr UINT_PTR kButtonSubclassId = 0x454C4942;  // "ELIB"
constexpr int kButtonId = 1;

// Texts arriving in WM_SETTEXT and EM_REPLACESEL are UTF-16 when the window
// is a Unicode one (comctl32's subclassing makes it one on Windows) and ANSI
// otherwise.
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

// Passes a text message on with its line breaks removed.
template <class Char>
LRESULT ForwardOneLine(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* text = reinterpret_cast<const Char*>(lParam);
    if (!HasLineBreak(text)) return DefSubclassProc(edit, message, wParam, lParam);
    const std::basic_string<Char> line = WithoutLineBreaks(text);
    return DefSubclassProc(edit, message, wParam, reinterpret_cast<LPARAM>(line.c_str()));
}

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return std::string(text.data());
}

}  // namespace

TElipsisEdit::~TElipsisEdit() {
    if (edit_ && IsWindow(edit_)) DestroyWindow(edit_);
}

HWND TElipsisEdit::Create(HWND parent, int id, int x, int y, int w, int h, DWORD extraStyle) {
    if (edit_) return edit_;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | ES_MULTILINE | ES_AUTOHSCROLL |
                        (readOnly_ ? ES_READONLY : 0) | extraStyle;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", style, x, y, w, h, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (!edit) return nullptr;
    // Drawn by the field itself: the themed button of the common controls
    // paints nothing when its parent is an edit control.
    HWND button = CreateWindowExA(0, "BUTTON", "...", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0,
                                  0, 0, edit,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonId)),
                                  instance, nullptr);
    edit_ = edit;
    button_ = button;
    if (!button || !SetWindowSubclass(edit, EditProc, kEditSubclassId, reinterpret_cast<DWORD_PTR>(this)) ||
        !SetWindowSubclass(button, ButtonProc, kButtonSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        DestroyWindow(edit);
        edit_ = nullptr;
        button_ = nullptr;
        return nullptr;
    }
    EnableWindow(button_, IsWindowEnabled(edit_));
    // Like the rest of the window's controls, the field starts in its parent's font.
    const auto parentFont = parent ? reinterpret_cast<HFONT>(SendMessageA(parent, WM_GETFONT, 0, 0))
                                   : nullptr;
    if (parentFont) {
        SetFont(parentFont);  // lays out and sizes through WM_SETFONT
    } else {
        if (autoSize_) AdjustHeight();
        Layout();
    }
    return edit_;
}

std::string TElipsisEdit::Text() const { return edit_ ? WindowText(edit_) : std::string(); }

void TElipsisEdit::SetText(const std::string& text) {
    if (edit_) SetWindowTextA(edit_, text.c_str());
}

bool TElipsisEdit::ReadOnly() const {
    if (!edit_) return readOnly_;
    return (GetWindowLongA(edit_, GWL_STYLE) & ES_READONLY) != 0;
}

void TElipsisEdit::SetReadOnly(bool value) {
    readOnly_ = value;
    if (edit_) SendMessageA(edit_, EM_SETREADONLY, value ? TRUE : FALSE, 0);
}

bool TElipsisEdit::Enabled() const { return edit_ && IsWindowEnabled(edit_); }

void TElipsisEdit::SetEnabled(bool value) {
    if (edit_) EnableWindow(edit_, value ? TRUE : FALSE);
}

void TElipsisEdit::SetFont(HFONT font) {
    if (edit_) SendMessageA(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void TElipsisEdit::SetAutoSize(bool value) {
    if (value == autoSize_) return;
    autoSize_ = value;
    if (autoSize_ && edit_) AdjustHeight();
}

void TElipsisEdit::AdjustHeight() {
    HDC dc = GetDC(edit_);
    if (!dc) return;
    HGDIOBJ old = nullptr;
    if (const auto font = reinterpret_cast<HFONT>(SendMessageA(edit_, WM_GETFONT, 0, 0))) {
        old = SelectObject(dc, font);
    }
    TEXTMETRICA metrics{};
    const BOOL measured = GetTextMetricsA(dc, &metrics);
    if (old) SelectObject(dc, old);
    ReleaseDC(edit_, dc);
    if (!measured) return;
    // The line plus the client edge and the edit's own inner margin.
    const int height = metrics.tmHeight + 8 * GetSystemMetrics(SM_CYBORDER);
    RECT r{};
    GetWindowRect(edit_, &r);
    if (r.bottom - r.top == height) return;
    SetWindowPos(edit_, nullptr, 0, 0, r.right - r.left, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The button a square of the client height at the right end; the text area
// the rest of the client rectangle, so text never runs under the button.
void TElipsisEdit::Layout() {
    RECT client{};
    GetClientRect(edit_, &client);
    const int side = client.bottom;
    MoveWindow(button_, client.right - side, 0, side, side, TRUE);
    RECT buttonRect{};
    GetClientRect(button_, &buttonRect);
    RECT text{0, 0, client.right - buttonRect.right, client.bottom};
    if (text.right < 0) text.right = 0;
    SendMessageA(edit_, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&text));
}

void TElipsisEdit::Paste() {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(edit_)) return;
    std::wstring text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = WithoutLineBreaks(chars);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    SendMessageW(edit_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

// Routes into the base edit that bypass WM_PASTE (its context menu,
// Shift+Insert) can still bring line breaks in: take them out again, keeping
// the caret where it was in the remaining text.
void TElipsisEdit::KeepOneLine() {
    if (!edit_ || SendMessageW(edit_, EM_GETLINECOUNT, 0, 0) <= 1) return;
    const int length = GetWindowTextLengthW(edit_);
    std::vector<wchar_t> text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    GetWindowTextW(edit_, text.data(), static_cast<int>(text.size()));
    DWORD start = 0, end = 0;
    SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    DWORD caret = end;
    for (DWORD i = 0; i < end && text[i]; ++i) {
        if (text[i] == L'\r' || text[i] == L'\n') --caret;
    }
    SetWindowTextW(edit_, text.data());  // WM_SETTEXT drops the breaks
    SendMessageW(edit_, EM_SETSEL, caret, caret);
}

void TElipsisEdit::RaiseElipsisClick() {
    if (!button_ || !IsWindowEnabled(button_) || !IsWindowEnabled(edit_)) return;
    // A copy: the handler may replace the event or destroy the field.
    const auto handler = OnElipsisClick;
    if (!handler) return;
    HWND sender = button_;
    HWND owner = GetAncestor(edit_, GA_ROOT);
    // No exception may unwind through the window procedure.
    try {
        handler(sender);
    } catch (const std::exception& e) {
        MessageBoxA(owner, e.what(), nullptr, MB_OK | MB_ICONERROR);
    } catch (...) {
        MessageBoxA(owner, "Unknown error", nullptr, MB_OK | MB_ICONERROR);
    }
}

void TElipsisEdit::DrawButton(const DRAWITEMSTRUCT& item) const {
    RECT r = item.rcItem;
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    if (pushed) OffsetRect(&r, 1, 1);
    char caption[8] = {};
    GetWindowTextA(button_, caption, sizeof caption);
    SetBkMode(item.hDC, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(item.hDC, reinterpret_cast<HFONT>(SendMessageA(button_, WM_GETFONT, 0, 0)));
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    if (disabled) {
        // The engraved look of a disabled caption.
        RECT shadow = r;
        OffsetRect(&shadow, 1, 1);
        SetTextColor(item.hDC, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextA(item.hDC, caption, -1, &shadow, format);
        SetTextColor(item.hDC, GetSysColor(COLOR_GRAYTEXT));
    } else {
        SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
    }
    DrawTextA(item.hDC, caption, -1, &r, format);
    SelectObject(item.hDC, oldFont);
}

LRESULT TElipsisEdit::HandleEdit(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->hwndItem != button_) break;
        DrawButton(*item);
        return TRUE;
    }
    case WM_SIZE: {
        const LRESULT result = DefSubclassProc(edit_, message, wParam, lParam);
        Layout();
        return result;
    }
    case WM_SETFONT: {
        // The base edit resets its text area to the whole client on a font change.
        const LRESULT result = DefSubclassProc(edit_, message, wParam, lParam);
        SendMessageA(button_, WM_SETFONT, wParam, lParam);
        if (autoSize_) AdjustHeight();
        Layout();
        return result;
    }
    case WM_SETCURSOR: {
        // Also asked by the button, which passes the question to its parent first.
        POINT pt{};
        GetCursorPos(&pt);
        ScreenToClient(edit_, &pt);
        RECT client{}, buttonRect{};
        GetClientRect(edit_, &client);
        GetClientRect(button_, &buttonRect);
        if (pt.x < client.right - buttonRect.right) {
            return DefSubclassProc(edit_, message, wParam, lParam);
        }
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        return TRUE;
    }
    case WM_ENABLE: {
        const LRESULT result = DefSubclassProc(edit_, message, wParam, lParam);
        EnableWindow(button_, wParam ? TRUE : FALSE);
        return result;
    }
    case WM_GETDLGCODE:
        // Return, Escape and Tab belong to the owning window's dialog keys
        // (default button, cancel, focus order), as in a single-line field.
        return DefSubclassProc(edit_, message, wParam, lParam) & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
    case WM_KEYDOWN:
        // The base multi-line edit reacts to these in a dialog by itself
        // (Escape posts WM_CLOSE to the parent): they are the window's.
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) return 0;
        // Shift+Insert pastes through WM_PASTE like Ctrl+V, so its text is
        // cleaned the same way.
        if (wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0) {
            SendMessageW(edit_, WM_PASTE, 0, 0);
            return 0;
        }
        {
            const LRESULT result = DefSubclassProc(edit_, message, wParam, lParam);
            KeepOneLine();
            return result;
        }
    case WM_CHAR:
        if (wParam == '\r' || wParam == '\n' || wParam == '\t') return 0;
        break;
    case WM_PASTE:
        if (!(GetWindowLongA(edit_, GWL_STYLE) & ES_READONLY)) Paste();
        return 0;
    case WM_SETTEXT:
    case EM_REPLACESEL:
        return IsWindowUnicode(edit_) ? ForwardOneLine<wchar_t>(edit_, message, wParam, lParam)
                                      : ForwardOneLine<char>(edit_, message, wParam, lParam);
    case WM_CONTEXTMENU: {
        const LRESULT result = DefSubclassProc(edit_, message, wParam, lParam);
        KeepOneLine();
        return result;
    }
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == button_ && HIWORD(wParam) == BN_CLICKED) {
            RaiseElipsisClick();
            return 0;
        }
        break;
    default:
        break;
    }
    return DefSubclassProc(edit_, message, wParam, lParam);
}

// Press and release tracked here so that the button never takes the focus
// from the field or from whichever control had it.
LRESULT TElipsisEdit::HandleButton(UINT message, WPARAM wParam, LPARAM lParam) {
    auto inside = [this](LPARAM pos) {
        RECT r{};
        GetClientRect(button_, &r);
        const POINT pt{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
        return PtInRect(&r, pt) != FALSE;
    };
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        tracking_ = true;
        SetCapture(button_);
        SendMessageA(button_, BM_SETSTATE, TRUE, 0);
        return 0;
    case WM_MOUSEMOVE:
        if (tracking_) {
            SendMessageA(button_, BM_SETSTATE, inside(lParam) ? TRUE : FALSE, 0);
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        if (tracking_) {
            tracking_ = false;
            const bool clicked = inside(lParam);
            SendMessageA(button_, BM_SETSTATE, FALSE, 0);
            if (GetCapture() == button_) ReleaseCapture();
            if (clicked) {
                SendMessageA(edit_, WM_COMMAND, MAKEWPARAM(kButtonId, BN_CLICKED),
                             reinterpret_cast<LPARAM>(button_));
            }
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        if (tracking_) {
            tracking_ = false;
            SendMessageA(button_, BM_SETSTATE, FALSE, 0);
        }
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
        return 0;  // never focused by us; keys have nothing to do here
    default:
        break;
    }
    return DefSubclassProc(button_, message, wParam, lParam);
}

LRESULT CALLBACK TElipsisEdit::EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR data) {
    auto* self = reinterpret_cast<TElipsisEdit*>(data);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, EditProc, id);
        self->edit_ = nullptr;
        self->button_ = nullptr;
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    return self->HandleEdit(message, wParam, lParam);
}

LRESULT CALLBACK TElipsisEdit::ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR id, DWORD_PTR data) {
    auto* self = reinterpret_cast<TElipsisEdit*>(data);
    if (message == WM_NCDESTROY || !self->button_) {
        if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, ButtonProc, id);
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    return self->HandleButton(message, wParam, lParam);
}

}  // namespace quillet

#include "ui/controls.h"

#include <commctrl.h>

#include <exception>
#include <stdexcept>
#include <vector>

#include "ui/application.h"
#include "ui/form.h"

namespace ui {

namespace {

constexpr const char* kControlProp = "ui.Control";
// Other programs (our end-to-end driver among them) find controls by name:
// the property holds a global atom of the control's name.
constexpr const char* kNameProp = "QuilletName";
constexpr UINT_PTR kSubclassId = 0x5155;  // "QU"

}  // namespace

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

Control::Control(Form& form, const ControlDesign& design)
    : design_(design), form_(&form), name_(design.name), font_(form.GetFont()) {
    Hint = design.hint;
}

Control::~Control() {
    Application::Get().ControlDestroyed(this);
    if (hwnd_ && IsWindow(hwnd_)) Detach();
}

void Control::Detach() {
    RemoveWindowSubclass(hwnd_, SubclassProc, kSubclassId);
    RemovePropA(hwnd_, kControlProp);
    UnnameWindow(hwnd_);
    hwnd_ = nullptr;
}

void Control::CreateHandle(HWND parent, const char* className, DWORD style, DWORD exStyle,
                           int id) {
    if (design_.tabStop) style |= WS_TABSTOP;
    hwnd_ = CreateWindowExA(exStyle, className, design_.caption.c_str(), style | WS_CHILD,
                            design_.left, design_.top, design_.width, design_.height, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            Application::Get().Instance(), nullptr);
    if (!hwnd_) throw std::runtime_error("Cannot create control " + name_);
    AttachHandle(hwnd_);
}

void Control::AttachHandle(HWND hwnd) {
    hwnd_ = hwnd;
    SetPropA(hwnd_, kControlProp, this);
    if (!name_.empty()) NameWindow(hwnd_, name_);
    SetWindowSubclass(hwnd_, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
}

Control* Control::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<Control*>(GetPropA(hwnd, kControlProp)) : nullptr;
}

LRESULT CALLBACK Control::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR refData) {
    auto* self = reinterpret_cast<Control*>(refData);
    if (msg == WM_NCDESTROY) {
        // The window goes before the control object: let go of it now, so
        // that its name's global atom is released with it.
        self->Detach();
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    // No C++ exception may cross the window procedure: report it instead.
    try {
        return self->WndProc(msg, wParam, lParam);
    } catch (...) {
        Application::Get().ShowException(CurrentExceptionText());
    }
    return 0;
}

LRESULT Control::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CHAR && !KeyPress(wParam)) return 0;
    return DefaultProc(msg, wParam, lParam);
}

LRESULT Control::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(hwnd_, msg, wParam, lParam);
}

bool Control::KeyPress(WPARAM& wParam) {
    // Handlers deal in ASCII keys (Escape above all). Other characters reach
    // the control untouched, whatever width the window's messages have.
    if (!OnKeyPress || wParam > 0x7F) return true;
    char key = static_cast<char>(wParam);
    OnKeyPress(*this, key);
    if (key == 0) return false;
    wParam = static_cast<unsigned char>(key);
    return true;
}

void Control::Command(WORD) {}

LRESULT Control::ColorMessage(UINT, HDC, bool& handled) {
    handled = false;
    return 0;
}

std::string Control::Text() const {
    const int length = GetWindowTextLengthA(hwnd_);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(hwnd_, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

void Control::SetText(const std::string& text) { SetWindowTextA(hwnd_, text.c_str()); }

bool Control::Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }

void Control::SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }

bool Control::Visible() const {
    return (GetWindowLongA(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Control::SetVisible(bool visible) { ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }

RECT Control::Bounds() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void Control::SetBounds(int left, int top, int width, int height) {
    MoveWindow(hwnd_, left, top, width, height, TRUE);
}

void Control::SetFont(const Font& font) {
    font_ = font;
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
}

// ---- Label ----

Label::Label(Form& form, HWND parent, const ControlDesign& design, bool wordWrap)
    : Control(form, [&] {
          ControlDesign s = design;
          s.tabStop = false;
          return s;
      }()) {
    CreateHandle(parent, "STATIC", WS_VISIBLE | (wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP), 0,
                 form.NextControlId());
}

LRESULT Label::ColorMessage(UINT, HDC dc, bool& handled) {
    // Labels sit on the form's face colour; a colour of their own font wins.
    handled = true;
    SetBkMode(dc, TRANSPARENT);
    if (GetFont().Color() != kColorDefault && Enabled()) SetTextColor(dc, GetFont().Color());
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// ---- Button ----

Button::Button(Form& form, HWND parent, const ControlDesign& design, int id) : Control(form, design) {
    CreateHandle(parent, "BUTTON", WS_VISIBLE | BS_PUSHBUTTON, 0, id);
}

void Button::SetDefault(bool value) {
    default_ = value;
    SendMessageA(Handle(), BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void Button::Click() {
    if (!Enabled()) return;
    if (ModalResult != 0) OwnerForm().ModalResult = ModalResult;
    if (OnClick) OnClick(*this);
}

void Button::Command(WORD notifyCode) {
    if (notifyCode == BN_CLICKED) Click();
}

// ---- CheckBox ----

CheckBox::CheckBox(Form& form, HWND parent, const ControlDesign& design, int id)
    : Control(form, design) {
    CreateHandle(parent, "BUTTON", WS_VISIBLE | BS_AUTOCHECKBOX, 0, id);
}

bool CheckBox::Checked() const {
    return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckBox::SetChecked(bool checked) {
    if (Checked() == checked) return;
    SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (OnClick) OnClick(*this);
}

void CheckBox::Command(WORD notifyCode) {
    if (notifyCode == BN_CLICKED && OnClick) OnClick(*this);
}

// ---- RadioButton ----

RadioButton::RadioButton(Form& form, HWND parent, const ControlDesign& design, int id,
                         bool groupStart)
    : Control(form, design) {
    CreateHandle(parent, "BUTTON", WS_VISIBLE | BS_AUTORADIOBUTTON | (groupStart ? WS_GROUP : 0),
                 0, id);
}

bool RadioButton::Checked() const {
    return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void RadioButton::Command(WORD notifyCode) {
    if (notifyCode != BN_CLICKED) return;
    // A click raises OnClick only when it checks the button: clicking the
    // button that is already chosen changes nothing.
    const bool wasChecked = lastChecked_;
    for (const auto& control : OwnerForm().Controls()) {
        if (auto* radio = dynamic_cast<RadioButton*>(control.get())) {
            radio->lastChecked_ = radio->Checked();
        }
    }
    if (!wasChecked && Checked() && OnClick) OnClick(*this);
}

// ---- Edit ----

Edit::Edit(Form& form, HWND parent, const ControlDesign& design, int id, DWORD extraStyle)
    : Control(form, design) {
    CreateHandle(parent, "EDIT", WS_VISIBLE | ES_AUTOHSCROLL | extraStyle, WS_EX_CLIENTEDGE, id);
}

void Edit::Command(WORD notifyCode) {
    if (notifyCode == EN_CHANGE && OnChange) OnChange(*this);
}

// ---- Memo ----

Memo::Memo(Form& form, HWND parent, const ControlDesign& design, int id, DWORD extraStyle)
    : Edit(form, parent, design, id, ES_MULTILINE | ES_AUTOVSCROLL | extraStyle) {}

LRESULT Memo::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_GETDLGCODE: {
        LRESULT code = DefaultProc(msg, wParam, lParam);
        // Tab moves the focus on, as in every other field of the form.
        const MSG* m = reinterpret_cast<const MSG*>(lParam);
        if (m && m->message == WM_KEYDOWN && m->wParam == VK_TAB) {
            code &= ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
        }
        return code;
    }
    case WM_KEYDOWN:
        // The edit control would close a dialog-managed parent on Escape; the
        // key belongs to OnKeyPress instead, which sees it as a character.
        if (wParam == VK_ESCAPE) return 0;
        break;
    case WM_CHAR:
        if (!KeyPress(wParam)) return 0;
        if (wParam == VK_ESCAPE) return 0;
        return DefaultProc(msg, wParam, lParam);
    default:
        break;
    }
    return DefaultProc(msg, wParam, lParam);
}

// ---- Image ----

Image::Image(Form& form, HWND parent, const ControlDesign& design) : Control(form, [&] {
    ControlDesign s = design;
    s.tabStop = false;
    return s;
}()) {
    CreateHandle(parent, "STATIC", WS_VISIBLE | SS_ICON | SS_REALSIZEIMAGE, 0,
                 form.NextControlId());
}

void Image::SetIcon(HICON icon) {
    SendMessageA(Handle(), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    // STM_SETICON sizes the control to the icon; keep the designed box.
    SetBounds(design_.left, design_.top, design_.width, design_.height);
}

// ---- WindowControl ----

WindowControl::WindowControl(Form& form, const ControlDesign& design, HWND hwnd)
    : Control(form, design) {
    // The window exists already; take it over as if we had made it.
    AttachHandle(hwnd);
}

}  // namespace ui

#include "ui/controls.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/application.h"
#include "ui/form.h"
#include "ui/gdi.h"

namespace ui {

namespace {

ControlDesign WithoutTabStop(ControlDesign design) {
    design.tabStop = false;
    return design;
}

}  // namespace

unsigned ShiftFromMouse(WPARAM wParam, bool doubleClick) {
    unsigned shift = 0;
    if (wParam & MK_SHIFT) shift |= base::ssShift;
    if (wParam & MK_CONTROL) shift |= base::ssCtrl;
    if (wParam & MK_LBUTTON) shift |= base::ssLeft;
    if (wParam & MK_RBUTTON) shift |= base::ssRight;
    if (wParam & MK_MBUTTON) shift |= base::ssMiddle;
    if (GetKeyState(VK_MENU) < 0) shift |= base::ssAlt;
    if (doubleClick) shift |= base::ssDouble;
    return shift;
}

// ---- Widget ----

Widget::Widget(Form& form, std::string name, std::string hint)
    : Hint(std::move(hint)), form_(&form), name_(std::move(name)) {}

Widget::~Widget() { Application::Get().ControlDestroyed(this); }

// ---- Control ----

Control::Control(Form& form, HWND parent, const ControlDesign& design, const char* systemClass,
                 DWORD style, DWORD exStyle)
    : Widget(form, design.name, design.hint),
      design_(design),
      parent_(parent),
      systemClass_(systemClass),
      style_(style),
      exStyle_(exStyle),
      font_(form.GetFont()) {
    Create();
}

Control::Control(Form& form, HWND parent, const ControlDesign& design)
    : Widget(form, design.name, design.hint), design_(design), parent_(parent), font_(form.GetFont()) {}

Control::~Control() {
    if (Handle()) UnnameWindow(Handle());
}

void Control::GetCreateParams(CreateParams& params) {
    params.className = systemClass_ ? systemClass_ : "";
    params.systemClass = true;
    params.caption = design_.caption;
    params.style = style_ | WS_CHILD | (design_.tabStop ? WS_TABSTOP : 0);
    params.exStyle = exStyle_;
    params.x = design_.left;
    params.y = design_.top;
    params.width = design_.width;
    params.height = design_.height;
    params.parent = parent_;
    params.id = OwnerForm().NextControlId();
}

void Control::Create() {
    CreateHandle();
    if (!Name().empty()) NameWindow(Handle(), Name());
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
}

void Control::HandleUnbound(HWND hwnd) { UnnameWindow(hwnd); }

Control* Control::FromHandle(HWND hwnd) { return dynamic_cast<Control*>(Window::FromHandle(hwnd)); }

LRESULT Control::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CHAR && !KeyPress(wParam)) return 0;
    return DefaultProc(msg, wParam, lParam);
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

LRESULT Control::Notify(const NMHDR&, bool& handled) {
    handled = false;
    return 0;
}

LRESULT Control::ColorMessage(UINT, HDC, bool& handled) {
    handled = false;
    return 0;
}

bool Control::Enabled() const { return IsWindowEnabled(Handle()) != FALSE; }

void Control::SetEnabled(bool enabled) { EnableWindow(Handle(), enabled ? TRUE : FALSE); }

bool Control::Visible() const { return (GetWindowLongA(Handle(), GWL_STYLE) & WS_VISIBLE) != 0; }

void Control::SetVisible(bool visible) { ShowWindow(Handle(), visible ? SW_SHOW : SW_HIDE); }

RECT Control::Bounds() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT Control::ScreenBounds() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    return r;
}

void Control::SetBounds(int left, int top, int width, int height) {
    MoveWindow(Handle(), left, top, width, height, TRUE);
}

void Control::SetFont(const Font& font) {
    font_ = font;
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
}

// ---- Label ----

Label::Label(Form& form, HWND parent, const ControlDesign& design, bool wordWrap, DWORD extraStyle)
    : Control(form, parent, WithoutTabStop(design), "STATIC",
              WS_VISIBLE | (wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP) | extraStyle) {}

LRESULT Label::ColorMessage(UINT, HDC dc, bool& handled) {
    // Labels sit on the form's face colour; a colour of their own font wins.
    handled = true;
    SetBkMode(dc, TRANSPARENT);
    if (GetFont().Color() != kColorDefault && Enabled()) SetTextColor(dc, ResolveColor(GetFont().Color()));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// ---- Button ----

Button::Button(Form& form, HWND parent, const ControlDesign& design)
    : Control(form, parent, design, "BUTTON", WS_VISIBLE | BS_PUSHBUTTON) {}

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

CheckBox::CheckBox(Form& form, HWND parent, const ControlDesign& design)
    : Control(form, parent, design, "BUTTON", WS_VISIBLE | BS_AUTOCHECKBOX) {}

bool CheckBox::Checked() const { return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::SetChecked(bool checked) {
    if (Checked() == checked) return;
    SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (OnClick) OnClick(*this);
}

void CheckBox::Command(WORD notifyCode) {
    if (notifyCode == BN_CLICKED && OnClick) OnClick(*this);
}

// ---- RadioButton ----

RadioButton::RadioButton(Form& form, HWND parent, const ControlDesign& design, bool groupStart)
    : Control(form, parent, design, "BUTTON",
              WS_VISIBLE | BS_AUTORADIOBUTTON | (groupStart ? WS_GROUP : 0)) {}

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

Edit::Edit(Form& form, HWND parent, const ControlDesign& design, DWORD extraStyle)
    : Edit(form, parent, design, extraStyle, ES_AUTOHSCROLL) {}

Edit::Edit(Form& form, HWND parent, const ControlDesign& design, DWORD extraStyle, DWORD scrollStyle)
    : Control(form, parent, design, "EDIT", WS_VISIBLE | scrollStyle | extraStyle, WS_EX_CLIENTEDGE) {}

void Edit::Command(WORD notifyCode) {
    if (notifyCode == EN_CHANGE && OnChange) OnChange(*this);
}

// ---- Memo ----

Memo::Memo(Form& form, HWND parent, const ControlDesign& design, DWORD extraStyle, bool wordWrap)
    : Edit(form, parent, design, ES_MULTILINE | ES_AUTOVSCROLL | extraStyle,
           wordWrap ? 0 : ES_AUTOHSCROLL) {}

LRESULT Memo::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_GETDLGCODE: {
        // The dialog manager would select the whole text whenever the box
        // gets the focus.
        LRESULT code = DefaultProc(msg, wParam, lParam) & ~DLGC_HASSETSEL;
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

// ---- Bevel ----

Bevel::Bevel(Form& form, HWND parent, const ControlDesign& design)
    : Control(form, parent, WithoutTabStop(design), "STATIC", WS_VISIBLE | SS_ETCHEDHORZ) {
    // The system widens an etched line by its edges; keep the designed box.
    SetBounds(design.left, design.top, design.width, design.height);
}

// ---- Image ----

Image::Image(Form& form, HWND parent, const ControlDesign& design)
    : Control(form, parent, WithoutTabStop(design), "STATIC",
              WS_VISIBLE | SS_ICON | SS_REALSIZEIMAGE) {}

void Image::SetIcon(HICON icon) {
    SendMessageA(Handle(), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    // STM_SETICON sizes the control to the icon; keep the designed box.
    SetBounds(design_.left, design_.top, design_.width, design_.height);
}

// ---- Container ----

GraphicControl* Container::GraphicAt(POINT client) const {
    for (auto it = graphics_.rbegin(); it != graphics_.rend(); ++it) {
        const RECT bounds = (*it)->Bounds();
        if ((*it)->Visible() && PtInRect(&bounds, client)) return *it;
    }
    return nullptr;
}

void Container::PaintGraphicChildren(HDC dc, const RECT& update) const {
    for (GraphicControl* g : graphics_) {
        const RECT bounds = g->Bounds();
        RECT meet;
        if (!g->Visible() || !IntersectRect(&meet, &bounds, &update)) continue;
        DcStateGuard state(dc);
        IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
        OffsetViewportOrgEx(dc, bounds.left, bounds.top, nullptr);
        g->Paint(dc);
    }
}

void Container::PrintClient(HDC dc, LPARAM flags) const {
    RECT client;
    GetClientRect(ContainerHandle(), &client);
    if (flags & PRF_ERASEBKGND) FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    PaintGraphicChildren(dc, client);
}

bool Container::RouteMouse(UINT msg, WPARAM wParam, LPARAM lParam) {
    const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const bool dbl = msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
    const unsigned shift = ShiftFromMouse(wParam, dbl);
    base::MouseButton button = base::mbLeft;
    if (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONUP || msg == WM_RBUTTONDBLCLK) button = base::mbRight;
    if (msg == WM_MBUTTONDOWN || msg == WM_MBUTTONUP || msg == WM_MBUTTONDBLCLK) button = base::mbMiddle;
    auto local = [](GraphicControl* g, POINT p) {
        const RECT b = g->Bounds();
        return POINT{p.x - b.left, p.y - b.top};
    };

    switch (msg) {
    case WM_MOUSEMOVE: {
        GraphicControl* target = captured_ ? captured_ : GraphicAt(pt);
        if (!target || !target->Enabled()) return false;
        const POINT p = local(target, pt);
        target->MouseMove(shift, p.x, p.y);
        return true;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
        GraphicControl* target = captured_ ? captured_ : GraphicAt(pt);
        if (!target || !target->Enabled()) return false;
        if (!captured_) {
            captured_ = target;
            SetCapture(ContainerHandle());
        }
        const POINT p = local(target, pt);
        target->MouseDown(button, shift, p.x, p.y);
        return true;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        GraphicControl* target = captured_ ? captured_ : GraphicAt(pt);
        if (!target || !target->Enabled()) return false;
        // The capture ends with the last button released, before the handler
        // runs: it may open a modal window or destroy the control.
        if (captured_ && !(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) {
            captured_ = nullptr;
            if (GetCapture() == ContainerHandle()) ReleaseCapture();
        }
        const POINT p = local(target, pt);
        target->MouseUp(button, shift, p.x, p.y);
        return true;
    }
    default:
        return false;
    }
}

bool Container::HandleContainerMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (msg) {
    case WM_COMMAND:
        if (Control* child = Control::FromHandle(reinterpret_cast<HWND>(lParam))) {
            child->Command(HIWORD(wParam));
            return true;
        }
        return false;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (Control* child = header ? Control::FromHandle(header->hwndFrom) : nullptr) {
            bool handled = false;
            result = child->Notify(*header, handled);
            return handled;
        }
        return false;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        if (Control* child = Control::FromHandle(reinterpret_cast<HWND>(lParam))) {
            bool handled = false;
            result = child->ColorMessage(msg, reinterpret_cast<HDC>(wParam), handled);
            return handled;
        }
        return false;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != ContainerHandle()) captured_ = nullptr;
        return false;
    default:
        if ((msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK)) return RouteMouse(msg, wParam, lParam);
        return false;
    }
}

// ---- GraphicControl ----

GraphicControl::GraphicControl(Form& form, Container& parent, const ControlDesign& design)
    : Widget(form, design.name, design.hint),
      parent_(&parent),
      bounds_{design.left, design.top, design.left + design.width, design.top + design.height} {
    parent_->graphics_.push_back(this);
    Invalidate();
}

GraphicControl::~GraphicControl() {
    auto& list = parent_->graphics_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    if (parent_->captured_ == this) {
        parent_->captured_ = nullptr;
        if (GetCapture() == parent_->ContainerHandle()) ReleaseCapture();
    }
    Invalidate();
}

void GraphicControl::Invalidate() const {
    if (HWND hwnd = parent_->ContainerHandle()) InvalidateRect(hwnd, &bounds_, TRUE);
}

void GraphicControl::SetBounds(int left, int top, int width, int height) {
    const RECT bounds{left, top, left + width, top + height};
    if (EqualRect(&bounds, &bounds_)) return;
    Invalidate();
    bounds_ = bounds;
    Invalidate();
}

RECT GraphicControl::ScreenBounds() const {
    RECT r = bounds_;
    MapWindowPoints(parent_->ContainerHandle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void GraphicControl::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    Invalidate();
}

void GraphicControl::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Invalidate();
}

void GraphicControl::MouseDown(base::MouseButton button, unsigned, int, int) {
    if (button == base::mbLeft) pressed_ = true;
}

void GraphicControl::MouseMove(unsigned, int, int) {}

void GraphicControl::MouseUp(base::MouseButton button, unsigned, int x, int y) {
    if (button != base::mbLeft) return;
    const bool click = pressed_ && x >= 0 && y >= 0 && x < Width() && y < Height();
    pressed_ = false;
    if (click && OnClick) OnClick(*this);
}

// ---- Panel ----

Panel::Panel(Form& form, HWND parent, const ControlDesign& design, BevelKind bevel)
    : Control(form, parent, WithoutTabStop(design)), bevel_(bevel) {
    Create();
}

void Panel::GetCreateParams(CreateParams& params) {
    Control::GetCreateParams(params);
    params.className = "QuilletPanel";
    params.systemClass = false;
    params.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    // The dialog manager steps into the panel for Tab and mnemonics.
    params.exStyle = WS_EX_CONTROLPARENT;
    params.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
}

LRESULT Panel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandleContainerMessage(msg, wParam, lParam, result)) return result;
    if (msg == WM_PRINTCLIENT) {
        PrintClient(reinterpret_cast<HDC>(wParam), lParam);
        return 0;
    }
    if (msg == WM_PAINT) {
        PaintScope paint(Handle());
        if (bevel_ != BevelKind::None) {
            RECT r;
            GetClientRect(Handle(), &r);
            DrawEdge(paint.DC(), &r, bevel_ == BevelKind::Raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER,
                     BF_RECT);
        }
        PaintGraphicChildren(paint.DC(), paint.Update());
        return 0;
    }
    return Control::WndProc(msg, wParam, lParam);
}

}  // namespace ui

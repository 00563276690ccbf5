#include "ui/controls.h"

#include <algorithm>

#include "ui/application.h"
#include "ui/form.h"
#include "ui/gdi.h"
#include "ui/geometry.h"

namespace ui {

namespace {

ControlArgs WithoutTabStop(ControlArgs args) {
    args.design.tabStop = false;
    return args;
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

Widget::Widget(Form& form) : form_(&form) {}

void Widget::TakeDesign(const ControlDesign& design) {
    name_ = design.name;
    Hint = design.hint;
    designBounds_ = design.bounds;
}

base::Rect Widget::ScaledBounds() const {
    return base::ScaleForDpi(designBounds_, form_->Dpi(), form_->Design().dpi);
}

Widget::~Widget() { Application::Get().ControlDestroyed(this); }

// ---- Control ----

Control::Control(Form& form)
    : Widget(form), designFont_(form.DesignFont()), font_(form.GetFont()) {}

Control::~Control() {
    if (Handle()) UnnameWindow(Handle());
}

Window::CreateParams Control::ChildParams(const ControlArgs& args, const char* className,
                                          DWORD style, DWORD exStyle) {
    const ControlDesign& d = args.design;
    const Form& form = OwnerForm();
    CreateParams params;
    params.className = className;
    params.systemClass = true;
    params.caption = d.caption;
    params.style = style | WS_CHILD | (d.tabStop ? WS_TABSTOP : 0);
    params.exStyle = exStyle;
    params.bounds = base::RectAt(form.Scale(d.bounds.left), form.Scale(d.bounds.top),
                                 form.Scale(d.bounds.Width()), form.Scale(d.bounds.Height()));
    params.parent = args.parent;
    params.id = OwnerForm().NextControlId();
    return params;
}

void Control::CreateControl(const ControlArgs& args, const CreateParams& params) {
    TakeDesign(args.design);
    CreateHandle(params);
    if (!Name().empty()) NameWindow(Handle(), Name());
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
}

void Control::CreateSystemControl(const ControlArgs& args, const char* systemClass, DWORD style,
                                  DWORD exStyle) {
    CreateControl(args, ChildParams(args, systemClass, style, exStyle));
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

base::Rect Control::Bounds() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&r), 2);
    return FromRECT(r);
}

base::Rect Control::ScreenBounds() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    return FromRECT(r);
}

void Control::SetBounds(const base::Rect& r) {
    MoveWindow(Handle(), r.left, r.top, r.Width(), r.Height(), TRUE);
}

void Control::SetFont(const Font& designed) {
    designFont_ = designed;
    font_ = OwnerForm().ScaledFont(designed);
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
}

void Control::ApplyDpi() {
    SetBounds(ScaledBounds());
    SetFont(designFont_);
}

// ---- Label ----

void Label::Create(const Args& args) {
    const Options& o = args.options;
    const DWORD style = WS_VISIBLE | (o.wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP) | o.style;
    CreateSystemControl(WithoutTabStop(args), "STATIC", style);
}

LRESULT Label::ColorMessage(UINT, HDC dc, bool& handled) {
    // Labels sit on the form's face colour; a colour of their own font wins.
    handled = true;
    SetBkMode(dc, TRANSPARENT);
    if (GetFont().Color() != base::kColorDefault && Enabled()) SetTextColor(dc, ResolveColor(GetFont().Color()));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// ---- Button ----

void Button::Create(const Args& args) {
    CreateSystemControl(args, "BUTTON", WS_VISIBLE | BS_PUSHBUTTON);
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

void CheckBox::Create(const Args& args) {
    CreateSystemControl(args, "BUTTON", WS_VISIBLE | BS_AUTOCHECKBOX);
}

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

RadioButton::~RadioButton() {
    if (group_) group_->erase(std::remove(group_->begin(), group_->end(), this), group_->end());
}

void RadioButton::Create(const Args& args) {
    for (const auto& widget : OwnerForm().Controls()) {
        const auto* other = dynamic_cast<const RadioButton*>(widget.get());
        if (other && other->groupName_ == args.options.group &&
            GetParent(other->Handle()) == args.parent) {
            group_ = other->group_;
            break;
        }
    }
    CreateSystemControl(args, "BUTTON", WS_VISIBLE | BS_AUTORADIOBUTTON | (group_ ? 0 : WS_GROUP));
    groupName_ = args.options.group;
    if (!group_) group_ = std::make_shared<Group>();
    group_->push_back(this);
}

bool RadioButton::Checked() const {
    return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void RadioButton::Command(WORD notifyCode) {
    if (notifyCode != BN_CLICKED) return;
    // A click raises OnClick only when it checks the button: clicking the
    // button that is already chosen changes nothing.
    const bool wasChecked = lastChecked_;
    for (RadioButton* radio : *group_) radio->lastChecked_ = radio->Checked();
    if (!wasChecked && Checked() && OnClick) OnClick(*this);
}

// ---- CustomEdit, Edit ----

void CustomEdit::CreateEdit(const ControlArgs& args, DWORD style) {
    CreateSystemControl(args, "EDIT", WS_VISIBLE | style, WS_EX_CLIENTEDGE);
}

void CustomEdit::Command(WORD notifyCode) {
    if (notifyCode == EN_CHANGE && OnChange) OnChange(*this);
}

void Edit::Create(const Args& args) {
    CreateEdit(args, ES_AUTOHSCROLL | args.options.style);
    rightMargin_ = args.options.rightMargin;
    ApplyMargin();
}

void Edit::ApplyDpi() {
    CustomEdit::ApplyDpi();
    ApplyMargin();  // after the font, which may reset it
}

void Edit::ApplyMargin() {
    if (rightMargin_ < 0) return;
    SendMessageA(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN,
                 MAKELPARAM(0, OwnerForm().Scale(rightMargin_)));
}

// ---- Memo ----

void Memo::Create(const Args& args) {
    CreateEdit(args, ES_MULTILINE | ES_AUTOVSCROLL | (args.options.wordWrap ? 0 : ES_AUTOHSCROLL) |
                         args.options.style);
}

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

void Bevel::Create(const Args& args) {
    CreateSystemControl(WithoutTabStop(args), "STATIC",
                        WS_VISIBLE | SS_ETCHEDHORZ);
    // The system widens an etched line by its edges; keep the designed box.
    SetBounds(ScaledBounds());
}

// ---- Image ----

Image::~Image() {
    // The picture goes before the copy it may show.
    if (Handle()) SendMessageA(Handle(), STM_SETICON, 0, 0);
}

void Image::Create(const Args& args) {
    CreateSystemControl(WithoutTabStop(args), "STATIC",
                        WS_VISIBLE | SS_ICON | SS_REALSIZEIMAGE);
}

void Image::SetIcon(HICON icon) {
    icon_ = icon;
    ShowIcon();
}

void Image::ApplyDpi() {
    Control::ApplyDpi();
    ShowIcon();
}

void Image::ShowIcon() {
    const base::Rect box = ScaledBounds();
    OwnedIcon copy = IconCopyAtSize(icon_, box.Extent());
    SendMessageA(Handle(), STM_SETICON, reinterpret_cast<WPARAM>(copy ? copy.Get() : icon_), 0);
    copy_ = std::move(copy);
    // STM_SETICON sizes the control to the icon; keep the designed box.
    SetBounds(box);
}

// ---- Panel ----

void Panel::Create(const Args& args) {
    bevel_ = args.options.bevel;
    const ControlArgs panelArgs = WithoutTabStop(args);
    CreateParams params =
        ChildParams(panelArgs, "QuilletPanel", WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
    params.systemClass = false;
    // The dialog manager steps into the panel for Tab and mnemonics.
    params.exStyle = WS_EX_CONTROLPARENT;
    params.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    CreateControl(panelArgs, params);
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

#include "ui/form.h"


#include "ui/application.h"
#include "ui/gdi.h"
#include "ui/geometry.h"
#include "ui/graphic_controls.h"
#include "ui/monitor.h"
#include "ui/placement.h"

namespace ui {

namespace {

DWORD StyleFor(BorderStyle border) {
    switch (border) {
    case BorderStyle::Single:
        return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    case BorderStyle::Dialog:
        return WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN;
    case BorderStyle::DialogNoSysMenu:
        return WS_POPUP | WS_CAPTION | DS_MODALFRAME | WS_CLIPCHILDREN;
    }
    return WS_OVERLAPPEDWINDOW;
}

DWORD ExStyleFor(BorderStyle border) {
    DWORD ex = WS_EX_CONTROLPARENT;
    if (border != BorderStyle::Single) ex |= WS_EX_DLGMODALFRAME;
    return ex;
}

}  // namespace

Form::Form(FormDesign design) : design_(std::move(design)) {
    // A font given in points has its height at the designed DPI.
    if (design_.fontPoints != 0) design_.font = FontAtPoints(design_.dpi);
    font_ = design_.font;
}

Font Form::FontAtPoints(int dpi) const {
    base::FontDescription font = design_.font.Description();
    font.height = base::PointsToHeight(design_.fontPoints, dpi);
    return Font(font);
}

Form::~Form() {
    Application::Get().UnfollowTitle(this);
    // Controls go before the form's window, the last made first (a control on
    // a panel before the panel), and the form's window goes while the dialog
    // manager still handles its messages.
    while (!controls_.empty()) controls_.pop_back();
    DestroyHandle();
}

Window::CreateParams Form::FormParams(HWND owner) const {
    CreateParams params;
    params.className = design_.className;
    params.caption = design_.followsTitle ? Application::Get().Title() : design_.caption;
    params.style = StyleFor(design_.border);
    params.exStyle = ExStyleFor(design_.border);
    int x = design_.position ? Scale(design_.position->x) : 0;
    int y = design_.position ? Scale(design_.position->y) : 0;
    if (owner && !design_.position) {
        // On its owner's monitor, at its owner's DPI, until it is placed.
        RECT o{};
        GetWindowRect(owner, &o);
        x = o.left + (o.right - o.left) / 2;
        y = o.top + (o.bottom - o.top) / 2;
    }
    const base::Size size = FramedSize();
    params.bounds = base::RectAt(x, y, size.width, size.height);
    params.parent = owner;
    // The dialog manager keeps its state in the window's extra bytes.
    params.windowExtra = DLGWINDOWEXTRA;
    params.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    return params;
}

void Form::Create(HWND owner) {
    // The DPI of the monitor the window opens on: its owner's, or the
    // system's, until the window itself says otherwise. Taken before the
    // controls are made; they start with a copy of the form's font.
    dpi_ = owner ? DpiOfWindow(owner) : ScreenPixelsPerInch();
    TakeFontAtDpi();
    // Every window of the program shows the application's icon: its class's.
    Window::CreateHandle(FormParams(owner));
    if (const int actual = DpiOfWindow(Handle()); actual != dpi_) ApplyDpi(actual, nullptr);
    if (design_.followsTitle) Application::Get().FollowTitle(this);
}

void Form::TakeFontAtDpi() {
    if (dpi_ == design_.dpi) {
        font_ = design_.font;
    } else {
        font_ = design_.fontPoints != 0
                    ? FontAtPoints(dpi_)
                    : Font(base::ScaleForDpi(design_.font.Description(), dpi_, design_.dpi));
    }
    font_.Handle();
}

Font Form::ScaledFont(const Font& designed) const {
    // The form's own font, which most controls keep, stays one GDI font.
    if (designed.Description() == design_.font.Description()) return font_;
    if (dpi_ == design_.dpi) return designed;
    return Font(base::ScaleForDpi(designed.Description(), dpi_, design_.dpi));
}

base::Size Form::FramedSize() const {
    const base::Rect client = base::RectAt(0, 0, Scale(design_.clientSize.width),
                                           Scale(design_.clientSize.height));
    return OuterRectForDpi(client, StyleFor(design_.border), ExStyleFor(design_.border), dpi_)
        .Extent();
}

base::Size Form::OuterSize() const {
    RECT outer{}, client{};
    if (!IsIconic(Handle()) && GetWindowRect(Handle(), &outer) && GetClientRect(Handle(), &client)) {
        // The frame the window has now: by a DPI change the system has
        // already drawn it at the new DPI.
        return {Scale(design_.clientSize.width) + (outer.right - outer.left) - client.right,
                Scale(design_.clientSize.height) + (outer.bottom - outer.top) - client.bottom};
    }
    return FramedSize();
}

void Form::SetClientSize(base::Size designed) {
    design_.clientSize = designed;
    const base::Size size = OuterSize();
    SetWindowPos(Handle(), nullptr, 0, 0, size.width, size.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::ApplyDpi(int dpi, const base::Rect* suggested) {
    dpi_ = dpi;
    TakeFontAtDpi();
    for (const auto& control : controls_) control->ApplyDpi();
    // The suggested rectangle scales the whole window, frame and rounding
    // included; the client area keeps its design.
    const base::Size size = OuterSize();
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (!suggested) flags |= SWP_NOMOVE;
    SetWindowPos(Handle(), nullptr, suggested ? suggested->left : 0, suggested ? suggested->top : 0,
                 size.width, size.height, flags);
    InvalidateRect(Handle(), nullptr, TRUE);
}

Form* Form::FromHandle(HWND hwnd) { return dynamic_cast<Form*>(Window::FromHandle(hwnd)); }

LRESULT Form::ClassDefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefDlgProcA(Handle(), msg, wParam, lParam);
}

LRESULT Form::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandleContainerMessage(msg, wParam, lParam, result)) return result;
    switch (msg) {
    case WM_NCCREATE:
        EnableNonClientScaling(Handle());
        break;
    case kWmDpiChanged: {
        const base::Rect suggested = FromRECT(*reinterpret_cast<const RECT*>(lParam));
        ApplyDpi(HIWORD(wParam), &suggested);
        return 0;
    }
    case WM_COMMAND:
        HandleCommand(wParam);
        return 0;
    case WM_PAINT:
        if (!GraphicChildren().empty()) {
            PaintScope paint(Handle());
            PaintGraphicChildren(paint.DC(), paint.Update());
            return 0;
        }
        break;
    case WM_PRINTCLIENT:
        PrintClient(reinterpret_cast<HDC>(wParam), lParam);
        return 0;
    case WM_CLOSE:
        // The dialog manager would turn this into IDCANCEL; closing is our own.
        Close();
        return 0;
    case WM_DESTROY:
        if (Application::Get().MainForm() == this) PostQuitMessage(0);
        break;
    default:
        break;
    }
    return DefaultProc(msg, wParam, lParam);
}

void Form::HandleCommand(WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDCANCEL:  // Escape, from the dialog manager
        if (Button* cancel = CancelButton()) cancel->Click();
        break;
    case IDOK:  // Enter with no default button: a focused button is pressed all the same
        if (auto* button = dynamic_cast<Button*>(Control::FromHandle(GetFocus()))) {
            if (GetAncestor(button->Handle(), GA_ROOT) == Handle()) button->Click();
        }
        break;
    default:
        break;
    }
}

std::string Form::Caption() const { return Text(); }

void Form::SetCaption(const std::string& caption) { SetText(caption); }

base::Rect Form::BoundsRect() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    return FromRECT(r);
}

void Form::SetPosition(base::Point topLeft) {
    SetWindowPos(Handle(), nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Form::Width() const { return BoundsRect().Width(); }

int Form::Height() const { return BoundsRect().Height(); }

Widget* Form::FindControl(const std::string& name) const {
    for (const auto& control : controls_) {
        if (control->Name() == name) return control.get();
    }
    return nullptr;
}

void Form::SetDefaultButton(Button* button) {
    if (default_) default_->SetDefault(false);
    default_ = button;
    if (button) {
        button->SetDefault(true);
        SendMessageA(Handle(), DM_SETDEFID, static_cast<WPARAM>(GetDlgCtrlID(button->Handle())), 0);
    }
}

Button* Form::CancelButton() const {
    for (const auto& control : controls_) {
        if (auto* button = dynamic_cast<Button*>(control.get()); button && button->Cancel()) {
            return button;
        }
    }
    return nullptr;
}

void Form::Show() {
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
}

void Form::Hide() { ShowWindow(Handle(), SW_HIDE); }

int Form::ShowModal() {
    // Every other window of the program takes no input while this one is up.
    std::vector<HWND> disabled;
    struct Collect {
        HWND self;
        std::vector<HWND>* list;
    } collect{Handle(), &disabled};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM param) WINAPI -> BOOL {
            auto* c = reinterpret_cast<Collect*>(param);
            if (hwnd != c->self && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
                c->list->push_back(hwnd);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&collect));
    for (HWND hwnd : disabled) EnableWindow(hwnd, FALSE);

    modal_ = true;
    ModalResult = mrNone;
    Show();
    SetForegroundWindow(Handle());
    Application& app = Application::Get();
    while (ModalResult == mrNone) {
        if (!app.HandleMessage()) {
            ModalResult = mrCancel;  // the program is ending
            break;
        }
    }
    modal_ = false;
    // Enable the others before hiding, so that activation returns to them.
    for (HWND hwnd : disabled) {
        if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
    }
    Hide();
    return ModalResult;
}

void Form::Close() {
    if (OnClose) OnClose(*this);
    if (modal_) {
        if (ModalResult == mrNone) ModalResult = mrCancel;
    } else if (Application::Get().MainForm() == this) {
        DestroyWindow(Handle());
    } else {
        Hide();
    }
}

void CenterOverForm(const Form& owner, Form& dialog) {
    const base::Rect o = owner.BoundsRect();
    // The rule reads the owner's monitor as a screen of its own.
    const base::Rect area = WorkAreaOf(owner.Handle());
    const int left =
        area.left + CenterOverAxis(o.left - area.left, o.Width(), dialog.Width(), area.Width());
    const int top =
        area.top + CenterOverAxis(o.top - area.top, o.Height(), dialog.Height(), area.Height());
    dialog.SetPosition({left, top});
}

}  // namespace ui

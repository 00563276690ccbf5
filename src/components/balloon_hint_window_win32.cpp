// The hint window of an active controller, and the application object as
// the controller sees it.
#include "components/balloon_win32.h"

#include "components/balloon_hook_win32.h"
#include "components/balloon_region_win32.h"
#include "components/balloon_status_font_win32.h"
#include "ui/dpi.h"
#include "ui/font.h"
#include "ui/geometry.h"
#include "ui/monitor.h"

namespace quillet {
namespace {

bool AnyMouseButtonDown() {
    for (int button : {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON})
        if (GetKeyState(button) & 0x8000) return true;
    return false;
}

class Win32BalloonApplication : public BalloonApplication {
public:
    int ScreenWidth() override { return GetSystemMetrics(SM_CXSCREEN); }
    base::TColor HintColor() override { return ui::Application::Get().HintColor; }
    // The application object lives on after the last window and component.
    bool Terminating() override { return false; }
    bool ShowHint() override { return ui::Application::Get().ShowHint(); }
    void SetShowHint(bool on) override { ui::Application::Get().SetShowHint(on); }
    void UseBalloonHintWindows(bool balloons) override {
        ui::HintWindowClass balloonClass = [] { return std::make_unique<TBalloonHintWindow>(); };
        ui::Application::Get().SetHintWindowClass(balloons ? balloonClass : nullptr);
    }
};

// The settings of a balloon window made while no controller exists.
const TBalloonBase& InitialSettings() {
    static TBalloonBase settings(BalloonApp());
    return settings;
}

}  // namespace

BalloonApplication& BalloonApp() {
    static Win32BalloonApplication application;
    return application;
}

TBalloonHintWindow::TBalloonHintWindow()
    : TBalloonWindow(CurrentBalloonHint() ? static_cast<const TBalloonBase&>(*CurrentBalloonHint())
                                          : InitialSettings(),
                     "TBalloonHintWindow") {}

TBalloonHintWindow::~TBalloonHintWindow() {
    // Destroyed here, while this class still handles the window's messages.
    DestroyHandle();
    UnwatchBalloon(this);
}

bool TBalloonHintWindow::Watched() const { return WatchedBalloon() == this; }

base::Rect TBalloonHintWindow::CalcHintRect(int, const std::string&) { return {}; }

void TBalloonHintWindow::UseSystemStatusFont() {
    const auto description = SystemStatusFont(dpi_);
    if (!description) return;
    TakeCanvasFont(ui::Font(*description));
}

void TBalloonHintWindow::ChooseFontAndColors() {
    const TBalloonBase& s = Settings();
    switch (s.Style()) {
    case hsDefault:
        UseCanvasFont(BalloonDefaultHintFont(dpi_));
        SetFontColor(base::clWindowText);
        fillColor_ = ui::Application::Get().HintColor;
        frameColor_ = base::clWindowFrame;
        break;
    case hsCustom: {
        // Designed in pixels at 96 DPI, as the forms' fonts are.
        TakeCanvasFont(ui::Font(base::ScaleForDpi(s.Font(), dpi_)));
        SetFontColor(s.Font().color);
        fillColor_ = s.Color();
        frameColor_ = s.BorderColor();
        break;
    }
    case hsSystem:
        UseSystemStatusFont();
        SetFontColor(GetSysColor(COLOR_INFOTEXT));
        fillColor_ = GetSysColor(COLOR_INFOBK);
        frameColor_ = base::clWindowFrame;
        break;
    }
}

void TBalloonHintWindow::ActivateHint(base::Rect, const std::string& hint, ui::Widget*) {
    const TBalloonBase& s = Settings();
    if (s.Behavior().Contains(bbNoShowMouseDown) && AnyMouseButtonDown()) {
        // The application may destroy this window here: nothing of it is
        // used afterwards.
        ui::Application::Get().CancelHint();
        return;
    }
    if (!Handle()) {
        EnsureHandle();
    } else if (IsWindowVisible(Handle())) {
        // Shown again: hidden first, so that what lies beneath can be read.
        ShowWindow(Handle(), SW_HIDE);
    }
    // Measured once, with the font of this showing at the DPI of the monitor
    // under the pointer; the window takes its size and place in one move.
    POINT cursor{};
    GetCursorPos(&cursor);
    const base::Point pointer = ui::FromPOINT(cursor);
    dpi_ = ui::DpiAtPoint(pointer);
    StoreCaption(hint);
    ChooseFontAndColors();
    UpdateSize(false);

    const BalloonPlacement placed =
        PlaceBalloon(Size(), pointer, s.Position(), ui::WorkAreaAt(pointer));
    position_ = placed.position;
    const base::Rect& r = placed.rect;
    CaptureScreenUnder(r);

    // Shaped before it shows, so that it never appears as a rectangle.
    if (s.Behavior().Contains(bbUseRegions)) {
        ui::GdiObject<HRGN> region = CreateWindowRgn();
        // The system owns the region once the window has it.
        if (SetWindowRgn(Handle(), region.Get(), FALSE)) region.Release();
    } else {
        SetWindowRgn(Handle(), nullptr, FALSE);
    }
    SetWindowPos(Handle(), HWND_TOPMOST, r.left, r.top, r.Width(), r.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    // Painted at once: where windows are composed, an unpainted one is black.
    UpdateWindow(Handle());
    // Watched from the moment it shows.
    if (!s.Behavior().Contains(bbUseRegions)) WatchBalloon(this);
}

LRESULT TBalloonHintWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = TBalloonWindow::WndProc(msg, wParam, lParam);
    switch (msg) {
    case WM_SHOWWINDOW:
        if (!wParam) UnwatchBalloon(this);
        break;
    case WM_WINDOWPOSCHANGED:
        // Hidden by SetWindowPos, which sends no WM_SHOWWINDOW.
        if (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_HIDEWINDOW) UnwatchBalloon(this);
        break;
    case WM_DESTROY:
        // A top-level window is destroyed without WM_SHOWWINDOW: no hook may
        // outlive the window it watches.
        UnwatchBalloon(this);
        break;
    default:
        break;
    }
    return result;
}

}  // namespace quillet

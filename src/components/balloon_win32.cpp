#include "components/balloon_win32.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "ui/error.h"
#include "ui/font.h"
#include "ui/message_hook.h"

namespace quillet {

namespace {

// Keeps the destination only where the pattern is white (P & D).
constexpr DWORD kPatAnd = 0x00A000C9;

// ---- the unit's drawing objects -----------------------------------------

struct UnitObjects {
    ui::GdiObject defaultFont;
    ui::GdiObject shadowPattern;
    ui::GdiObject shadowBrush;  // the pattern as a brush, made with it
};

// Freed by the static's destructor when the program ends.
UnitObjects& Unit() {
    static UnitObjects unit;
    return unit;
}

HBRUSH ShadowBrush() {
    InitBalloonUnit();
    return static_cast<HBRUSH>(Unit().shadowBrush.Get());
}

ui::GdiObject MakeShadowPattern() {
    HDC screen = GetDC(nullptr);
    ui::GdiObject pattern(CreateCompatibleBitmap(screen, 8, 8));
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    if (pattern && dc) {
        ui::SelectGuard select(dc, pattern.Get());
        PatBlt(dc, 0, 0, 8, 8, WHITENESS);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                if ((x + y) % 2 == 0) SetPixel(dc, x, y, RGB(0, 0, 0));
    }
    if (dc) DeleteDC(dc);
    return pattern;
}

// ---- fonts --------------------------------------------------------------

LOGFONTA LogFontOf(const FontDescription& d) {
    LOGFONTA lf{};
    lf.lfHeight = d.height;
    lf.lfWidth = d.width;
    lf.lfEscapement = d.escapement;
    lf.lfOrientation = d.orientation;
    lf.lfWeight = d.weight;
    lf.lfItalic = d.italic;
    lf.lfUnderline = d.underline;
    lf.lfStrikeOut = d.strikeOut;
    lf.lfCharSet = d.charSet;
    lf.lfOutPrecision = d.outPrecision;
    lf.lfClipPrecision = d.clipPrecision;
    lf.lfQuality = d.quality;
    lf.lfPitchAndFamily = d.pitchAndFamily;
    lstrcpynA(lf.lfFaceName, d.faceName.c_str(), LF_FACESIZE);
    return lf;
}

std::string ToAnsi(const std::u16string& wide) {
    if (wide.empty()) return {};
    const auto* w = reinterpret_cast<const wchar_t*>(wide.data());
    const int n = static_cast<int>(wide.size());
    const int size = WideCharToMultiByte(CP_ACP, 0, w, n, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) WideCharToMultiByte(CP_ACP, 0, w, n, ansi.data(), size, nullptr, nullptr);
    return ansi;
}

// The bytes of the status-bar font value; nothing when unreadable.
std::optional<std::vector<std::uint8_t>> ReadStatusFontValue() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop\\WindowMetrics", 0,
                      KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    std::optional<std::vector<std::uint8_t>> value;
    DWORD size = 0;
    if (RegQueryValueExA(key, "StatusFont", nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS) {
        std::vector<std::uint8_t> bytes(size);
        if (RegQueryValueExA(key, "StatusFont", nullptr, nullptr, bytes.data(), &size) ==
            ERROR_SUCCESS) {
            bytes.resize(size);
            value = std::move(bytes);
        }
    }
    RegCloseKey(key);
    return value;
}

// ---- regions ------------------------------------------------------------

ui::GdiObject Checked(HGDIOBJ object) {
    if (!object) throw ui::Error("Out of system resources");
    return ui::GdiObject(object);
}

HRGN Rgn(const ui::GdiObject& region) { return static_cast<HRGN>(region.Get()); }

ui::GdiObject RegionOf(const BalloonOutline& o) {
    const BalloonRect& b = o.body;
    ui::GdiObject body = Checked(
        o.rounded ? CreateRoundRectRgn(b.left, b.top, b.right, b.bottom, kBalloonCornerDiameter,
                                       kBalloonCornerDiameter)
                  : CreateRectRgn(b.left, b.top, b.right, b.bottom));
    POINT points[3];
    for (int i = 0; i < 3; ++i) points[i] = {o.pointer[i].x, o.pointer[i].y};
    ui::GdiObject pointer = Checked(CreatePolygonRgn(points, 3, ALTERNATE));
    ui::GdiObject both = Checked(CreateRectRgn(0, 0, 0, 0));
    CombineRgn(Rgn(both), Rgn(body), Rgn(pointer), RGN_OR);
    return both;
}

ui::GdiObject UnionOf(const std::vector<BalloonOutline>& outlines) {
    ui::GdiObject all = Checked(CreateRectRgn(0, 0, 0, 0));
    for (const BalloonOutline& o : outlines) {
        const ui::GdiObject part = RegionOf(o);
        CombineRgn(Rgn(all), Rgn(all), Rgn(part), RGN_OR);
    }
    return all;
}

// ---- the message hook of balloons without a region ----------------------

// At most one hook, and only while the balloon it watches is shown.
struct BalloonHook {
    std::unique_ptr<ui::MessageHook> hook;
    TBalloonHintWindow* watched = nullptr;
    bool firstMouseMoveSeen = false;
};

BalloonHook& Hook() {
    static BalloonHook hook;
    return hook;
}

void BalloonHookProc(const MSG& msg, bool removed);

void Watch(TBalloonHintWindow* balloon) {
    BalloonHook& h = Hook();
    if (!h.hook) h.hook = std::make_unique<ui::MessageHook>(&BalloonHookProc);
    h.watched = balloon;
    h.firstMouseMoveSeen = false;
}

void Unwatch(const TBalloonHintWindow* balloon) {
    BalloonHook& h = Hook();
    if (h.watched != balloon) return;  // another balloon is watched now
    h.watched = nullptr;
    h.hook.reset();
}

bool RepaintMeets(HWND window, HWND balloon) {
    RECT update;
    if (!GetUpdateRect(window, &update, FALSE)) return false;
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&update), 2);
    RECT shown, common;
    GetWindowRect(balloon, &shown);
    return IntersectRect(&common, &update, &shown) != FALSE;
}

// A captureless function: cancelling destroys the watched window, and with
// it the hook owner whose callback this is, so nothing of either is used
// after the cancel.
void BalloonHookProc(const MSG& msg, bool removed) {
    BalloonHook& h = Hook();
    // A message only peeked at is seen again when it is taken.
    if (!removed || !h.watched) return;
    HWND balloon = h.watched->Handle();
    switch (BalloonHookActionFor(msg.message, h.firstMouseMoveSeen, msg.hwnd == balloon,
                                 h.watched->Settings().Behavior())) {
    case BalloonHookAction::None:
        return;
    case BalloonHookAction::NoteFirstMouseMove:
        h.firstMouseMoveSeen = true;
        return;
    case BalloonHookAction::CancelIfRepaintMeetsBalloon:
        if (!RepaintMeets(msg.hwnd, balloon)) return;
        break;
    case BalloonHookAction::CancelHint:
        break;
    }
    ui::Application::Get().CancelHint();
    // A balloon that the application does not show itself goes all the same.
    if (IsWindow(balloon) && IsWindowVisible(balloon)) ShowWindow(balloon, SW_HIDE);
}

bool AnyMouseButtonDown() {
    for (int button : {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON})
        if (GetKeyState(button) & 0x8000) return true;
    return false;
}

// ---- the application object ----------------------------------------------

class Win32BalloonApplication : public BalloonApplication {
public:
    int ScreenWidth() override { return GetSystemMetrics(SM_CXSCREEN); }
    TColor HintColor() override { return ui::Application::Get().HintColor; }
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

void InitBalloonUnit() {
    UnitObjects& unit = Unit();
    if (!unit.defaultFont) {
        unit.defaultFont.Reset(CreateFontA(-MulDiv(8, ui::ScreenPixelsPerInch(), 72), 0, 0, 0,
                                           FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                           "MS Sans Serif"));
    }
    if (!unit.shadowPattern) {
        unit.shadowPattern = MakeShadowPattern();
        unit.shadowBrush.Reset(CreatePatternBrush(static_cast<HBITMAP>(unit.shadowPattern.Get())));
    }
}

HFONT BalloonDefaultHintFont() {
    InitBalloonUnit();
    return static_cast<HFONT>(Unit().defaultFont.Get());
}

HBITMAP BalloonShadowPattern() {
    InitBalloonUnit();
    return static_cast<HBITMAP>(Unit().shadowPattern.Get());
}

BalloonApplication& BalloonApp() {
    static Win32BalloonApplication application;
    return application;
}

// ---- TBalloonWindow --------------------------------------------------------

TBalloonWindow::TBalloonWindow(const TBalloonBase& settings)
    : settings_(settings), font_(BalloonDefaultHintFont()) {}

TBalloonWindow::~TBalloonWindow() { DestroyHandle(); }

void TBalloonWindow::GetCreateParams(CreateParams& params) {
    ui::HintWindow::GetCreateParams(params);
    params.className = "TBalloonWindow";
    // No border: the balloon frames itself.
    params.style = WS_POPUP | WS_DISABLED;
}

void TBalloonWindow::SetCaption(const std::string& text) {
    StoreCaption(text);
    UpdateSize();
}

void TBalloonWindow::StoreCaption(const std::string& text) {
    text_ = text;
    if (Handle()) SetWindowTextA(Handle(), text_.c_str());
}

void TBalloonWindow::UseCanvasFont(HFONT font) {
    font_ = font;
    ownFont_.Reset();
}

void TBalloonWindow::TakeCanvasFont(ui::GdiObject font) {
    if (!font) return;
    font_ = static_cast<HFONT>(font.Get());
    ownFont_ = std::move(font);
}

void TBalloonWindow::UpdateSize(bool resizeWindow) {
    shadowDepth_ = settings_.ShadowDepth();
    shadowStyle_ = settings_.ShadowStyle();
    shape_ = settings_.Shape();
    POINT pointer{};
    GetCursorPos(&pointer);
    // A memory DC measures as the screen does, without taking a screen DC.
    HDC dc = CreateCompatibleDC(nullptr);
    {
        ui::SelectGuard font(dc, font_);
        size_ = MeasureBalloon(text_, {pointer.x, pointer.y}, GetSystemMetrics(SM_CXSCREEN),
                               settings_.MaxWidthPixels(), shadowDepth_,
                               [dc](const std::string& text, int wrapWidth) {
                                   RECT r{0, 0, wrapWidth, 0};
                                   DrawTextA(dc, text.data(), static_cast<int>(text.size()), &r,
                                             DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
                                   return BalloonSize{r.right - r.left, r.bottom - r.top};
                               });
    }
    DeleteDC(dc);
    if (resizeWindow && Handle()) {
        SetWindowPos(Handle(), nullptr, 0, 0, size_.width, size_.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

BalloonGeometry TBalloonWindow::GetBalloonGeometry() const {
    return quillet::GetBalloonGeometry(size_, shadowDepth_, position_);
}

ui::GdiObject TBalloonWindow::CreateBalloonRgn(int offset) const {
    return RegionOf(OutlineAt(GetBalloonGeometry(), shape_, offset));
}

ui::GdiObject TBalloonWindow::CreateWindowRgn() const {
    return UnionOf(BalloonAndShadowOutlines(GetBalloonGeometry(), shape_));
}

void TBalloonWindow::DrawBalloon(HDC dc, int offset, TColor fill, TColor frame) const {
    const ui::GdiObject region = CreateBalloonRgn(offset);
    const ui::GdiObject fillBrush = Checked(CreateSolidBrush(ui::ResolveColor(fill)));
    const ui::GdiObject frameBrush = Checked(CreateSolidBrush(ui::ResolveColor(frame)));
    FillRgn(dc, Rgn(region), static_cast<HBRUSH>(fillBrush.Get()));
    FrameRgn(dc, Rgn(region), static_cast<HBRUSH>(frameBrush.Get()), 1, 1);
}

void TBalloonWindow::Compose(HDC under, HDC target) const {
    const int w = size_.width, h = size_.height;
    if (w <= 0 || h <= 0) return;
    const BalloonGeometry g = GetBalloonGeometry();
    ui::MemoryImage picture(w, h);
    HDC pic = picture.DC();
    BitBlt(pic, 0, 0, w, h, under, 0, 0, SRCCOPY);

    const int sd = g.shadowDepth;
    if (sd > 0 && shadowStyle_ == ssShaded) {
        // Every other background pixel blackened, inside the balloon and its
        // shadow only: the pattern darkens a copy, the mask whitens that copy
        // outside both shapes, and the picture keeps the darker of the two.
        ui::MemoryImage work(w, h), mask(w, h);
        BitBlt(work.DC(), 0, 0, w, h, pic, 0, 0, SRCCOPY);
        SetBrushOrgEx(work.DC(), 0, 0, nullptr);
        {
            ui::SelectGuard brush(work.DC(), ShadowBrush());
            PatBlt(work.DC(), 0, 0, w, h, kPatAnd);
        }
        // Both shapes black, fill and frame, on white: the window's shape.
        PatBlt(mask.DC(), 0, 0, w, h, WHITENESS);
        FillRgn(mask.DC(), Rgn(CreateWindowRgn()), static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        BitBlt(work.DC(), 0, 0, w, h, mask.DC(), 0, 0, SRCPAINT);
        BitBlt(pic, 0, 0, w, h, work.DC(), 0, 0, SRCAND);
    } else if (sd > 0) {
        DrawBalloon(pic, sd, clBlack, clBlack);
    }
    DrawBalloon(pic, 0, fillColor_, frameColor_);

    {
        ui::SelectGuard font(pic, font_);
        SetBkMode(pic, TRANSPARENT);
        SetTextColor(pic, ui::ResolveColor(fontColor_));
        RECT text{g.text.left, g.text.top, g.text.right, g.text.bottom};
        DrawTextA(pic, text_.data(), static_cast<int>(text_.size()), &text,
                  DT_WORDBREAK | DT_NOPREFIX);
    }
    BitBlt(target, 0, 0, w, h, pic, 0, 0, SRCCOPY);
}

void TBalloonWindow::CaptureScreenUnder(const RECT& rect) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0) return;
    if (!under_ || under_->Width() != w || under_->Height() != h)
        under_ = std::make_unique<ui::MemoryImage>(w, h);
    HDC screen = GetDC(nullptr);
    BitBlt(under_->DC(), 0, 0, w, h, screen, rect.left, rect.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
}

void TBalloonWindow::Paint(HDC dc) {
    // Where the screen was not captured, the window's own pixels stand in.
    Compose(under_ ? under_->DC() : dc, dc);
}

// ---- TBalloonHintWindow ------------------------------------------------------

TBalloonHintWindow::TBalloonHintWindow()
    : TBalloonWindow(CurrentBalloonHint() ? static_cast<const TBalloonBase&>(*CurrentBalloonHint())
                                          : InitialSettings()) {}

TBalloonHintWindow::~TBalloonHintWindow() {
    // Destroyed here, while this class still handles the window's messages.
    DestroyHandle();
    Unwatch(this);
}

void TBalloonHintWindow::GetCreateParams(CreateParams& params) {
    TBalloonWindow::GetCreateParams(params);
    params.className = "TBalloonHintWindow";
}

bool TBalloonHintWindow::Watched() const { return Hook().watched == this; }

RECT TBalloonHintWindow::CalcHintRect(int, const std::string&) { return RECT{0, 0, 0, 0}; }

void TBalloonHintWindow::UseSystemStatusFont() {
    const auto value = ReadStatusFontValue();
    if (!value) return;
    const auto description = StatusFontFromValue(*value, ui::ScreenPixelsPerInch(), ToAnsi);
    if (!description) return;
    const LOGFONTA lf = LogFontOf(*description);
    TakeCanvasFont(ui::GdiObject(CreateFontIndirectA(&lf)));
}

void TBalloonHintWindow::ChooseFontAndColors() {
    const TBalloonBase& s = Settings();
    switch (s.Style()) {
    case hsDefault:
        UseCanvasFont(BalloonDefaultHintFont());
        SetFontColor(clWindowText);
        fillColor_ = ui::Application::Get().HintColor;
        frameColor_ = clWindowFrame;
        break;
    case hsCustom: {
        const LOGFONTA lf = LogFontOf(s.Font().logFont);
        TakeCanvasFont(ui::GdiObject(CreateFontIndirectA(&lf)));
        SetFontColor(s.Font().color);
        fillColor_ = s.Color();
        frameColor_ = s.BorderColor();
        break;
    }
    case hsSystem:
        UseSystemStatusFont();
        SetFontColor(GetSysColor(COLOR_INFOTEXT));
        fillColor_ = GetSysColor(COLOR_INFOBK);
        frameColor_ = clWindowFrame;
        break;
    }
}

void TBalloonHintWindow::ActivateHint(RECT, const std::string& hint, ui::Widget*) {
    const TBalloonBase& s = Settings();
    if (s.Behavior().Contains(bbNoShowMouseDown) && AnyMouseButtonDown()) {
        // The application may destroy this window here: nothing of it is
        // used afterwards.
        ui::Application::Get().CancelHint();
        return;
    }
    if (!Handle()) {
        CreateHandle();
    } else if (IsWindowVisible(Handle())) {
        // Shown again: hidden first, so that what lies beneath can be read.
        ShowWindow(Handle(), SW_HIDE);
    }
    // Measured once, with the font of this showing; the window takes its
    // size and place in one move.
    StoreCaption(hint);
    ChooseFontAndColors();
    UpdateSize(false);

    POINT pointer{};
    GetCursorPos(&pointer);
    const BalloonPlacement placed =
        PlaceBalloon(Size(), {pointer.x, pointer.y}, s.Position(),
                     {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    position_ = placed.position;
    const RECT r{placed.rect.left, placed.rect.top, placed.rect.right, placed.rect.bottom};
    CaptureScreenUnder(r);

    // Shaped before it shows, so that it never appears as a rectangle.
    if (s.Behavior().Contains(bbUseRegions)) {
        ui::GdiObject region = CreateWindowRgn();
        // The system owns the region once the window has it.
        if (SetWindowRgn(Handle(), Rgn(region), FALSE)) region.Release();
    } else {
        SetWindowRgn(Handle(), nullptr, FALSE);
    }
    SetWindowPos(Handle(), HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    // Painted at once: where windows are composed, an unpainted one is black.
    UpdateWindow(Handle());
    // Watched from the moment it shows.
    if (!s.Behavior().Contains(bbUseRegions)) Watch(this);
}

LRESULT TBalloonHintWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = TBalloonWindow::WndProc(msg, wParam, lParam);
    switch (msg) {
    case WM_SHOWWINDOW:
        if (!wParam) Unwatch(this);
        break;
    case WM_WINDOWPOSCHANGED:
        // Hidden by SetWindowPos, which sends no WM_SHOWWINDOW.
        if (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_HIDEWINDOW) Unwatch(this);
        break;
    case WM_DESTROY:
        // A top-level window is destroyed without WM_SHOWWINDOW: no hook may
        // outlive the window it watches.
        Unwatch(this);
        break;
    default:
        break;
    }
    return result;
}

}  // namespace quillet

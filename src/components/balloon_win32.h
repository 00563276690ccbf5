// Balloon hints on Win32: the balloon window (size, shape and paint), the
// hint window that the application makes from it while a TBalloonHint is
// active, the application object as the controller sees it, and the unit's
// process-wide drawing objects.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "base/geometry.h"
#include "components/balloon_hint.h"
#include "ui/application.h"
#include "ui/font.h"
#include "ui/gdi.h"

namespace quillet {

// Makes the unit's default hint font ("MS Sans Serif" 8 pt at the system
// DPI), then its 8 x 8 shadow pattern (white, black where x + y is even).
// Called once at start-up, before any window exists; both live until the
// program ends, as does the default font made for any other DPI.
void InitBalloonUnit();
HFONT BalloonDefaultHintFont(int dpi = ui::ScreenPixelsPerInch());
HBITMAP BalloonShadowPattern();
// The shadow pattern as a brush, made with it.
HBRUSH BalloonShadowBrush();

// The application object as the controller sees it: hint windows become
// TBalloonHintWindow or the toolkit's plain ones.
BalloonApplication& BalloonApp();

// A balloon: its size from the caption, its place at the pointer, its region
// and its paint. It shows the pixels that lay under it before it appeared
// wherever the balloon and its shadow leave room.
class TBalloonWindow : public ui::HintWindow {
public:
    explicit TBalloonWindow(const TBalloonBase& settings, const char* className = "TBalloonWindow");
    ~TBalloonWindow() override;

    const TBalloonBase& Settings() const { return settings_; }
    const std::string& Caption() const { return text_; }
    // Stores the text and resizes the window for it.
    void SetCaption(const std::string& text);
    base::Size Size() const { return size_; }
    base::TColor FillColor() const { return fillColor_; }
    // The font the text is measured and drawn with, and its colour.
    HFONT CanvasFont() const { return font_; }
    // The DPI of this showing: of the monitor under the pointer when shown
    // as a hint, else the system's.
    int Dpi() const { return dpi_; }
    base::TColor FontColor() const { return fontColor_; }

    BalloonGeometry GetBalloonGeometry() const;
    // The balloon's region moved by (offset, offset); the caller owns it.
    ui::GdiObject<HRGN> CreateBalloonRgn(int offset) const;
    // The balloon united with its shadow: the window's shape.
    ui::GdiObject<HRGN> CreateWindowRgn() const;
    // The whole picture of the window, composed over `under` (window-sized,
    // the pixels beneath the window) and copied once into `target`.
    void Compose(HDC under, HDC target) const;

protected:
    static CreateParams BalloonParams(const char* className);
    void Paint(HDC dc) override;
    // Measures the caption with the canvas font at the pointer's place and
    // the window's DPI, and takes the settings' shadow and shape for this
    // showing; resizes the window unless the caller moves and sizes it at
    // once.
    void UpdateSize(bool resizeWindow = true);
    // The caption without resizing.
    void StoreCaption(const std::string& text);
    // Fills the balloon shape at `offset` and frames it one pixel wide.
    void DrawBalloon(HDC dc, int offset, base::TColor fill, base::TColor frame) const;
    // A font the window does not own (the unit's default hint font).
    void UseCanvasFont(HFONT font);
    // A font the window keeps from now on; one that cannot be made keeps the
    // current font.
    void TakeCanvasFont(const ui::Font& font);
    void SetFontColor(base::TColor color) { fontColor_ = color; }
    // Keeps the screen pixels of `rect` (screen coordinates) for the paint.
    void CaptureScreenUnder(const base::Rect& rect);

    TBalloonPosition position_ = bpAboveRight;
    int dpi_ = ui::ScreenPixelsPerInch();
    base::TColor fillColor_ = base::clInfoBk;
    base::TColor frameColor_ = base::clWindowFrame;

private:
    const TBalloonBase& settings_;
    base::Size size_;
    int shadowDepth_ = 0;
    TBalloonShadowStyle shadowStyle_ = ssShaded;
    TBalloonShape shape_ = bsRoundRect;
    HFONT font_;
    ui::Font ownFont_;
    base::TColor fontColor_ = base::clWindowText;
    std::unique_ptr<ui::MemoryImage> under_;
};

// The window the application shows hints in while a controller is active:
// it reads the settings of the current controller at every showing, places
// itself at the pointer, and is shaped by a region or watched by a message
// hook that hides it once the screen under it may have changed.
class TBalloonHintWindow final : public TBalloonWindow {
public:
    // Takes the current controller's settings (a controller's initial ones
    // when none exists).
    TBalloonHintWindow();
    ~TBalloonHintWindow() override;

    // The balloon measures itself when shown.
    base::Rect CalcHintRect(int maxWidth, const std::string& hint) override;
    // Shows `hint` at the pointer; `rect` is not used.
    void ActivateHint(base::Rect rect, const std::string& hint, ui::Widget* control) override;

    // Whether this window is the one the message hook watches.
    bool Watched() const;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void ChooseFontAndColors();
    void UseSystemStatusFont();
};

}  // namespace quillet

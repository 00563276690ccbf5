// A logical font: face, height, style and colour, with what rotated and
// pixel-exact text needs (escapement, output precision, quality, pitch and
// family). The GDI font is made on demand and shared by copies.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ui/color.h"

namespace ui {

// Colour meaning "whatever the control normally uses".
inline constexpr TColor kColorDefault = 0xFF000000;

// Pixels per logical inch of the screen (96 unless the system says otherwise).
int ScreenPixelsPerInch();

enum FontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

class Font {
public:
    Font() = default;
    // `height` follows LOGFONT: negative for a character height in pixels.
    // "Fixedsys" asks for a fixed-pitch face as well, "Helv", "MS Sans Serif"
    // and "Small" for a sans-serif one, in case the named face is missing.
    Font(std::string name, int height, unsigned style = 0, TColor color = kColorDefault);

    const std::string& Name() const { return name_; }
    int Height() const { return height_; }
    unsigned Style() const { return style_; }
    TColor Color() const { return color_; }
    // Point size at the screen's resolution, rounded the usual way.
    int Size() const;
    int Escapement() const { return escapement_; }

    // Copies with one aspect changed.
    Font WithColor(TColor color) const;
    // Tenths of a degree, counter-clockwise; the characters turn with the line.
    Font WithEscapement(int tenths) const;
    Font WithOutPrecision(BYTE precision) const;
    Font WithQuality(BYTE quality) const;
    // The kind of face to fall back on when the named one is missing
    // (FIXED_PITCH | FF_MODERN for a fixed face, VARIABLE_PITCH | FF_SWISS ...).
    Font WithPitchAndFamily(BYTE pitchAndFamily) const;

    LOGFONTA LogFont() const;
    // The GDI font; shared by copies and released with the last of them.
    HFONT Handle() const;

private:
    Font Changed() const;

    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    unsigned style_ = 0;
    TColor color_ = kColorDefault;
    int escapement_ = 0;
    BYTE outPrecision_ = OUT_DEFAULT_PRECIS;
    BYTE quality_ = DEFAULT_QUALITY;
    BYTE pitchAndFamily_ = DEFAULT_PITCH | FF_DONTCARE;
    mutable std::shared_ptr<std::remove_pointer_t<HFONT>> handle_;
};

}  // namespace ui

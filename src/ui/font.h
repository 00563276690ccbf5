// The GDI side of a font: a description (base/font.h) and the GDI font made
// from it on demand and shared by copies, with what rotated and pixel-exact
// text needs (escapement, output precision, quality, pitch and family).
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "base/font.h"

namespace ui {

// Pixels per logical inch of the screen: the system DPI (96 unless the
// system says otherwise). A window's own is in ui/dpi.h.
int ScreenPixelsPerInch();

// The LOGFONT of a description, field for field.
LOGFONTA LogFontOf(const base::FontDescription& description);

// The face a font of `name` at `height` (LOGFONT's) is made in on a system
// of `systemDpi`. The bitmap faces of the old Windows ("Helv", which Windows
// maps to "MS Sans Serif"; "MS Sans Serif"; "Fixedsys"; "Small Fonts") come
// in a few sizes, of a set made for the system's DPI; at a height they have
// no size for, which is where a scaled design lands, Windows would draw a
// nearby or a doubled size, not the text that was measured. There the font
// is made in the face's outline stand-in, present on every Windows from XP
// on: "Microsoft Sans Serif", or "Lucida Console" for "Fixedsys". Every
// other name is kept.
std::string FaceDrawnFor(const std::string& name, int height, int systemDpi);

class Font {
public:
    Font() = default;
    // `height` follows LOGFONT: negative for a character height in pixels.
    // "Fixedsys" asks for a fixed-pitch face as well, "Helv", "MS Sans Serif"
    // and "Small" for a sans-serif one, in case the named face is missing.
    Font(std::string name, int height, unsigned style = 0, base::TColor color = base::clWindowText);
    // Exactly the described font.
    explicit Font(base::FontDescription description) : description_(std::move(description)) {}

    const base::FontDescription& Description() const { return description_; }
    const std::string& Name() const { return description_.name; }
    int Height() const { return description_.height; }
    // FontStyle bits.
    unsigned Style() const { return description_.Style(); }
    base::TColor Color() const { return description_.color; }
    // Point size of the height taken at `dpi`, rounded the usual way.
    int Size(int dpi) const;

    // Copies with one aspect changed.
    // Tenths of a degree, counter-clockwise; the characters turn with the line.
    Font WithEscapement(int tenths) const;
    Font WithOutPrecision(BYTE precision) const;
    Font WithQuality(BYTE quality) const;
    // The kind of face to fall back on when the named one is missing
    // (FIXED_PITCH | FF_MODERN for a fixed face, VARIABLE_PITCH | FF_SWISS ...).
    Font WithPitchAndFamily(BYTE pitchAndFamily) const;

    LOGFONTA LogFont() const { return LogFontOf(description_); }
    // The GDI font, in the face FaceDrawnFor gives; shared by copies and
    // released with the last of them.
    HFONT Handle() const;

private:
    Font Changed() const;

    base::FontDescription description_;
    mutable std::shared_ptr<std::remove_pointer_t<HFONT>> handle_;
};

}  // namespace ui

#include "ui/font.h"

#include <cstdlib>

#include "ui/handles.h"

namespace ui {

namespace {

// The kind of face each of the old Windows font names stands for, so that a
// machine without the face still gives fixed-pitch text where the program
// lays out columns and a sans-serif face elsewhere.
BYTE KindOfFace(const std::string& name) {
    if (lstrcmpiA(name.c_str(), "Fixedsys") == 0) return FIXED_PITCH | FF_MODERN;
    for (const char* sans : {"Helv", "MS Sans Serif", "Small"}) {
        if (lstrcmpiA(name.c_str(), sans) == 0) return VARIABLE_PITCH | FF_SWISS;
    }
    return DEFAULT_PITCH | FF_DONTCARE;
}

}  // namespace

Font::Font(std::string name, int height, unsigned style, base::TColor color) {
    description_.pitchAndFamily = KindOfFace(name);
    description_.name = std::move(name);
    description_.height = height;
    description_.SetStyle(style);
    description_.color = color;
}

int ScreenPixelsPerInch() {
    const WindowDC dc;
    return dc ? GetDeviceCaps(dc.Get(), LOGPIXELSY) : 96;
}

int Font::Size(int dpi) const { return MulDiv(std::abs(description_.height), 72, dpi); }

Font Font::Changed() const {
    Font copy = *this;
    copy.handle_.reset();
    return copy;
}

Font Font::WithEscapement(int tenths) const {
    Font f = Changed();
    f.description_.escapement = tenths;
    f.description_.orientation = tenths;
    return f;
}

Font Font::WithOutPrecision(BYTE precision) const {
    Font f = Changed();
    f.description_.outPrecision = precision;
    return f;
}

Font Font::WithQuality(BYTE quality) const {
    Font f = Changed();
    f.description_.quality = quality;
    return f;
}

Font Font::WithPitchAndFamily(BYTE pitchAndFamily) const {
    Font f = Changed();
    f.description_.pitchAndFamily = pitchAndFamily;
    return f;
}

LOGFONTA LogFontOf(const base::FontDescription& d) {
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
    lstrcpynA(lf.lfFaceName, d.name.c_str(), LF_FACESIZE);
    return lf;
}

HFONT Font::Handle() const {
    if (!handle_) {
        const LOGFONTA lf = LogFont();
        handle_.reset(CreateFontIndirectA(&lf), DeleteGdiObject<HFONT>);
    }
    return handle_.get();
}

}  // namespace ui

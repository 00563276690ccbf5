#include "ui/font.h"

#include <cstdlib>

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

Font::Font(std::string name, int height, unsigned style, TColor color)
    : name_(std::move(name)), height_(height), style_(style), color_(color),
      pitchAndFamily_(KindOfFace(name_)) {}

int ScreenPixelsPerInch() {
    HDC dc = GetDC(nullptr);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc) ReleaseDC(nullptr, dc);
    return dpi;
}

int Font::Size() const { return MulDiv(std::abs(height_), 72, ScreenPixelsPerInch()); }

Font Font::Changed() const {
    Font copy = *this;
    copy.handle_.reset();
    return copy;
}

Font Font::WithColor(TColor color) const {
    Font f = *this;  // the colour is not part of the GDI font
    f.color_ = color;
    return f;
}

Font Font::WithEscapement(int tenths) const {
    Font f = Changed();
    f.escapement_ = tenths;
    return f;
}

Font Font::WithOutPrecision(BYTE precision) const {
    Font f = Changed();
    f.outPrecision_ = precision;
    return f;
}

Font Font::WithQuality(BYTE quality) const {
    Font f = Changed();
    f.quality_ = quality;
    return f;
}

Font Font::WithPitchAndFamily(BYTE pitchAndFamily) const {
    Font f = Changed();
    f.pitchAndFamily_ = pitchAndFamily;
    return f;
}

LOGFONTA Font::LogFont() const {
    LOGFONTA lf{};
    lf.lfHeight = height_;
    lf.lfEscapement = escapement_;
    lf.lfOrientation = escapement_;
    lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style_ & fsItalic) ? TRUE : FALSE;
    lf.lfUnderline = (style_ & fsUnderline) ? TRUE : FALSE;
    lf.lfStrikeOut = (style_ & fsStrikeOut) ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = outPrecision_;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = quality_;
    lf.lfPitchAndFamily = pitchAndFamily_;
    lstrcpynA(lf.lfFaceName, name_.c_str(), LF_FACESIZE);
    return lf;
}

HFONT Font::Handle() const {
    if (!handle_) {
        const LOGFONTA lf = LogFont();
        handle_.reset(CreateFontIndirectA(&lf), [](HFONT f) {
            if (f) DeleteObject(f);
        });
    }
    return handle_.get();
}

}  // namespace ui

#include "ui/font.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

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

// The sizes of the bitmap faces that Windows installs, and Wine's own fonts
// have, for a screen of 96 DPI and for one of 120 DPI and more (its "large
// fonts"): character heights (a LOGFONT's negative heights) and cell heights
// (its positive ones), 0 padding. Windows maps "Helv" to "MS Sans Serif". A
// face without a row for the system's set, or at a height its row lacks,
// is made in its outline stand-in, which draws the text as it was measured;
// so is a larger size that Windows alone has.
struct BitmapFace {
    const char* name;
    int setDpi;
    std::array<int, 3> characterHeights;
    std::array<int, 3> cellHeights;
};

const BitmapFace kBitmapFaces[] = {
    {"MS Sans Serif", 96, {11, 13, 16}, {13, 16, 20}},
    {"MS Sans Serif", 120, {13, 16}, {16, 20}},
    {"Fixedsys", 96, {12}, {15}},
    {"Small Fonts", 96, {9}, {11}},
};

constexpr const char* kSansStandIn = "Microsoft Sans Serif";

const std::pair<const char*, const char*> kStandIns[] = {
    {"MS Sans Serif", kSansStandIn},
    {"Fixedsys", "Lucida Console"},
    {"Small Fonts", kSansStandIn},
};

bool Contains(const std::array<int, 3>& sizes, int size) {
    return std::find(sizes.begin(), sizes.end(), size) != sizes.end();
}

}  // namespace

std::string FaceDrawnFor(const std::string& name, int height, int systemDpi) {
    const char* bitmapFace = lstrcmpiA(name.c_str(), "Helv") == 0 ? "MS Sans Serif" : name.c_str();
    const int setDpi = systemDpi >= 120 ? 120 : 96;
    for (const auto& [face, standIn] : kStandIns) {
        if (lstrcmpiA(bitmapFace, face) != 0) continue;
        if (height == 0) return name;  // the face's own default size
        for (const BitmapFace& sizes : kBitmapFaces) {
            if (sizes.setDpi != setDpi || lstrcmpiA(face, sizes.name) != 0) continue;
            const bool has = height < 0 ? Contains(sizes.characterHeights, -height)
                                        : Contains(sizes.cellHeights, height);
            if (has) return name;
        }
        return standIn;
    }
    return name;
}

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
        LOGFONTA lf = LogFont();
        const std::string face =
            FaceDrawnFor(description_.name, description_.height, ScreenPixelsPerInch());
        lstrcpynA(lf.lfFaceName, face.c_str(), LF_FACESIZE);
        handle_.reset(CreateFontIndirectA(&lf), DeleteGdiObject<HFONT>);
    }
    return handle_.get();
}

}  // namespace ui

// A logical font as the program describes it: the fields of a LOGFONT in its
// order, with the face name as ANSI text (a LOGFONT keeps at most 31
// characters of it), and the colour its text is drawn in. The toolkit makes
// the GDI font from it; the components' rules keep and compare it as a value.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "base/color.h"

namespace base {

enum FontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

inline constexpr std::int32_t kFontWeightNormal = 400;
inline constexpr std::int32_t kFontWeightBold = 700;
inline constexpr std::uint8_t kDefaultCharSet = 1;

struct FontDescription {
    std::int32_t height = -11;  // negative for a character height in pixels
    std::int32_t width = 0;
    std::int32_t escapement = 0;  // tenths of a degree, counter-clockwise
    std::int32_t orientation = 0;
    std::int32_t weight = kFontWeightNormal;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = kDefaultCharSet;
    // 0 is each field's default: OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
    // DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE.
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    std::string name = "MS Sans Serif";
    TColor color = clWindowText;

    // FontStyle bits: bold from the weight, the others from their flags.
    constexpr unsigned Style() const {
        return (weight >= kFontWeightBold ? fsBold : 0u) | (italic ? fsItalic : 0u) |
               (underline ? fsUnderline : 0u) | (strikeOut ? fsStrikeOut : 0u);
    }
    constexpr void SetStyle(unsigned style) {
        weight = (style & fsBold) ? kFontWeightBold : kFontWeightNormal;
        italic = (style & fsItalic) ? 1 : 0;
        underline = (style & fsUnderline) ? 1 : 0;
        strikeOut = (style & fsStrikeOut) ? 1 : 0;
    }
    bool operator==(const FontDescription&) const = default;
};

// A face at a height with FontStyle bits; everything else as described above.
inline FontDescription MakeFont(std::string name, int height, unsigned style = 0,
                                TColor color = clWindowText) {
    FontDescription font;
    font.name = std::move(name);
    font.height = height;
    font.SetStyle(style);
    font.color = color;
    return font;
}

}  // namespace base

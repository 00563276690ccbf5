// The one scaling rule of the program's designed measures. Windows, controls,
// pixel fonts and layout constants are designed for a 96-DPI screen; each is
// taken at the DPI of the window it belongs to, rounded as MulDiv rounds
// (to the nearest pixel, halves away from zero), so that 96 DPI gives every
// measure exactly as designed.
#pragma once

#include <cstdint>

#include "base/font.h"
#include "base/geometry.h"

namespace base {

inline constexpr int kDesignDpi = 96;

// `value` designed at `fromDpi`, taken at `dpi`.
constexpr int ScaleForDpi(int value, int dpi, int fromDpi = kDesignDpi) {
    if (dpi == fromDpi || fromDpi <= 0) return value;
    const std::int64_t product = static_cast<std::int64_t>(value) * dpi;
    const std::int64_t magnitude = (product < 0 ? -product : product) + fromDpi / 2;
    const auto rounded = static_cast<int>(magnitude / fromDpi);
    return product < 0 ? -rounded : rounded;
}

constexpr Rect ScaleForDpi(const Rect& r, int dpi, int fromDpi = kDesignDpi) {
    return RectAt(ScaleForDpi(r.left, dpi, fromDpi), ScaleForDpi(r.top, dpi, fromDpi),
                  ScaleForDpi(r.Width(), dpi, fromDpi), ScaleForDpi(r.Height(), dpi, fromDpi));
}

// The character height (negative, as a LOGFONT has it) of a font of
// `points` points at `dpi`, rounded as MulDiv rounds.
constexpr int PointsToHeight(int points, int dpi) { return -ScaleForDpi(points, dpi, 72); }

// A font whose height is given in pixels, taken at `dpi`. Height 0 (the
// face's default size) stays 0.
inline FontDescription ScaleForDpi(FontDescription font, int dpi, int fromDpi = kDesignDpi) {
    font.height = ScaleForDpi(font.height, dpi, fromDpi);
    font.width = ScaleForDpi(font.width, dpi, fromDpi);
    return font;
}

}  // namespace base

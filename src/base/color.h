// The colour value of the program: red in the lowest byte,
// green in the next, blue in the third. A non-zero high byte marks a system
// colour (its low byte the system's colour index), which is resolved only
// where text or fills are drawn; arithmetic takes the three low bytes as they
// stand.
#pragma once

#include <cstdint>

namespace base {
// The colour names alone, for `using namespace base::colors;` in a source file.
inline namespace colors {

using TColor = std::uint32_t;

inline constexpr TColor kSystemColorFlag = 0x80000000u;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clWindow = kSystemColorFlag | 5;
inline constexpr TColor clWindowFrame = kSystemColorFlag | 6;
inline constexpr TColor clWindowText = kSystemColorFlag | 8;
inline constexpr TColor clBtnFace = kSystemColorFlag | 15;
inline constexpr TColor clInfoText = kSystemColorFlag | 23;
inline constexpr TColor clInfoBk = kSystemColorFlag | 24;

// "Whatever the control normally uses": a font of this colour leaves a
// control's text in the control's own colour; drawn, it is the window text
// colour.
inline constexpr TColor kColorDefault = 0xFF000000u;

constexpr bool IsSystemColor(TColor c) { return (c >> 24) != 0 && c != kColorDefault; }
constexpr int RedOf(TColor c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(TColor c) { return static_cast<int>(c >> 8 & 0xFF); }
constexpr int BlueOf(TColor c) { return static_cast<int>(c >> 16 & 0xFF); }
constexpr TColor RGBColor(int r, int g, int b) {
    return static_cast<TColor>(r & 0xFF) | static_cast<TColor>(g & 0xFF) << 8 |
           static_cast<TColor>(b & 0xFF) << 16;
}

}  // namespace colors
}  // namespace base

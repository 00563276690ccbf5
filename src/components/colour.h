// The framework's colour value: red in the lowest byte, green in the next,
// blue in the third. A non-zero high byte marks a system colour, which only
// the code that finally draws resolves; arithmetic takes the low bytes as
// they stand.
#pragma once

#include <cstdint>

namespace quillet {

using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clWindowText = 0x80000008;
inline constexpr TColor clBtnFace = 0x8000000F;

constexpr bool IsSystemColour(TColor c) { return (c >> 24) != 0; }
constexpr int RedOf(TColor c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(TColor c) { return static_cast<int>(c >> 8 & 0xFF); }
constexpr int BlueOf(TColor c) { return static_cast<int>(c >> 16 & 0xFF); }
constexpr TColor RGBColour(int r, int g, int b) {
    return static_cast<TColor>(r & 0xFF) | static_cast<TColor>(g & 0xFF) << 8 |
           static_cast<TColor>(b & 0xFF) << 16;
}

}  // namespace quillet

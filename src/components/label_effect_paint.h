// Painting of TLabelEffect. The label is composed in an off-screen work image
// that starts as a copy of what the label's area shows; the shadow copies,
// the highlight copies and the face are drawn onto it (with a mask image for
// the "real" passes and the face gradient), and the finished image is copied
// onto the label's surface in one step.
//
// All placement, colour and pixel arithmetic is here. Text drawing, fonts and
// the images themselves come through EffectSurface and EffectImage, which the
// Win32 side implements with GDI over 32-bit DIB sections.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "components/label_effect.h"

namespace quillet {

// To the nearest integer, halves to the even neighbour.
int RoundHalfEven(double value);

// DrawTextA flags.
inline constexpr unsigned kDtLeft = 0x00;
inline constexpr unsigned kDtCenter = 0x01;
inline constexpr unsigned kDtRight = 0x02;
inline constexpr unsigned kDtWordBreak = 0x10;
inline constexpr unsigned kDtExpandTabs = 0x40;

// DrawTextA takes at most this many characters of the caption.
inline constexpr std::size_t kMaxHorizontalCaption = 255;

// The colour of the face on the mask image while a face gradient is on.
inline constexpr base::TColor kFaceKeyColor = 0xFE09F1;

// A 32-bit top-down image's pixels, 0x00RRGGBB as a DIB section holds them.
struct PixelView {
    std::uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;  // pixels from the start of one row to the next
    std::uint32_t& At(int x, int y) const { return bits[static_cast<std::ptrdiff_t>(y) * stride + x]; }
};

constexpr std::uint32_t PixelOf(base::TColor plain) {
    return (plain & 0xFF) << 16 | (plain & 0xFF00) | (plain >> 16 & 0xFF);
}
// The high byte of a pixel is ignored, as GetPixel ignores it.
constexpr base::TColor ColorOf(std::uint32_t pixel) { return PixelOf(pixel); }

// m, M, S and the alignment shift: the low and high offsets of all copies
// (x and y together, so m <= 0 <= M), their span, and how far the text moves
// left for its alignment.
struct EffectMargins {
    int low = 0;
    int high = 0;
    int span = 0;
    int shift = 0;
    bool operator==(const EffectMargins&) const = default;
};
EffectMargins ComputeMargins(const TLabelEffect& label);

// Horizontal: Angle 0, drawn with DrawTextA. Rotated: the whole caption in a
// turned font. Upright: each character upright, placed along a slanted line.
enum class EffectLayoutCase { Horizontal, Rotated, Upright };
EffectLayoutCase LayoutCaseOf(const TLabelEffect& label);

// A string drawn with TextOutA, its cell's top-left corner at `at`.
struct PlacedText {
    std::string text;
    base::Point at;
    bool operator==(const PlacedText&) const = default;
};

// Rows (goVertical) or columns (goHorizontal) start .. start + extent; none
// when extent < 0.
struct GradientSpan {
    int start = 0;
    int extent = -1;
    bool operator==(const GradientSpan&) const = default;
};

// Where the caption goes for the copy at distance 0; a copy at distance k in
// direction (dx, dy) moves by (k*dx, k*dy).
struct EffectLayout {
    EffectLayoutCase layoutCase = EffectLayoutCase::Horizontal;
    // Horizontal: DrawTextA of `text` into `rect` with `flags`.
    std::string text;
    base::Rect rect;
    unsigned flags = 0;
    // Rotated: one run; Upright: one per character.
    std::vector<PlacedText> runs;
    // The background polygon of the rotated and upright cases.
    std::vector<base::Point> outline;
    // The face gradient's bands for the label's GraduateFace.
    GradientSpan gradient;
};

using MeasureTextFn = std::function<base::Size(const std::string&)>;

// Lays the caption out, measuring text in the images' font (turned, in the
// rotated case: the extent is along the baseline).
EffectLayout LayOutEffectCaption(const TLabelEffect& label, const EffectMargins& margins,
                                 const MeasureTextFn& measure);

// The copies of one effect, farthest first, with the colour of each.
struct EffectCopy {
    int distance = 0;
    base::TColor color = base::clBlack;
    bool operator==(const EffectCopy&) const = default;
};
struct EffectPass {
    TEffectDirection direction = edNone;
    TEffectOption option = eoNormal;
    std::vector<EffectCopy> copies;
};
EffectPass PlanEffectPass(const TLabelEffect& label, bool highlight);

// Where the mask is exactly black, darkens the work image to half (shadow) or
// lightens it halfway to white (highlight). Both views have the same size.
void ApplyRealPass(const PixelView& work, const PixelView& mask, bool highlight);

// The band colours of a face gradient of `extent`: `from` first, `to` last;
// one band in `from` when extent is 0, none when it is negative.
std::vector<base::TColor> GradientBands(base::TColor from, base::TColor to, int extent);

// Within each band (clipped to the images) every work pixel takes the mask
// pixel, and mask pixels in the face key colour take the band colour.
void ApplyFaceGradient(const PixelView& work, const PixelView& mask, TGraduateOption option,
                       const GradientSpan& span, base::TColor from, base::TColor to);

// One off-screen image with its own drawing state: a font, a text colour, a
// brush (solid white when new) and a solid black pen one pixel wide.
class EffectImage {
public:
    virtual ~EffectImage() = default;
    // A copy of `font` with its baseline turned counter-clockwise by
    // `escapement` tenths of a degree; a turned font is an outline font. The
    // description's colour is not used: SetTextColor sets the text colour.
    virtual void SetFont(const base::FontDescription& font, int escapement) = 0;
    // Always a plain colour (high byte 0).
    virtual void SetTextColor(base::TColor color) = 0;
    // Solid brush: text gets an opaque box in its colour behind it. None:
    // clear brush, glyphs only.
    virtual void SetBrush(std::optional<base::TColor> solid) = 0;
    // GetTextExtentPointA: width along the baseline, height of the cell.
    virtual base::Size MeasureText(const std::string& text) = 0;
    // DrawTextA; "&" marks the next character as the accelerator.
    virtual void DrawTextInRect(const std::string& text, const base::Rect& rect, unsigned flags) = 0;
    // TextOutA: the top-left corner of the (turned) cell at (x, y).
    virtual void DrawTextAt(int x, int y, const std::string& text) = 0;
    // Filled with the brush and outlined with the pen.
    virtual void DrawPolygon(const std::vector<base::Point>& corners) = 0;
    // Filled with the brush.
    virtual void FillRectangle(const base::Rect& rect) = 0;
    // The pixels, with all drawing so far in them.
    virtual PixelView Pixels() = 0;
};

// The label's drawing surface.
class EffectSurface {
public:
    virtual ~EffectSurface() = default;
    // A new all-white image. Throws when the system refuses it.
    virtual std::unique_ptr<EffectImage> CreateImage(int width, int height) = 0;
    // Exact pixel copies of the rectangle (0, 0, width, height).
    virtual void CopyToImage(EffectImage& image, int width, int height) = 0;
    virtual void CopyFromImage(EffectImage& image, int width, int height) = 0;
    // A colour as it is drawn: system colours resolved to plain ones.
    virtual base::TColor ResolveColor(base::TColor color) = 0;
};

// Paints `label` onto `surface`. When an image cannot be created the error
// propagates, the images made so far are released and the surface is
// untouched. A label without area draws nothing.
void PaintLabelEffect(const TLabelEffect& label, EffectSurface& surface);

}  // namespace quillet

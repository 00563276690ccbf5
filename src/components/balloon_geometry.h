// The arithmetic of the balloon hint window: its settings' enumerations, its
// size from the measured caption, its placement at the mouse pointer with the
// flips at the screen edges, the body, text and pointer of the balloon, and
// the outlines from which the Win32 window builds its regions. Text is
// measured through a callback so that the rules run without windows.
#pragma once

#include <array>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "base/dpi.h"
#include "base/geometry.h"

namespace quillet {

// Side of the pointer on which the balloon lies. The value holds two bits:
// 2 for below, 1 for right.
enum TBalloonPosition : unsigned char { bpAboveLeft, bpAboveRight, bpBelowLeft, bpBelowRight };
enum TBalloonShape : unsigned char { bsRoundRect, bsRectangle };
enum TBalloonShadowStyle : unsigned char { ssShaded, ssSolid };
// Where the font and the colours come from.
enum THintStyle : unsigned char { hsDefault, hsCustom, hsSystem };
enum TBalloonBehavior : unsigned char { bbNoShowMouseDown, bbUseRegions, bbHideOnPaint };

// A set of TBalloonBehavior, one bit per flag.
class TBalloonBehaviors {
public:
    constexpr TBalloonBehaviors() = default;
    constexpr TBalloonBehaviors(std::initializer_list<TBalloonBehavior> flags) {
        for (TBalloonBehavior flag : flags) bits_ |= Bit(flag);
    }
    constexpr bool Contains(TBalloonBehavior flag) const { return (bits_ & Bit(flag)) != 0; }
    bool operator==(const TBalloonBehaviors&) const = default;

private:
    static constexpr unsigned char Bit(TBalloonBehavior flag) {
        return static_cast<unsigned char>(1u << flag);
    }
    unsigned char bits_ = 0;
};

// Shadow offset in pixels, right and down; 0 means no shadow.
using TShadowDepth = unsigned char;
inline constexpr int kMaxShadowDepth = 16;

constexpr bool IsBelow(TBalloonPosition p) { return p >= bpBelowLeft; }
constexpr bool IsRight(TBalloonPosition p) { return (p & 1) != 0; }
constexpr TBalloonPosition MakePosition(bool below, bool right) {
    return static_cast<TBalloonPosition>(2 * below + right);
}

// Keeps the pointer's base, up to 41 pixels from the tip, inside the body even
// at the greatest shadow depth.
inline constexpr int kMinBalloonWidth = 59;
inline constexpr int kBalloonTextMargin = 9;
inline constexpr int kBalloonCornerDiameter = 18;

// The balloon's measures at one DPI: the ones above (designed for 96 DPI)
// and the shadow depth, each scaled, with the frame made of the scaled parts
// so that the text measured is the text drawn.
struct BalloonMetrics {
    int textMargin = kBalloonTextMargin;
    int stripWidth = 15;   // the pointer's strip beside the body
    int stripHeight = 19;  // and above or below it
    int spareRow = 1;      // under the text
    int baseNear = 21;     // the pointer's base points, from the tip
    int baseFar = 41;
    int minWidth = kMinBalloonWidth;
    int cornerDiameter = kBalloonCornerDiameter;
    int shadowDepth = 0;   // clamped to kMaxShadowDepth before scaling

    // Width added to the text: the margins on both sides and the pointer's
    // strip (33 at 96 DPI); height: both margins, the strip and the spare
    // row (38). The shadow depth comes on top of both.
    constexpr int FrameWidth() const { return 2 * textMargin + stripWidth; }
    constexpr int FrameHeight() const { return 2 * textMargin + stripHeight + spareRow; }
};

BalloonMetrics BalloonMetricsAt(int dpi, int shadowDepth);

// Size of `text` laid out with word wrapping inside `wrapWidth` (always
// positive), without prefix processing (DrawText with DT_CALCRECT |
// DT_WORDBREAK | DT_NOPREFIX).
using BalloonTextMeasurer = std::function<base::Size(const std::string& text, int wrapWidth)>;

// The window's client size for `caption` with the pointer at `pointer`, at
// `dpi`. The limit is the wider side of the screen around the pointer, at
// most `maxWidthPixels`, and never below the minimum width, so that the text
// is always measured with a positive width. The whole caption is measured.
base::Size MeasureBalloon(const std::string& caption, base::Point pointer, int screenWidth,
                          int maxWidthPixels, int shadowDepth,
                          const BalloonTextMeasurer& measure, int dpi = base::kDesignDpi);

// The window rectangle of `size` placed at the pointer so that the pointer
// touches the corner opposite `position`; bpBelowRight lies one pixel off in
// both directions, at (x + 1, y + 1).
base::Rect PositionRect(base::Size size, base::Point pointer, TBalloonPosition position);

struct BalloonPlacement {
    TBalloonPosition position = bpAboveRight;  // after the flips
    base::Rect rect;
};

// Places the balloon for `preferred` and flips it at the edges of `screen`
// (the work area of the monitor under the pointer), each direction decided
// from that first placement: past the bottom goes above, then above the top
// goes below; past the right goes left, then past the left goes right. Where
// both rules of a direction apply, the second wins.
BalloonPlacement PlaceBalloon(base::Size size, base::Point pointer, TBalloonPosition preferred,
                              const base::Rect& screen);

// Client coordinates of the balloon's parts for one showing.
struct BalloonGeometry {
    base::Rect body;
    base::Rect text;  // the body less the text margin on every side
    std::array<base::Point, 3> pointer;  // tip first, then the two base points
    int shadowDepth = 0;
    int cornerDiameter = kBalloonCornerDiameter;
};

BalloonGeometry GetBalloonGeometry(base::Size size, int shadowDepth, TBalloonPosition position,
                                   int dpi = base::kDesignDpi);

// One balloon outline at an offset: the body (a rounded rectangle with
// corners of `cornerDiameter` for CreateRoundRectRgn, or a plain one for
// CreateRectRgnIndirect) united with the pointer triangle (CreatePolygonRgn,
// ALTERNATE).
struct BalloonOutline {
    base::Rect body;
    bool rounded = true;
    std::array<base::Point, 3> pointer;
    int cornerDiameter = kBalloonCornerDiameter;
    bool operator==(const BalloonOutline&) const = default;
};

// The outline moved by (offset, offset): 0 for the balloon, the shadow depth
// for its shadow.
BalloonOutline OutlineAt(const BalloonGeometry& geometry, TBalloonShape shape, int offset);

// The balloon's outline and, with a shadow, the shadow's: the parts of the
// window region, and of the mask of the shaded shadow.
std::vector<BalloonOutline> BalloonAndShadowOutlines(const BalloonGeometry& geometry,
                                                     TBalloonShape shape);

}  // namespace quillet

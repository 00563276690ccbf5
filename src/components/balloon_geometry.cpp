#include "components/balloon_geometry.h"

#include <algorithm>

namespace quillet {

using base::Point;
using base::Rect;
using base::Size;

namespace {

// The pointer takes a strip this wide beside the body and this high above or
// below it; its base points lie this far from the tip along the body's edge.
constexpr int kPointerStripWidth = 15;
constexpr int kPointerStripHeight = 19;
constexpr int kPointerBaseNear = 21;
constexpr int kPointerBaseFar = 41;

}  // namespace

Size MeasureBalloon(const std::string& caption, Point pointer, int screenWidth,
                    int maxWidthPixels, int shadowDepth,
                    const BalloonTextMeasurer& measure) {
    const int sd = std::clamp(shadowDepth, 0, kMaxShadowDepth);
    const int extra = sd + kBalloonFrameWidth;
    const int available = std::max(screenWidth - pointer.x, pointer.x);
    // A limit below the minimum width (MaxWidth 0, a tiny fraction of the
    // screen) would leave no room, or a negative one, for the text.
    const int limit = std::max(std::min(available, maxWidthPixels), kMinBalloonWidth);
    const Size text = measure(caption, limit - extra);
    return {std::max(text.width + extra, kMinBalloonWidth), text.height + kBalloonFrameHeight + sd};
}

Rect PositionRect(Size size, Point pointer, TBalloonPosition position) {
    int left = pointer.x + 1, top = pointer.y + 1;  // bpBelowRight
    if (position != bpBelowRight) {
        left = IsRight(position) ? pointer.x : pointer.x - size.width;
        top = IsBelow(position) ? pointer.y : pointer.y - size.height;
    }
    return {left, top, left + size.width, top + size.height};
}

BalloonPlacement PlaceBalloon(Size size, Point pointer, TBalloonPosition preferred,
                              Size screen) {
    const Rect first = PositionRect(size, pointer, preferred);
    bool below = IsBelow(preferred);
    bool right = IsRight(preferred);
    if (screen.height < first.bottom) below = false;
    if (first.top < 0) below = true;
    if (screen.width < first.right) right = false;
    if (first.left < 0) right = true;
    const TBalloonPosition position = MakePosition(below, right);
    return {position, position == preferred ? first : PositionRect(size, pointer, position)};
}

BalloonGeometry GetBalloonGeometry(Size size, int shadowDepth, TBalloonPosition position) {
    const int sd = std::clamp(shadowDepth, 0, kMaxShadowDepth);
    const int right = size.width - sd;  // the balloon's extent without its shadow
    const int bottom = size.height - sd;
    const bool below = IsBelow(position);
    const bool toRight = IsRight(position);

    BalloonGeometry g;
    g.shadowDepth = sd;
    g.body = Rect{0, 0, right - kPointerStripWidth, bottom - kPointerStripHeight}.Moved(
        toRight ? kPointerStripWidth : 0, below ? kPointerStripHeight : 0);
    const int m = kBalloonTextMargin;
    g.text = {g.body.left + m, g.body.top + m, g.body.right - m, g.body.bottom - m};

    // The base lies on the body's outermost row toward the tip.
    const Point tip{toRight ? 0 : right, below ? 0 : bottom};
    const int along = toRight ? 1 : -1;
    const int baseY = below ? g.body.top : g.body.bottom - 1;
    g.pointer = {tip, Point{tip.x + along * kPointerBaseNear, baseY},
                 Point{tip.x + along * kPointerBaseFar, baseY}};
    return g;
}

BalloonOutline OutlineAt(const BalloonGeometry& geometry, TBalloonShape shape, int offset) {
    BalloonOutline o{geometry.body.Moved(offset, offset), shape == bsRoundRect, geometry.pointer};
    for (Point& p : o.pointer) p = {p.x + offset, p.y + offset};
    return o;
}

std::vector<BalloonOutline> BalloonAndShadowOutlines(const BalloonGeometry& geometry,
                                                     TBalloonShape shape) {
    std::vector<BalloonOutline> outlines{OutlineAt(geometry, shape, 0)};
    if (geometry.shadowDepth > 0)
        outlines.push_back(OutlineAt(geometry, shape, geometry.shadowDepth));
    return outlines;
}

}  // namespace quillet

#include "components/balloon_geometry.h"

#include <algorithm>

namespace quillet {

using base::Point;
using base::Rect;
using base::Size;

BalloonMetrics BalloonMetricsAt(int dpi, int shadowDepth) {
    const auto at = [dpi](int designed) { return base::ScaleForDpi(designed, dpi); };
    const BalloonMetrics designed;
    BalloonMetrics m;
    m.textMargin = at(designed.textMargin);
    m.stripWidth = at(designed.stripWidth);
    m.stripHeight = at(designed.stripHeight);
    m.spareRow = at(designed.spareRow);
    m.baseNear = at(designed.baseNear);
    m.baseFar = at(designed.baseFar);
    m.minWidth = at(designed.minWidth);
    m.cornerDiameter = at(designed.cornerDiameter);
    m.shadowDepth = at(std::clamp(shadowDepth, 0, kMaxShadowDepth));
    return m;
}

Size MeasureBalloon(const std::string& caption, Point pointer, int screenWidth,
                    int maxWidthPixels, int shadowDepth,
                    const BalloonTextMeasurer& measure, int dpi) {
    const BalloonMetrics m = BalloonMetricsAt(dpi, shadowDepth);
    const int extra = m.shadowDepth + m.FrameWidth();
    const int available = std::max(screenWidth - pointer.x, pointer.x);
    // A limit below the minimum width (MaxWidth 0, a tiny fraction of the
    // screen) would leave no room, or a negative one, for the text.
    const int limit = std::max(std::min(available, maxWidthPixels), m.minWidth);
    const Size text = measure(caption, limit - extra);
    return {std::max(text.width + extra, m.minWidth),
            text.height + m.FrameHeight() + m.shadowDepth};
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
                              const Rect& screen) {
    const Rect first = PositionRect(size, pointer, preferred);
    bool below = IsBelow(preferred);
    bool right = IsRight(preferred);
    if (screen.bottom < first.bottom) below = false;
    if (first.top < screen.top) below = true;
    if (screen.right < first.right) right = false;
    if (first.left < screen.left) right = true;
    const TBalloonPosition position = MakePosition(below, right);
    return {position, position == preferred ? first : PositionRect(size, pointer, position)};
}

BalloonGeometry GetBalloonGeometry(Size size, int shadowDepth, TBalloonPosition position,
                                   int dpi) {
    const BalloonMetrics metrics = BalloonMetricsAt(dpi, shadowDepth);
    const int sd = metrics.shadowDepth;
    const int right = size.width - sd;  // the balloon's extent without its shadow
    const int bottom = size.height - sd;
    const bool below = IsBelow(position);
    const bool toRight = IsRight(position);

    BalloonGeometry g;
    g.shadowDepth = sd;
    g.cornerDiameter = metrics.cornerDiameter;
    g.body = Rect{0, 0, right - metrics.stripWidth, bottom - metrics.stripHeight}.Moved(
        toRight ? metrics.stripWidth : 0, below ? metrics.stripHeight : 0);
    const int m = metrics.textMargin;
    g.text = {g.body.left + m, g.body.top + m, g.body.right - m, g.body.bottom - m};

    // The base lies on the body's outermost row toward the tip.
    const Point tip{toRight ? 0 : right, below ? 0 : bottom};
    const int along = toRight ? 1 : -1;
    const int baseY = below ? g.body.top : g.body.bottom - 1;
    g.pointer = {tip, Point{tip.x + along * metrics.baseNear, baseY},
                 Point{tip.x + along * metrics.baseFar, baseY}};
    return g;
}

BalloonOutline OutlineAt(const BalloonGeometry& geometry, TBalloonShape shape, int offset) {
    BalloonOutline o{geometry.body.Moved(offset, offset), shape == bsRoundRect, geometry.pointer,
                     geometry.cornerDiameter};
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

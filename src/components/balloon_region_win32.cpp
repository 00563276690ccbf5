#include "components/balloon_region_win32.h"

#include "base/error.h"
#include "ui/geometry.h"

namespace quillet {

ui::GdiObject CheckedGdiObject(HGDIOBJ object) {
    if (!object) throw base::Error("Out of system resources");
    return ui::GdiObject(object);
}

ui::GdiObject RegionOf(const BalloonOutline& o) {
    const base::Rect& b = o.body;
    ui::GdiObject body = CheckedGdiObject(
        o.rounded ? CreateRoundRectRgn(b.left, b.top, b.right, b.bottom, o.cornerDiameter,
                                       o.cornerDiameter)
                  : CreateRectRgn(b.left, b.top, b.right, b.bottom));
    POINT points[3];
    for (int i = 0; i < 3; ++i) points[i] = ui::ToPOINT(o.pointer[i]);
    ui::GdiObject pointer = CheckedGdiObject(CreatePolygonRgn(points, 3, ALTERNATE));
    ui::GdiObject both = CheckedGdiObject(CreateRectRgn(0, 0, 0, 0));
    CombineRgn(Rgn(both), Rgn(body), Rgn(pointer), RGN_OR);
    return both;
}

ui::GdiObject UnionOf(const std::vector<BalloonOutline>& outlines) {
    ui::GdiObject all = CheckedGdiObject(CreateRectRgn(0, 0, 0, 0));
    for (const BalloonOutline& o : outlines) {
        const ui::GdiObject part = RegionOf(o);
        CombineRgn(Rgn(all), Rgn(all), Rgn(part), RGN_OR);
    }
    return all;
}

}  // namespace quillet

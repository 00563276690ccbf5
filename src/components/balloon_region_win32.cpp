#include "components/balloon_region_win32.h"

#include "ui/geometry.h"

namespace quillet {

ui::GdiObject<HRGN> RegionOf(const BalloonOutline& o) {
    const base::Rect& b = o.body;
    ui::GdiObject<HRGN> body = CheckedGdiObject(
        o.rounded ? CreateRoundRectRgn(b.left, b.top, b.right, b.bottom, o.cornerDiameter,
                                       o.cornerDiameter)
                  : CreateRectRgn(b.left, b.top, b.right, b.bottom));
    POINT points[3];
    for (int i = 0; i < 3; ++i) points[i] = ui::ToPOINT(o.pointer[i]);
    ui::GdiObject<HRGN> pointer = CheckedGdiObject(CreatePolygonRgn(points, 3, ALTERNATE));
    ui::GdiObject<HRGN> both = CheckedGdiObject(CreateRectRgn(0, 0, 0, 0));
    CombineRgn(both.Get(), body.Get(), pointer.Get(), RGN_OR);
    return both;
}

ui::GdiObject<HRGN> UnionOf(const std::vector<BalloonOutline>& outlines) {
    ui::GdiObject<HRGN> all = CheckedGdiObject(CreateRectRgn(0, 0, 0, 0));
    for (const BalloonOutline& o : outlines) {
        const ui::GdiObject<HRGN> part = RegionOf(o);
        CombineRgn(all.Get(), all.Get(), part.Get(), RGN_OR);
    }
    return all;
}

}  // namespace quillet

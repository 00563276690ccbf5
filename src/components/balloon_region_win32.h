// The balloon's outlines (balloon_geometry.h) as GDI regions.
#pragma once

#include <windows.h>

#include <vector>

#include "base/error.h"
#include "components/balloon_geometry.h"
#include "ui/gdi.h"

namespace quillet {

// `object`, owned; throws when the system made none.
template <class H>
ui::GdiObject<H> CheckedGdiObject(H object) {
    if (!object) throw base::Error("Out of system resources");
    return ui::GdiObject<H>(object);
}

// One outline: its body united with its pointer.
ui::GdiObject<HRGN> RegionOf(const BalloonOutline& outline);
// All the outlines united.
ui::GdiObject<HRGN> UnionOf(const std::vector<BalloonOutline>& outlines);

}  // namespace quillet

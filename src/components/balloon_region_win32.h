// The balloon's outlines (balloon_geometry.h) as GDI regions.
#pragma once

#include <windows.h>

#include <vector>

#include "components/balloon_geometry.h"
#include "ui/gdi.h"

namespace quillet {

// `object`, owned; throws when the system made none.
ui::GdiObject CheckedGdiObject(HGDIOBJ object);

inline HRGN Rgn(const ui::GdiObject& region) { return static_cast<HRGN>(region.Get()); }

// One outline: its body united with its pointer.
ui::GdiObject RegionOf(const BalloonOutline& outline);
// All the outlines united.
ui::GdiObject UnionOf(const std::vector<BalloonOutline>& outlines);

}  // namespace quillet

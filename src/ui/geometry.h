// The program's geometry (base/geometry.h) at the Win32 calls: one
// conversion each way for rectangles and points.
#pragma once

#include <windows.h>

#include "base/geometry.h"

namespace ui {

inline RECT ToRECT(const base::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }
inline base::Rect FromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
inline POINT ToPOINT(base::Point p) { return {p.x, p.y}; }
inline base::Point FromPOINT(POINT p) { return {p.x, p.y}; }

}  // namespace ui

// Where "the screen" of a placement rule is: the work area (the monitor less
// the taskbar and docked bars) of the monitor in question. MonitorFromPoint,
// MonitorFromWindow and GetMonitorInfo are in every Windows from XP on.
#pragma once

#include <windows.h>

#include <vector>

#include "base/geometry.h"

namespace ui {

// The work area of the monitor that holds `screenPoint`, or of the nearest
// one: the balloon's and the hint's screen, under the pointer.
base::Rect WorkAreaAt(base::Point screenPoint);

// The work area of the monitor that holds most of `window` (a dialog's
// owner); the primary monitor's for no window.
base::Rect WorkAreaOf(HWND window);

// Every monitor's work area.
std::vector<base::Rect> MonitorWorkAreas();

}  // namespace ui

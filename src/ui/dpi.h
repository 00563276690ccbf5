// The DPI a window is drawn at. The program declares itself aware of each
// monitor's DPI, so the system stretches none of its windows: each window
// takes the DPI of the monitor it is on and scales its designed measures
// (base/dpi.h) itself. The per-monitor functions came after XP and are
// looked up at run time; without them every window has the system DPI.
#pragma once

#include <windows.h>

#include "base/dpi.h"
#include "base/geometry.h"
#include "ui/font.h"  // ScreenPixelsPerInch: the system DPI, where Windows knows no other

namespace ui {

// Sent to a top-level window whose DPI changed (it moved to another
// monitor, or the user changed the scale): the new DPI in the high word of
// wParam, the suggested window rectangle at lParam.
inline constexpr UINT kWmDpiChanged = 0x02E0;

// The DPI of `hwnd`'s monitor as the window sees it; the system DPI for no
// window.
int DpiOfWindow(HWND hwnd);

// The DPI of the monitor that holds `screenPoint` (or is nearest to it).
int DpiAtPoint(base::Point screenPoint);

// GetSystemMetrics for a window at `dpi`.
int SystemMetricForDpi(int index, int dpi);

// AdjustWindowRectEx for a window at `dpi`: the outer rectangle of the
// client rectangle `client`.
base::Rect OuterRectForDpi(base::Rect client, DWORD style, DWORD exStyle, int dpi);

// A window that is aware of its monitor's DPI only in the first, older way
// (Windows 10 before the Creators Update) asks here for its caption and
// frame to scale too; called at WM_NCCREATE. Later systems scale them
// anyway, earlier ones never.
void EnableNonClientScaling(HWND hwnd);

}  // namespace ui

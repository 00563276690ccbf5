#include "ui/dpi.h"

#include "ui/geometry.h"
#include "ui/later_function.h"

namespace ui {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using EnableNonClientDpiScalingFn = BOOL(WINAPI*)(HWND);

constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

// Each function is looked up once, into a static of its caller.
template <class Fn>
Fn User32(const char* name) {
    return LaterFunction<Fn>("user32.dll", name);
}

// The effective DPI of a monitor (Windows 8.1 on), else the system's.
int DpiOfMonitor(HMONITOR monitor) {
    static const auto getDpiForMonitor =
        LaterFunction<GetDpiForMonitorFn>("shcore.dll", "GetDpiForMonitor");
    UINT x = 0, y = 0;
    if (getDpiForMonitor && monitor &&
        SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &x, &y)) && y > 0) {
        return static_cast<int>(y);
    }
    return ScreenPixelsPerInch();
}

}  // namespace

int DpiOfWindow(HWND hwnd) {
    static const auto getDpiForWindow = User32<GetDpiForWindowFn>("GetDpiForWindow");
    if (!hwnd) return ScreenPixelsPerInch();
    if (getDpiForWindow) {
        if (const UINT dpi = getDpiForWindow(hwnd)) return static_cast<int>(dpi);
    }
    // Windows 8.1 knows each monitor's DPI, but not yet a window's.
    return DpiOfMonitor(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST));
}

int DpiAtPoint(base::Point screenPoint) {
    return DpiOfMonitor(MonitorFromPoint(ToPOINT(screenPoint), MONITOR_DEFAULTTONEAREST));
}

int SystemMetricForDpi(int index, int dpi) {
    static const auto forDpi = User32<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    return forDpi ? forDpi(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

base::Rect OuterRectForDpi(base::Rect client, DWORD style, DWORD exStyle, int dpi) {
    static const auto forDpi = User32<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
    RECT r = ToRECT(client);
    if (!forDpi || !forDpi(&r, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
        r = ToRECT(client);
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
    }
    return FromRECT(r);
}

void EnableNonClientScaling(HWND hwnd) {
    static const auto enable = User32<EnableNonClientDpiScalingFn>("EnableNonClientDpiScaling");
    if (enable) enable(hwnd);
}

}  // namespace ui

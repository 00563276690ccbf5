#include "ui/monitor.h"

#include "ui/geometry.h"

namespace ui {

namespace {

bool ReadWorkArea(HMONITOR monitor, base::Rect& area) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!monitor || !GetMonitorInfoA(monitor, &info)) return false;
    area = FromRECT(info.rcWork);
    return true;
}

// A monitor the system no longer answers for (unplugged a moment ago) counts
// as the primary screen, as every placement did before monitors were told
// apart.
base::Rect WorkAreaOfMonitor(HMONITOR monitor) {
    base::Rect area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    ReadWorkArea(monitor, area);
    return area;
}

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    base::Rect area;
    if (ReadWorkArea(monitor, area)) reinterpret_cast<std::vector<base::Rect>*>(list)->push_back(area);
    return TRUE;
}

}  // namespace

base::Rect WorkAreaAt(base::Point screenPoint) {
    return WorkAreaOfMonitor(MonitorFromPoint(ToPOINT(screenPoint), MONITOR_DEFAULTTONEAREST));
}

base::Rect WorkAreaOf(HWND window) {
    return WorkAreaOfMonitor(window ? MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)
                                    : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
}

std::vector<base::Rect> MonitorWorkAreas() {
    std::vector<base::Rect> areas;
    EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
    if (areas.empty()) areas.push_back(WorkAreaOf(nullptr));
    return areas;
}

}  // namespace ui

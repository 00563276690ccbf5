#include "ui/container.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/controls.h"
#include "ui/gdi.h"
#include "ui/geometry.h"
#include "ui/graphic_controls.h"

namespace ui {

GraphicControl* Container::GraphicAt(base::Point client) const {
    for (auto it = graphics_.rbegin(); it != graphics_.rend(); ++it) {
        if ((*it)->Visible() && (*it)->Bounds().Contains(client)) return *it;
    }
    return nullptr;
}

void Container::PaintGraphicChildren(HDC dc, const base::Rect& update) const {
    for (GraphicControl* g : graphics_) {
        const base::Rect bounds = g->Bounds();
        if (!g->Visible() || !bounds.Meets(update)) continue;
        DcStateGuard state(dc);
        IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
        OffsetViewportOrgEx(dc, bounds.left, bounds.top, nullptr);
        g->Paint(dc);
    }
}

void Container::PrintClient(HDC dc, LPARAM flags) const {
    RECT client;
    GetClientRect(ContainerHandle(), &client);
    if (flags & PRF_ERASEBKGND) FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    PaintGraphicChildren(dc, FromRECT(client));
}

bool Container::RouteMouse(UINT msg, WPARAM wParam, LPARAM lParam) {
    const base::Point pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const bool dbl = msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
    const unsigned shift = ShiftFromMouse(wParam, dbl);
    base::MouseButton button = base::mbLeft;
    if (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONUP || msg == WM_RBUTTONDBLCLK) button = base::mbRight;
    if (msg == WM_MBUTTONDOWN || msg == WM_MBUTTONUP || msg == WM_MBUTTONDBLCLK) button = base::mbMiddle;
    auto local = [](GraphicControl* g, base::Point p) {
        const base::Rect b = g->Bounds();
        return base::Point{p.x - b.left, p.y - b.top};
    };

    switch (msg) {
    case WM_MOUSEMOVE: {
        GraphicControl* target = captured_ ? captured_ : GraphicAt(pt);
        if (!target || !target->Enabled()) return false;
        const base::Point p = local(target, pt);
        target->MouseMove(shift, p.x, p.y);
        return true;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
        GraphicControl* target = captured_ ? captured_ : GraphicAt(pt);
        if (!target || !target->Enabled()) return false;
        if (!captured_) {
            captured_ = target;
            SetCapture(ContainerHandle());
        }
        const base::Point p = local(target, pt);
        target->MouseDown(button, shift, p.x, p.y);
        return true;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        GraphicControl* target = captured_ ? captured_ : GraphicAt(pt);
        if (!target || !target->Enabled()) return false;
        // The capture ends with the last button released, before the handler
        // runs: it may open a modal window or destroy the control.
        if (captured_ && !(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) {
            captured_ = nullptr;
            if (GetCapture() == ContainerHandle()) ReleaseCapture();
        }
        const base::Point p = local(target, pt);
        target->MouseUp(button, shift, p.x, p.y);
        return true;
    }
    default:
        return false;
    }
}

bool Container::HandleContainerMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (msg) {
    case WM_COMMAND:
        if (Control* child = Control::FromHandle(reinterpret_cast<HWND>(lParam))) {
            child->Command(HIWORD(wParam));
            return true;
        }
        return false;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (Control* child = header ? Control::FromHandle(header->hwndFrom) : nullptr) {
            bool handled = false;
            result = child->Notify(*header, handled);
            return handled;
        }
        return false;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        if (Control* child = Control::FromHandle(reinterpret_cast<HWND>(lParam))) {
            bool handled = false;
            result = child->ColorMessage(msg, reinterpret_cast<HDC>(wParam), handled);
            return handled;
        }
        return false;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != ContainerHandle()) captured_ = nullptr;
        return false;
    default:
        if ((msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK)) return RouteMouse(msg, wParam, lParam);
        return false;
    }
}

void Container::Join(GraphicControl* child) { graphics_.push_back(child); }

void Container::Leave(GraphicControl* child) {
    graphics_.erase(std::remove(graphics_.begin(), graphics_.end(), child), graphics_.end());
    if (captured_ == child) {
        captured_ = nullptr;
        if (GetCapture() == ContainerHandle()) ReleaseCapture();
    }
}

}  // namespace ui

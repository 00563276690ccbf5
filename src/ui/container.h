// The host of windowless controls: a window that holds controls, a form or a
// panel. It routes its windowed children's notifications to them, and
// paints, hit-tests and captures the mouse for its graphic children
// (ui/graphic_controls.h).
#pragma once

#include <windows.h>

#include <vector>

#include "base/geometry.h"

namespace ui {

class GraphicControl;

class Container {
public:
    virtual ~Container() = default;
    virtual HWND ContainerHandle() const = 0;

    // Graphic children in Z order: the first is painted first, the last is on top.
    const std::vector<GraphicControl*>& GraphicChildren() const { return graphics_; }
    // The topmost visible graphic child at a client point, or null.
    GraphicControl* GraphicAt(base::Point client) const;
    // The graphic child holding the mouse between press and release, or null.
    GraphicControl* MouseCapture() const { return captured_; }

protected:
    // Handles what a container does for its children; true when it did.
    bool HandleContainerMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Paints the graphic children that meet `update`, each clipped to its bounds.
    void PaintGraphicChildren(HDC dc, const base::Rect& update) const;
    // WM_PRINTCLIENT: the background when asked, then the graphic children.
    void PrintClient(HDC dc, LPARAM flags) const;

private:
    friend class GraphicControl;
    bool RouteMouse(UINT msg, WPARAM wParam, LPARAM lParam);
    // A graphic child comes and goes.
    void Join(GraphicControl* child);
    void Leave(GraphicControl* child);

    std::vector<GraphicControl*> graphics_;
    GraphicControl* captured_ = nullptr;
};

}  // namespace ui

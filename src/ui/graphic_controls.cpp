#include "ui/graphic_controls.h"

#include "ui/form.h"
#include "ui/gdi.h"

namespace ui {

// ---- GraphicControl ----

GraphicControl::GraphicControl(Form& form) : Widget(form) {}

GraphicControl::~GraphicControl() {
    if (parent_) parent_->Leave(this);
}

void GraphicControl::Create(const Args& args) {
    TakeDesign(args.design);
    const base::Rect r = ScaledBounds();
    StoreBounds({r.left, r.top, r.right, r.bottom});
    parent_ = &args.parent;
    parent_->Join(this);
    Invalidate();
}

void GraphicControl::ApplyDpi() {
    const base::Rect r = ScaledBounds();
    SetBounds(r.left, r.top, r.Width(), r.Height());
    Invalidate();  // drawn again at the new DPI even where it stays
}

void GraphicControl::Repaint(const RECT& rect) const {
    if (HWND hwnd = parent_ ? parent_->ContainerHandle() : nullptr) InvalidateRect(hwnd, &rect, TRUE);
}

void GraphicControl::Invalidate() const { Repaint(Bounds()); }

void GraphicControl::SetBounds(int left, int top, int width, int height) {
    const RECT bounds{left, top, left + width, top + height};
    const RECT old = Bounds();
    if (EqualRect(&bounds, &old)) return;
    Repaint(old);
    StoreBounds(bounds);
    Repaint(bounds);
}

int GraphicControl::Width() const {
    const RECT r = Bounds();
    return r.right - r.left;
}

int GraphicControl::Height() const {
    const RECT r = Bounds();
    return r.bottom - r.top;
}

RECT GraphicControl::ScreenBounds() const {
    RECT r = Bounds();
    MapWindowPoints(parent_->ContainerHandle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void GraphicControl::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    Invalidate();
}

void GraphicControl::SetEnabled(bool enabled) {
    if (Enabled() == enabled) return;
    StoreEnabled(enabled);
    Invalidate();
}

void GraphicControl::MouseDown(base::MouseButton button, unsigned, int, int) {
    if (button == base::mbLeft) pressed_ = true;
}

void GraphicControl::MouseMove(unsigned, int, int) {}

void GraphicControl::MouseUp(base::MouseButton button, unsigned, int x, int y) {
    if (button != base::mbLeft) return;
    const bool click = pressed_ && x >= 0 && y >= 0 && x < Width() && y < Height();
    pressed_ = false;
    if (click && OnClick) OnClick(*this);
}

// ---- PlainGraphic ----

PlainGraphic::~PlainGraphic() { Repaint(bounds_); }

}  // namespace ui

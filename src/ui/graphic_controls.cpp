#include "ui/graphic_controls.h"

#include "ui/form.h"
#include "ui/gdi.h"
#include "ui/geometry.h"

namespace ui {

// ---- GraphicControl ----

GraphicControl::GraphicControl(Form& form) : Widget(form) {}

GraphicControl::~GraphicControl() {
    if (parent_) parent_->Leave(this);
}

void GraphicControl::Create(const Args& args) {
    TakeDesign(args.design);
    StoreBounds(ScaledBounds());
    parent_ = &args.parent;
    parent_->Join(this);
    Invalidate();
}

void GraphicControl::ApplyDpi() {
    SetBounds(ScaledBounds());
    Invalidate();  // drawn again at the new DPI even where it stays
}

void GraphicControl::Repaint(const base::Rect& rect) const {
    const RECT r = ToRECT(rect);
    if (HWND hwnd = parent_ ? parent_->ContainerHandle() : nullptr) InvalidateRect(hwnd, &r, TRUE);
}

void GraphicControl::Invalidate() const { Repaint(Bounds()); }

void GraphicControl::SetBounds(const base::Rect& bounds) {
    const base::Rect old = Bounds();
    if (bounds == old) return;
    Repaint(old);
    StoreBounds(bounds);
    Repaint(bounds);
}

int GraphicControl::Width() const { return Bounds().Width(); }

int GraphicControl::Height() const { return Bounds().Height(); }

base::Rect GraphicControl::ScreenBounds() const {
    RECT r = ToRECT(Bounds());
    MapWindowPoints(parent_->ContainerHandle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return FromRECT(r);
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

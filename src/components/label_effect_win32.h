// The effect label on Win32: a windowless control of a form or panel that
// owns its TLabelEffect and paints it with GDI, composed off screen in two
// 32-bit memory images (text without smoothing, so the exact-colour masks of
// the real passes and the face gradient select glyph pixels only) and copied
// onto the parent's surface once.
#pragma once

#include <windows.h>

#include <functional>

#include "components/label_effect.h"
#include "ui/controls.h"

namespace quillet {

// Paints `label` onto `dc`, whose origin is the label's top-left corner.
// Throws when a memory image cannot be made; `dc` is then left as it was.
void PaintLabelEffect(const TLabelEffect& label, HDC dc);

using LabelMouseEvent = std::function<void(ui::Widget& sender, base::MouseButton button,
                                           unsigned shift, int x, int y)>;
using LabelMouseMoveEvent = std::function<void(ui::Widget& sender, unsigned shift, int x, int y)>;

class TLabelEffectControl : public ui::GraphicControl {
public:
    // The label starts with the design's bounds and caption and the model's
    // other values.
    TLabelEffectControl(ui::Form& form, ui::Container& parent, const ui::ControlDesign& design);

    // The label's properties; each change that needs it repaints the label's
    // rectangle.
    TLabelEffect& Label() { return label_; }
    const TLabelEffect& Label() const { return label_; }

    // Moves the control and the label together.
    void SetBounds(int left, int top, int width, int height);

    // A paint that fails is shown by the general error report.
    void Paint(HDC dc) override;
    void MouseDown(base::MouseButton button, unsigned shift, int x, int y) override;
    void MouseMove(unsigned shift, int x, int y) override;
    void MouseUp(base::MouseButton button, unsigned shift, int x, int y) override;

    // Raised while the label does not act as a button. OnClick (the base's)
    // follows a left press and release inside the label either way.
    LabelMouseEvent OnMouseDown;
    LabelMouseMoveEvent OnMouseMove;
    LabelMouseEvent OnMouseUp;

private:
    TLabelEffect label_;
};

}  // namespace quillet

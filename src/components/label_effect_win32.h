// The effect label on Win32: a windowless control of a form or panel that
// owns its TLabelEffect and paints it with GDI, composed off screen in two
// 32-bit memory images (text without smoothing, so the exact-colour masks of
// the real passes and the face gradient select glyph pixels only) and copied
// onto the parent's surface once.
#pragma once

#include <windows.h>

#include <functional>

#include "components/label_effect.h"
#include "ui/graphic_controls.h"

namespace quillet {

// Paints `label` onto `dc`, whose origin is the label's top-left corner.
// Throws when a memory image cannot be made; `dc` is then left as it was.
void PaintLabelEffect(const TLabelEffect& label, HDC dc);

using LabelMouseEvent = std::function<void(ui::Widget& sender, base::MouseButton button,
                                           unsigned shift, int x, int y)>;
using LabelMouseMoveEvent = std::function<void(ui::Widget& sender, unsigned shift, int x, int y)>;

// The model keeps the control's rectangle and enabled flag, and only the
// model: move and enable the label through the control's SetBounds and
// SetEnabled, which also repaint the place it leaves.
class TLabelEffectControl final : public ui::GraphicControl {
public:
    explicit TLabelEffectControl(ui::Form& form);
    ~TLabelEffectControl() override;
    // The label takes the design's bounds and caption and keeps the model's
    // other values.
    void Create(const Args& args) override;

    // The label's properties; each change that needs it repaints the label's
    // rectangle.
    TLabelEffect& Label() { return label_; }
    const TLabelEffect& Label() const { return label_; }

    base::Rect Bounds() const override;
    bool Enabled() const override { return label_.Enabled(); }
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

protected:
    void StoreBounds(const base::Rect& bounds) override;
    void StoreEnabled(bool enabled) override { label_.SetEnabled(enabled); }

private:
    TLabelEffect label_;
};

}  // namespace quillet

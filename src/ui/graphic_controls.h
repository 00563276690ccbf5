// Controls without a window of their own. Their container (ui/container.h)
// paints each in its own WM_PAINT (clipped to the control's bounds, origin at
// its top-left corner), routes the mouse to it with capture from press to
// release, and finds it for hints. A repaint request invalidates just its
// rectangle.
#pragma once

#include <windows.h>

#include <string>

#include "base/mouse.h"
#include "ui/container.h"
#include "ui/controls.h"
#include "ui/font.h"

namespace ui {

// Where a graphic control goes: the container that paints it, and its design.
struct GraphicArgs {
    Container& parent;
    ControlDesign design;
};

// A graphic control as its container sees it. Made in two steps like the
// windowed ones: construct, then Create. Where it keeps its rectangle and
// enabled flag is its kind's affair (PlainGraphic keeps them itself; a
// control with a model of its own leaves them to the model), so that each is
// stored once and moved through the one SetBounds.
class GraphicControl : public Widget {
public:
    using Args = GraphicArgs;

    explicit GraphicControl(Form& form);
    ~GraphicControl() override;

    // Joins the container and takes the design's name, hint and place. A
    // kind that takes more of the design adds to this.
    virtual void Create(const Args& args);
    // Takes the designed place at the form's DPI.
    void ApplyDpi() override;

    Container& Parent() const { return *parent_; }

    // The rectangle in the container's client coordinates.
    virtual base::Rect Bounds() const = 0;
    // Repaints where the control was and where it goes.
    void SetBounds(const base::Rect& bounds);
    int Width() const;
    int Height() const;
    base::Rect ScreenBounds() const override;

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // A disabled control gets no mouse events.
    virtual bool Enabled() const = 0;
    void SetEnabled(bool enabled);

    // Asks the container to repaint this control's rectangle.
    void Invalidate() const;

    // Draws the control on `dc`, whose origin is the control's top-left
    // corner and whose clipping keeps drawing inside it.
    virtual void Paint(HDC dc) = 0;
    // Mouse events in the control's own coordinates.
    virtual void MouseDown(base::MouseButton button, unsigned shift, int x, int y);
    virtual void MouseMove(unsigned shift, int x, int y);
    virtual void MouseUp(base::MouseButton button, unsigned shift, int x, int y);

    NotifyEvent OnClick;

protected:
    // Asks the container to repaint `rect` (client coordinates).
    void Repaint(const base::Rect& rect) const;
    // Where the kind keeps its rectangle and enabled flag; the callers repaint.
    virtual void StoreBounds(const base::Rect& bounds) = 0;
    virtual void StoreEnabled(bool enabled) = 0;

private:
    Container* parent_ = nullptr;  // null until made
    bool visible_ = true;
    bool pressed_ = false;  // a left press began here: the release clicks
};

// A graphic control that keeps its rectangle and enabled flag itself.
class PlainGraphic : public GraphicControl {
public:
    using GraphicControl::GraphicControl;
    // Repaints the place it leaves.
    ~PlainGraphic() override;

    base::Rect Bounds() const override { return bounds_; }
    bool Enabled() const override { return enabled_; }

protected:
    void StoreBounds(const base::Rect& bounds) override { bounds_ = bounds; }
    void StoreEnabled(bool enabled) override { enabled_ = enabled; }

private:
    base::Rect bounds_;
    bool enabled_ = true;
};

}  // namespace ui

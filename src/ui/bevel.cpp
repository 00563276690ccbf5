#include "ui/bevel.h"

namespace ui {

namespace {

ControlDesign Untabbed(ControlDesign design) {
    design.tabStop = false;
    return design;
}

}  // namespace

Bevel::Bevel(Form& form, HWND parent, const ControlDesign& design)
    : Control(form, parent, Untabbed(design), "STATIC", WS_VISIBLE | SS_ETCHEDHORZ) {
    // The system widens an etched line by its edges; keep the designed box.
    SetBounds(design.left, design.top, design.width, design.height);
}

}  // namespace ui

#include "ui/bevel.h"

namespace ui {

Bevel::Bevel(Form& form, Container& parent, const ControlDesign& design)
    : GraphicControl(form, parent, design) {}

void Bevel::Paint(HDC dc) {
    RECT r{0, 0, Width(), Height()};
    // The shadow colour in the first row, the highlight in the second.
    DrawEdge(dc, &r, EDGE_ETCHED, BF_TOP);
}

}  // namespace ui

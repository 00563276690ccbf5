// A bevel drawn as a line: a windowless control whose top edge is a lowered
// (etched) line across its width, as dialogs use to divide a heading from
// what follows.
#pragma once

#include <windows.h>

#include "ui/controls.h"

namespace ui {

class Bevel : public GraphicControl {
public:
    Bevel(Form& form, Container& parent, const ControlDesign& design);
    void Paint(HDC dc) override;
};

}  // namespace ui

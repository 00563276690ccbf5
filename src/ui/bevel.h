// A bevel drawn as a line: a lowered (etched) horizontal line across the
// control's width, as dialogs use to divide a heading from what follows.
#pragma once

#include <windows.h>

#include "ui/controls.h"

namespace ui {

class Bevel : public Control {
public:
    Bevel(Form& form, HWND parent, const ControlDesign& design);
};

}  // namespace ui

// The application's main form, for components that need an owner window when
// they were given none.
#pragma once

#include <windows.h>

namespace ui {

// The main form's window, or null before it exists.
HWND MainFormHandle();

}  // namespace ui

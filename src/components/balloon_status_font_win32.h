// The system's status-bar font, which balloons of the hsSystem style use.
#pragma once

#include <optional>

#include "base/font.h"
#include "ui/font.h"

namespace quillet {

// The font stored as "StatusFont" under the user's window metrics, with its
// height in pixels at `dpi`; nothing when the value is missing or of an
// unknown layout.
std::optional<base::FontDescription> SystemStatusFont(int dpi = ui::ScreenPixelsPerInch());

}  // namespace quillet

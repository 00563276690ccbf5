// Replacing a file on Windows without ever losing the old one.
#pragma once

#include <string>

#include "core/platform.h"

namespace quillet {

// Writes `bytes` to a temporary file in the target's directory, flushes it and
// moves it over the target in one step. On any failure the target is left
// exactly as it was and the temporary file is removed.
WriteResult WriteFileReplacingWin32(const std::string& path, const std::string& bytes);

}  // namespace quillet

// Splitting DOS-style paths. Paths use backslashes and colons as separators,
// as the compilers' files do.
#pragma once

#include <string>

namespace quillet {

// The path with its extension replaced by `ext` (which includes its dot). The
// extension is the text from the last full stop after the last backslash or
// colon; a name without one gets `ext` appended.
std::string ReplaceExtension(const std::string& path, const std::string& ext);

// The directory part: everything up to and including the last backslash or
// colon (empty when there is neither).
std::string ExtractFilePath(const std::string& path);

// The name part: everything after the last backslash or colon.
std::string ExtractFileName(const std::string& path);

// The directory of a file path: up to its last backslash or colon, without
// that backslash unless it follows a colon or another backslash.
std::string ExtractFileDir(const std::string& path);

}  // namespace quillet

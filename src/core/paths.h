// Splitting DOS-style paths. A backslash or a colon ends a directory part, and
// so does a forward slash, which Windows takes for a backslash wherever a path
// is typed.
#pragma once

#include <string>

namespace quillet {

// The characters that end a directory name: backslash and forward slash.
inline constexpr const char* kDirSeparators = "\\/";

inline bool IsDirSeparator(char c) { return c == '\\' || c == '/'; }

// The path with its extension replaced by `ext` (which includes its dot). The
// extension is the text from the last full stop after the last separator or
// colon; a name without one gets `ext` appended.
std::string ReplaceExtension(const std::string& path, const std::string& ext);

// The directory part: everything up to and including the last separator or
// colon (empty when there is none).
std::string ExtractFilePath(const std::string& path);

// The name part: everything after the last separator or colon.
std::string ExtractFileName(const std::string& path);

// Whether two paths name the same file as Windows compares them: letter case
// of A to Z aside, and with either separator.
bool SamePath(const std::string& a, const std::string& b);

// The directory of a file path: up to its last separator or colon, without
// that separator unless it follows a colon or another separator.
std::string ExtractFileDir(const std::string& path);

}  // namespace quillet

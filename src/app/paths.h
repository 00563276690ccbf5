// Small text helpers for DOS-style paths and for the memo's lines. Paths use
// backslashes and colons as separators, as the compilers' files do.
#pragma once

#include <string>
#include <vector>

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

// Upper case of the ASCII letters a to z only.
std::string UpperAscii(std::string text);

// Lines of a text box: split at CR LF (or a lone LF or CR); a final line break
// does not start another line.
std::vector<std::string> SplitLines(const std::string& text);

// Each line followed by CR LF, the last one too.
std::string JoinLines(const std::vector<std::string>& lines);

// Decimal text of a value, as the settings file stores it.
std::string IntToStr(long long value);

}  // namespace quillet

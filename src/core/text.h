// Small text helpers: ASCII case, the text box's lines, decimal numbers.
#pragma once

#include <string>
#include <vector>

namespace quillet {

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

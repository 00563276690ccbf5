#include "core/paths.h"

#include <algorithm>

namespace quillet {

namespace {

// Position just after the last separator or colon, 0 when there is none.
std::size_t NameStart(const std::string& path) {
    const std::size_t sep = path.find_last_of("\\/:");
    return sep == std::string::npos ? 0 : sep + 1;
}

// A character as path comparison sees it.
char Folded(char c) {
    if (c == '/') return '\\';
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

std::string ReplaceExtension(const std::string& path, const std::string& ext) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < NameStart(path)) return path + ext;
    return path.substr(0, dot) + ext;
}

std::string ExtractFilePath(const std::string& path) { return path.substr(0, NameStart(path)); }

std::string ExtractFileName(const std::string& path) { return path.substr(NameStart(path)); }

bool SamePath(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return Folded(x) == Folded(y); });
}

std::string ExtractFileDir(const std::string& path) {
    const std::size_t start = NameStart(path);
    if (start == 0) return {};
    const std::size_t sep = start - 1;
    if (IsDirSeparator(path[sep]) && sep > 0 && path[sep - 1] != ':' &&
        !IsDirSeparator(path[sep - 1])) {
        return path.substr(0, sep);
    }
    return path.substr(0, start);
}

}  // namespace quillet

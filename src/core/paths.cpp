#include "core/paths.h"

namespace quillet {

namespace {

// Position just after the last backslash or colon, 0 when there is neither.
std::size_t NameStart(const std::string& path) {
    const std::size_t sep = path.find_last_of("\\:");
    return sep == std::string::npos ? 0 : sep + 1;
}

}  // namespace

std::string ReplaceExtension(const std::string& path, const std::string& ext) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < NameStart(path)) return path + ext;
    return path.substr(0, dot) + ext;
}

std::string ExtractFilePath(const std::string& path) { return path.substr(0, NameStart(path)); }

std::string ExtractFileName(const std::string& path) { return path.substr(NameStart(path)); }

std::string ExtractFileDir(const std::string& path) {
    const std::size_t start = NameStart(path);
    if (start == 0) return {};
    const std::size_t sep = start - 1;
    if (path[sep] == '\\' && sep > 0 && path[sep - 1] != ':' && path[sep - 1] != '\\') {
        return path.substr(0, sep);
    }
    return path.substr(0, start);
}

}  // namespace quillet

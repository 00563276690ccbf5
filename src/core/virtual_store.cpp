#include "core/virtual_store.h"

#include "core/paths.h"
#include "core/platform.h"

namespace quillet {

std::string VirtualStoreTwin(const std::string& root, const std::string& path) {
    const bool drive = path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    if (root.empty() || !drive) return "";
    std::string twin = root;
    if (twin.back() != '\\') twin += '\\';
    for (std::size_t i = 3; i < path.size(); ++i) twin += path[i] == '/' ? '\\' : path[i];
    return twin;
}

std::string HiddenCopyOf(Platform& platform, const std::string& path) {
    const std::string root = platform.VirtualStoreRoot();
    if (root.empty()) return "";
    std::string dir = platform.LongPath(ExtractFilePath(path));
    if (!dir.empty() && !IsDirSeparator(dir.back())) dir += '\\';
    const std::string twin = VirtualStoreTwin(root, dir + ExtractFileName(path));
    return !twin.empty() && platform.FileExists(twin) ? twin : "";
}

}  // namespace quillet

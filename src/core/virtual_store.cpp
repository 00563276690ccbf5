#include "core/virtual_store.h"

namespace quillet {

std::string VirtualStoreTwin(const std::string& root, const std::string& path) {
    const bool drive = path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    if (root.empty() || !drive) return "";
    std::string twin = root;
    if (twin.back() != '\\') twin += '\\';
    for (std::size_t i = 3; i < path.size(); ++i) twin += path[i] == '/' ? '\\' : path[i];
    return twin;
}

}  // namespace quillet

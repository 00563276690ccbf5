#include "core/registry_text.h"

#include <cstring>
#include <vector>

namespace quillet {

namespace {

// After this many rounds of a value that keeps growing, it reads as empty.
constexpr int kMaxReadAttempts = 8;

// Far beyond any path list, far below what a 32-bit process can allocate: a
// larger size answer reads as empty rather than asking for gigabytes (and
// size + 1 cannot wrap).
constexpr std::uint32_t kMaxTextBytes = 16u << 20;

}  // namespace

std::string ReadRegistryText(const RegValueQuery& query) {
    RegQueryAnswer answer = query(nullptr, 0);
    if (answer.status != RegQueryStatus::Success || !answer.isText) return {};
    std::uint32_t size = answer.size;

    for (int attempt = 0; attempt < kMaxReadAttempts; ++attempt) {
        if (size > kMaxTextBytes) return {};
        // One spare byte beyond what is offered, so the text always ends in a
        // zero even when the stored value has none.
        std::vector<char> buffer(static_cast<std::size_t>(size) + 1, '\0');
        answer = query(buffer.data(), size);
        if (answer.status == RegQueryStatus::MoreData) {
            size = answer.size > size ? answer.size : size * 2 + 16;
            continue;
        }
        if (answer.status != RegQueryStatus::Success || !answer.isText) return {};
        // Only the bytes the call reported are the value's; stop at the first
        // zero among them.
        const std::size_t length = answer.size < size ? answer.size : size;
        const char* end = static_cast<const char*>(std::memchr(buffer.data(), '\0', length));
        return std::string(buffer.data(), end == nullptr ? length : end - buffer.data());
    }
    return {};
}

}  // namespace quillet

#include "core/registry_text.h"

#include <algorithm>
#include <cstring>

#include "ui/grow_buffer.h"

namespace quillet {

// Far beyond any path list, far below what a 32-bit process can allocate: a
// larger size answer reads as empty rather than asking for gigabytes.
constexpr std::size_t kMaxTextBytes = 16u << 20;

std::string ReadRegistryText(const RegValueQuery& query) {
    const RegQueryAnswer first = query(nullptr, 0);
    if (first.status != RegQueryStatus::Success || !first.isText) return {};
    return ui::ReadGrowing(
        [&](char* buffer, std::size_t capacity) -> ui::GrowRead {
            const auto offered = static_cast<std::uint32_t>(capacity);
            const RegQueryAnswer answer = query(buffer, offered);
            if (answer.status == RegQueryStatus::MoreData) return {ui::GrowRead::Grow, answer.size};
            if (answer.status != RegQueryStatus::Success || !answer.isText) return {ui::GrowRead::Fail};
            // Only the bytes the call reported are the value's; the text ends
            // at the first zero among them.
            const std::size_t length = std::min<std::size_t>(answer.size, offered);
            const char* end = static_cast<const char*>(std::memchr(buffer, '\0', length));
            return {ui::GrowRead::Done, end == nullptr ? length : static_cast<std::size_t>(end - buffer)};
        },
        first.size, kMaxTextBytes);
}

}  // namespace quillet

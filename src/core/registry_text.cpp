#include "core/registry_text.h"

#include <algorithm>
#include <cstring>

#include "base/grow_buffer.h"

namespace quillet {
namespace {

// Far beyond any path list, far below what a 32-bit process can allocate: a
// larger size answer reads as empty rather than asking for gigabytes.
constexpr std::size_t kMaxValueBytes = 16u << 20;

// The value whole; `text` takes only string values, and ends the value at the
// first zero byte.
std::string ReadValue(const RegValueQuery& query, bool text) {
    const RegQueryAnswer first = query(nullptr, 0);
    if (first.status != RegQueryStatus::Success || (text && !first.isText)) return {};
    return base::ReadGrowing(
        [&](char* buffer, std::size_t capacity) -> base::GrowRead {
            const auto offered = static_cast<std::uint32_t>(capacity);
            const RegQueryAnswer answer = query(buffer, offered);
            if (answer.status == RegQueryStatus::MoreData) return {base::GrowRead::Grow, answer.size};
            if (answer.status != RegQueryStatus::Success || (text && !answer.isText))
                return {base::GrowRead::Fail};
            // Only the bytes the call reported are the value's; a text ends at
            // the first zero among them.
            const std::size_t length = std::min<std::size_t>(answer.size, offered);
            const char* end = text ? static_cast<const char*>(std::memchr(buffer, '\0', length)) : nullptr;
            return {base::GrowRead::Done, end == nullptr ? length : static_cast<std::size_t>(end - buffer)};
        },
        first.size, kMaxValueBytes);
}

}  // namespace

RegQueryAnswer RegQueryAnswerOf(long result, unsigned long type, std::uint32_t size) {
    constexpr long kSuccess = 0, kMoreData = 234;            // ERROR_SUCCESS, ERROR_MORE_DATA
    constexpr unsigned long kString = 1, kExpandString = 2;  // REG_SZ, REG_EXPAND_SZ
    RegQueryAnswer answer;
    answer.status = result == kSuccess    ? RegQueryStatus::Success
                    : result == kMoreData ? RegQueryStatus::MoreData
                                          : RegQueryStatus::Failed;
    answer.isText = type == kString || type == kExpandString;
    answer.size = size;
    return answer;
}

std::string ReadRegistryText(const RegValueQuery& query) { return ReadValue(query, true); }

std::vector<std::uint8_t> ReadRegistryBytes(const RegValueQuery& query) {
    const std::string bytes = ReadValue(query, false);
    return {bytes.begin(), bytes.end()};
}

}  // namespace quillet

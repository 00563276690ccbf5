#include "core/registry_text.h"

#include <algorithm>

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
            if (answer.status == RegQueryStatus::MoreData)
                return {base::GrowRead::Grow, answer.size};
            if (answer.status != RegQueryStatus::Success || (text && !answer.isText))
                return {base::GrowRead::Fail};
            // Only the bytes the call reported are the value's; a text ends at
            // the first zero among them.
            std::size_t length = std::min<std::size_t>(answer.size, offered);
            if (text) length = static_cast<std::size_t>(std::find(buffer, buffer + length, '\0') - buffer);
            return {base::GrowRead::Done, length};
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

// Reading a registry value whole, as text or as bytes. The value's size is
// known only by asking, and another process may rewrite the value between
// asking and reading, so the buffer grows until a read succeeds. The policy is kept apart
// from the registry calls so that it runs, and is tested, without Windows.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quillet {

enum class RegQueryStatus { Success, MoreData, Failed };

struct RegQueryAnswer {
    RegQueryStatus status = RegQueryStatus::Failed;
    bool isText = false;     // REG_SZ or REG_EXPAND_SZ
    std::uint32_t size = 0;  // bytes written; for MoreData or a size query, bytes needed
};

// The answer of RegQueryValueExA from its result code, the value's type and
// the size it reported.
RegQueryAnswer RegQueryAnswerOf(long result, unsigned long type, std::uint32_t size);

// One query of the value: into `buffer`, which holds `capacity` bytes, or for
// its type and size alone when `buffer` is null (RegQueryValueExA's contract).
using RegValueQuery = std::function<RegQueryAnswer(char* buffer, std::uint32_t capacity)>;

// The value's text up to its first zero byte. Empty when the value is missing,
// is not text, fails to read, keeps growing while it is being read, or claims
// more than 16 MiB.
std::string ReadRegistryText(const RegValueQuery& query);

// The value's bytes, whatever its type. Empty when the value is missing,
// fails to read, keeps growing while it is being read, or claims more than
// 16 MiB.
std::vector<std::uint8_t> ReadRegistryBytes(const RegValueQuery& query);

}  // namespace quillet

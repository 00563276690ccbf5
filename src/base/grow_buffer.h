// The one way this program reads a text of unknown length from an interface
// that fills a caller's buffer: ask with a buffer, and when the answer says
// the text did not fit, ask again with a larger one. Portable and header-only,
// so that the registry, profile, path and link readers share it and the rule
// itself is tested without Windows.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>

namespace base {

// What one attempt found.
struct GrowRead {
    enum Kind { Done, Grow, Fail } kind;
    // Done: the text's length. Grow: the capacity the text needs, when the
    // interface tells (0 when it does not).
    std::size_t length = 0;
};

// Calls `attempt(buffer, capacity)` with a buffer of `capacity` bytes (and a
// spare zero byte beyond them), growing at least twofold after each Grow.
// Gives up, with empty text, on Fail, beyond `limit` bytes or after
// `maxRounds` attempts (a text that keeps growing while it is read).
template <class Attempt>
std::string ReadGrowing(Attempt&& attempt, std::size_t first = 260, std::size_t limit = 16u << 20,
                        int maxRounds = 8) {
    std::size_t capacity = first;
    for (int round = 0; round < maxRounds && capacity <= limit; ++round) {
        std::string buffer(capacity + 1, '\0');
        const GrowRead read = attempt(buffer.data(), capacity);
        if (read.kind == GrowRead::Fail) return {};
        if (read.kind == GrowRead::Done) {
            buffer.resize(std::min(read.length, capacity));
            return buffer;
        }
        capacity = std::max(read.length, capacity * 2 + 16);
    }
    return {};
}

}  // namespace base

#include "config/registry_win32.h"

#include <cstring>
#include <vector>

#include "core/platform.h"

namespace quillet {

namespace {

class RegKeyHandle {
public:
    explicit RegKeyHandle(HKEY key) : key_(key) {}
    RegKeyHandle(const RegKeyHandle&) = delete;
    RegKeyHandle& operator=(const RegKeyHandle&) = delete;
    ~RegKeyHandle() { RegCloseKey(key_); }
    HKEY get() const { return key_; }

private:
    HKEY key_;
};

bool IsTextType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// Another process may rewrite the value between the size query and the read;
// after this many rounds of a value that keeps growing, it reads as empty.
constexpr int kMaxReadAttempts = 8;

}  // namespace

std::string ReadRegString(HKEY root, const std::string& key, const std::string& value) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        return kUnableToOpenKey;
    }
    const RegKeyHandle handle(opened);

    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(handle.get(), value.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        !IsTextType(type)) {
        return {};
    }

    for (int attempt = 0; attempt < kMaxReadAttempts; ++attempt) {
        // One spare byte beyond what is offered, so the text always ends in a
        // zero even when the stored value has none.
        std::vector<char> buffer(static_cast<std::size_t>(size) + 1, '\0');
        DWORD got = size;
        const LONG result = RegQueryValueExA(handle.get(), value.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE*>(buffer.data()), &got);
        if (result == ERROR_MORE_DATA) {
            size = got > size ? got : size * 2 + 16;
            continue;
        }
        if (result != ERROR_SUCCESS || !IsTextType(type)) return {};
        // Only the bytes the call reported are the value's; stop at the first
        // zero among them.
        const std::size_t length = got < size ? got : size;
        const char* end = static_cast<const char*>(std::memchr(buffer.data(), '\0', length));
        return std::string(buffer.data(), end == nullptr ? length : end - buffer.data());
    }
    return {};
}

std::string ReadPrivateProfileString(const std::string& file, const std::string& section,
                                     const std::string& key, const std::string& def) {
    std::vector<char> buffer(256);
    for (;;) {
        const DWORD length = GetPrivateProfileStringA(
            section.c_str(), key.c_str(), def.c_str(), buffer.data(),
            static_cast<DWORD>(buffer.size()), file.c_str());
        // A result that fills the buffer (all but its terminating zero) may
        // have been cut: try again with more room.
        if (length + 1 < buffer.size()) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace quillet

#include "config/registry_win32.h"

#include "core/platform.h"
#include "core/registry_text.h"
#include "ui/grow_buffer.h"

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

}  // namespace

std::string ReadRegString(HKEY root, const std::string& key, const std::string& value) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        return kUnableToOpenKey;
    }
    const RegKeyHandle handle(opened);
    return ReadRegistryText([&](char* buffer, std::uint32_t capacity) {
        DWORD type = 0;
        DWORD size = capacity;
        const LONG result = RegQueryValueExA(handle.get(), value.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE*>(buffer), &size);
        RegQueryAnswer answer;
        answer.status = result == ERROR_SUCCESS    ? RegQueryStatus::Success
                        : result == ERROR_MORE_DATA ? RegQueryStatus::MoreData
                                                    : RegQueryStatus::Failed;
        answer.isText = type == REG_SZ || type == REG_EXPAND_SZ;
        answer.size = size;
        return answer;
    });
}

std::string ReadPrivateProfileString(const std::string& file, const std::string& section,
                                     const std::string& key, const std::string& def) {
    return ui::ReadGrowing([&](char* buffer, std::size_t capacity) -> ui::GrowRead {
        const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(),
                                                      buffer, static_cast<DWORD>(capacity),
                                                      file.c_str());
        // A result that fills the buffer (all but its terminating zero) may
        // have been cut.
        if (length + 1 < capacity) return {ui::GrowRead::Done, length};
        return {ui::GrowRead::Grow};
    });
}

}  // namespace quillet

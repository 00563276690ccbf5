#include "config/registry_win32.h"

#include "base/grow_buffer.h"
#include "core/platform.h"
#include "core/registry_text.h"
#include "ui/handles.h"

namespace quillet {

std::string ReadRegString(HKEY root, const std::string& key, const std::string& value) {
    HKEY opened = nullptr;
    // The 32-bit Delphi installers wrote the machine's keys into the 32-bit
    // view; a 64-bit build of this program reads them there too.
    const REGSAM access = root == HKEY_LOCAL_MACHINE ? KEY_READ | KEY_WOW64_32KEY : KEY_READ;
    if (RegOpenKeyExA(root, key.c_str(), 0, access, &opened) != ERROR_SUCCESS) {
        return kUnableToOpenKey;
    }
    const ui::RegistryKey handle(opened);
    return ReadRegistryText([&](char* buffer, std::uint32_t capacity) {
        DWORD type = 0;
        DWORD size = capacity;
        const LONG result = RegQueryValueExA(handle.Get(), value.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE*>(buffer), &size);
        return RegQueryAnswerOf(result, type, size);
    });
}

std::string ReadPrivateProfileString(const std::string& file, const std::string& section,
                                     const std::string& key, const std::string& def) {
    return base::ReadGrowing([&](char* buffer, std::size_t capacity) -> base::GrowRead {
        const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(),
                                                      buffer, static_cast<DWORD>(capacity),
                                                      file.c_str());
        // A result that fills the buffer (all but its terminating zero) may
        // have been cut.
        if (length + 1 < capacity) return {base::GrowRead::Done, length};
        return {base::GrowRead::Grow};
    });
}

}  // namespace quillet

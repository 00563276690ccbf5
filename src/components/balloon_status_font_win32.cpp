#include "components/balloon_status_font_win32.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "components/balloon_hint.h"
#include "core/registry_text.h"
#include "ui/font.h"
#include "ui/handles.h"

namespace quillet {
namespace {

std::string ToAnsi(const std::u16string& wide) {
    if (wide.empty()) return {};
    const auto* w = reinterpret_cast<const wchar_t*>(wide.data());
    const int n = static_cast<int>(wide.size());
    const int size = WideCharToMultiByte(CP_ACP, 0, w, n, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) WideCharToMultiByte(CP_ACP, 0, w, n, ansi.data(), size, nullptr, nullptr);
    return ansi;
}

// The bytes of the status-bar font value; none when unreadable.
std::vector<std::uint8_t> ReadStatusFontValue() {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop\\WindowMetrics", 0,
                      KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return {};
    const ui::RegistryKey owned(opened);
    return ReadRegistryBytes([key = owned.Get()](char* buffer, std::uint32_t capacity) {
        DWORD type = 0;
        DWORD size = capacity;
        const LONG result = RegQueryValueExA(key, "StatusFont", nullptr, &type,
                                             reinterpret_cast<BYTE*>(buffer), &size);
        return RegQueryAnswerOf(result, type, size);
    });
}

}  // namespace

std::optional<base::FontDescription> SystemStatusFont(int dpi) {
    return StatusFontFromValue(ReadStatusFontValue(), dpi, ToAnsi);
}

}  // namespace quillet

#include "core/settings.h"

#include <climits>

#include "core/paths.h"
#include "core/text.h"

namespace quillet {

std::string SettingsFileFor(const std::string& exePath) { return ReplaceExtension(exePath, ".ini"); }

int ParseProfileInt(const std::string& text, int def) {
    if (text.empty()) return def;
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    if (value < INT_MIN) value = INT_MIN;
    return static_cast<int>(value);
}

int PositionCoordinate(int stored, int screenExtent, int windowExtent, int designed) {
    // Computed in 64 bits: a stored value, screen or window extent near the
    // int range must not wrap. Half of any int difference is an int again.
    const long long v = stored;
    const long long room = static_cast<long long>(screenExtent) - windowExtent;
    if (v > room) return designed;
    long long coordinate = v;
    if (v == 0) {
        coordinate = room / 2;
    } else if (v < 0) {
        coordinate = -v / 2;
    }
    // Half of a large negative value (a window last closed on a monitor left
    // of or above the main one) lands beyond the far edge; a window that would
    // not lie wholly on the screen takes its designed place instead.
    if (coordinate < 0 || coordinate > room) return designed;
    return static_cast<int>(coordinate);
}

base::Point RestoredPosition(base::Point stored, base::Size window,
                             const std::vector<base::Rect>& workAreas, base::Size primaryScreen,
                             base::Point designed) {
    if (stored.x != 0 && stored.y != 0) {
        // In 64 bits: a stored value near the int range must not wrap.
        const auto within = [&](const base::Rect& area) {
            const long long left = stored.x, top = stored.y;
            return left >= area.left && top >= area.top &&
                   left + window.width <= area.right && top + window.height <= area.bottom;
        };
        for (const base::Rect& area : workAreas) {
            if (within(area)) return stored;
        }
    }
    return {PositionCoordinate(stored.x, primaryScreen.width, window.width, designed.x),
            PositionCoordinate(stored.y, primaryScreen.height, window.height, designed.y)};
}

Settings::Settings(Platform& platform, std::string fileName)
    : platform_(platform), file_(std::move(fileName)) {}

int Settings::ReadInt(const char* section, const char* key, int def) const {
    return ParseProfileInt(platform_.ReadProfileString(file_, section, key, ""), def);
}

std::string Settings::ReadText(const char* section, const char* key, const std::string& def) const {
    return platform_.ReadProfileString(file_, section, key, def);
}

void Settings::WriteInt(const char* section, const char* key, int value) {
    WriteText(section, key, IntToStr(value));
}

void Settings::WriteText(const char* section, const char* key, const std::string& value) {
    // A failed write is not reported: the program goes on with its values.
    platform_.WriteProfileText(file_, section, key, value);
}

void Settings::SavePosition(int left, int top) {
    WriteInt(kSectionWindowPositions, kKeyLeft, left);
    WriteInt(kSectionWindowPositions, kKeyTop, top);
}

}  // namespace quillet

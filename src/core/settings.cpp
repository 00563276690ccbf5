#include "core/settings.h"

#include <climits>

#include "core/paths.h"
#include "core/text.h"

namespace quillet {

namespace {

// Every key the program keeps, as the per-user file takes them over.
constexpr struct {
    const char* section;
    const char* key;
} kAllKeys[] = {
    {kSectionWindowPositions, kKeyLeft},      {kSectionWindowPositions, kKeyTop},
    {kSectionOptions, kKeyExtraMessages},     {kSectionOptions, kKeyCloseOnEscape},
    {kSectionOptions, kKeyUseCustomTitle},    {kSectionOptions, kKeyCustomTitleText},
};

// What a read gives for a key that is absent: no value the program writes.
constexpr const char* kAbsent = "\x01" "absent";

}  // namespace

std::string SettingsFileFor(const std::string& exePath) { return ReplaceExtension(exePath, ".ini"); }

std::string UserSettingsFileFor(const std::string& userData, const std::string& exePath) {
    if (userData.empty()) return std::string();
    std::string folder = userData;
    if (folder.back() != '\\') folder += '\\';
    return folder + "Quillet\\" + ExtractFileName(SettingsFileFor(exePath));
}

std::string SettingsFileToRead(Platform& platform, const std::string& besideExe,
                               const std::string& perUser) {
    return !perUser.empty() && platform.FileExists(perUser) ? perUser : besideExe;
}

bool WriteRefused(unsigned long error) {
    return error == kErrorAccessDenied || error == kErrorWriteProtect;
}

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

Settings::Settings(Platform& platform, AppState& state)
    : platform_(platform), file_(state.iniFileName), state_(&state) {}

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
    const unsigned long error = platform_.WriteProfileText(file_, section, key, value);
    if (error == 0 || !WriteRefused(error) || !state_) return;
    const std::string userFile = state_->userIniFileName;
    if (userFile.empty() || UpperAscii(userFile) == UpperAscii(file_)) return;
    if (!MakeUserFile(userFile)) return;
    state_->iniFileName = file_ = userFile;
    platform_.WriteProfileText(file_, section, key, value);
}

bool Settings::MakeUserFile(const std::string& userFile) {
    // Another copy of the program may have moved there first: its values
    // are the newer ones.
    if (platform_.FileExists(userFile)) return true;
    std::string folder = ExtractFilePath(userFile);
    if (folder.empty()) return false;
    folder.pop_back();  // its separator
    if (!platform_.MakeDirectory(folder)) return false;
    // Absent keys stay absent, so that their defaults still apply. The file
    // exists after its first key; one with no values yet gets the one that
    // is being written.
    for (const auto& k : kAllKeys) {
        const std::string value = platform_.ReadProfileString(file_, k.section, k.key, kAbsent);
        if (value != kAbsent && platform_.WriteProfileText(userFile, k.section, k.key, value) != 0) {
            return false;
        }
    }
    return true;
}

void Settings::SavePosition(int left, int top) {
    WriteInt(kSectionWindowPositions, kKeyLeft, left);
    WriteInt(kSectionWindowPositions, kKeyTop, top);
}

}  // namespace quillet

// The program's own settings file: the main window's position and the
// interface options, kept beside the executable and written key by key the
// moment a value changes.
#pragma once

#include <string>
#include <vector>

#include "base/geometry.h"
#include "core/platform.h"

namespace quillet {

inline constexpr const char* kSectionWindowPositions = "Window Positions";
inline constexpr const char* kSectionOptions = "Options";
inline constexpr const char* kKeyLeft = "Left";
inline constexpr const char* kKeyTop = "Top";
inline constexpr const char* kKeyExtraMessages = "ExtraMessages";
inline constexpr const char* kKeyCloseOnEscape = "CloseOnEscape";
inline constexpr const char* kKeyUseCustomTitle = "UseCustomTitle";
inline constexpr const char* kKeyCustomTitleText = "CustomTitleText";

// The settings file for a program path: the path with ".ini" for its extension.
std::string SettingsFileFor(const std::string& exePath);

// An integer as the profile functions read it: the value's leading decimal
// number (with an optional sign); empty text gives `def`; text that does not
// start with a number gives 0. Values beyond the int range saturate.
int ParseProfileInt(const std::string& text, int def);

// One axis of the main window's placement from a stored coordinate `stored`,
// the screen extent, the window's extent and its designed coordinate: 0
// centres, a negative value gives half its magnitude, any other is used; the
// designed coordinate stands wherever the window would not lie wholly on the
// screen on this axis.
int PositionCoordinate(int stored, int screenExtent, int windowExtent, int designed);

// The main window's top-left from the stored values: the stored place itself
// when neither value is 0 and the window there lies wholly within one of the
// monitors' work areas (a window closed on any monitor opens there again);
// otherwise each axis by PositionCoordinate on the primary screen, so that 0
// still centres and, with one monitor, every value gives what it always gave.
base::Point RestoredPosition(base::Point stored, base::Size window,
                             const std::vector<base::Rect>& workAreas, base::Size primaryScreen,
                             base::Point designed);

class Settings {
public:
    Settings(Platform& platform, std::string fileName);

    const std::string& FileName() const { return file_; }

    int ReadInt(const char* section, const char* key, int def) const;
    std::string ReadText(const char* section, const char* key, const std::string& def) const;
    void WriteInt(const char* section, const char* key, int value);
    void WriteText(const char* section, const char* key, const std::string& value);

    int Left() const { return ReadInt(kSectionWindowPositions, kKeyLeft, 0); }
    int Top() const { return ReadInt(kSectionWindowPositions, kKeyTop, 0); }
    bool ExtraMessages() const { return ReadInt(kSectionOptions, kKeyExtraMessages, 1) == 1; }
    bool CloseOnEscape() const { return ReadInt(kSectionOptions, kKeyCloseOnEscape, 0) == 1; }
    bool UseCustomTitle() const { return ReadInt(kSectionOptions, kKeyUseCustomTitle, 0) == 1; }
    std::string CustomTitleText() const { return ReadText(kSectionOptions, kKeyCustomTitleText, ""); }

    void SavePosition(int left, int top);

private:
    Platform& platform_;
    std::string file_;
};

}  // namespace quillet

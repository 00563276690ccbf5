// The program's own settings file: the main window's position and the
// interface options, kept beside the executable and written key by key the
// moment a value changes.
//
// Where Windows protects the program's folder (Program Files), a write there
// is refused. The settings then move to a file of the user's own
// (UserSettingsFileFor), which starts with the values read so far, takes
// this and every later write, and is read first at every later start.
#pragma once

#include <string>
#include <vector>

#include "base/geometry.h"
#include "core/app_state.h"
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

// The per-user settings file for a program path, in the user's folder for
// programs' settings: `userData`\Quillet\<program name>.ini. Empty when
// there is no such folder.
std::string UserSettingsFileFor(const std::string& userData, const std::string& exePath);

// The settings file to read at start-up: the per-user one when it exists,
// otherwise the one beside the program.
std::string SettingsFileToRead(Platform& platform, const std::string& besideExe,
                               const std::string& perUser);

// Whether a failed write was refused, as a protected folder or a
// write-protected medium refuse it, rather than failing for a passing reason
// (a file held open by another program, say) that a later write may not meet.
bool WriteRefused(unsigned long error);

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
    // Reads and writes `fileName` only.
    Settings(Platform& platform, std::string fileName);
    // Reads and writes `state.iniFileName`; when a write there is refused,
    // moves the settings to `state.userIniFileName` for good.
    Settings(Platform& platform, AppState& state);

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
    // Makes the per-user file with the values of the current one, unless it
    // exists; true when the settings may go there.
    bool MakeUserFile(const std::string& userFile);

    Platform& platform_;
    std::string file_;
    AppState* state_ = nullptr;
};

}  // namespace quillet

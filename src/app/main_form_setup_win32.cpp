#include "app/main_form_setup_win32.h"

#include <windows.h>

#include "app/main_window_win32.h"
#include "base/grow_buffer.h"
#include "core/settings.h"
#include "ui/application.h"
#include "ui/monitor.h"

namespace quillet {

void SetupMainForm(TCFGFace& form) {
    // The window has the application's icon from its creation on; setting it
    // again would only resend it to the window manager, twice.
    ui::Application& app = ui::Application::Get();
    form.SetCaption(app.Title());

    app.HintPause = 100;
    app.HintHidePause = 30000;
    app.SetShowHint(false);  // hints are off at every start

    AppState& state = form.State();
    Platform& platform = form.GetPlatform();
    state.userIniFileName = UserSettingsFileFor(platform.UserDataFolder(), app.ExeName());
    state.iniFileName =
        SettingsFileToRead(platform, SettingsFileFor(app.ExeName()), state.userIniFileName);
    Settings settings(platform, state.iniFileName);

    // A window closed on any monitor opens there again. Otherwise the
    // designed coordinates (at the window's DPI) stand where a stored one
    // would push the window off the primary screen; each axis is decided on
    // its own. Stored coordinates are screen pixels.
    const base::Point designed = form.Design().position.value_or(base::Point{});
    const base::Point at = RestoredPosition(
        {settings.Left(), settings.Top()}, {form.Width(), form.Height()}, ui::MonitorWorkAreas(),
        {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)},
        {form.Scale(designed.x), form.Scale(designed.y)});
    form.SetPosition(at);

    state.extraMessages = settings.ExtraMessages();
}

std::string GetShortPath(const std::string& path) {
    // The short form of a long path can itself exceed MAX_PATH: ask for the
    // size the platform needs rather than cutting it.
    return base::ReadGrowing([&](char* buffer, std::size_t capacity) -> base::GrowRead {
        const DWORD got = GetShortPathNameA(path.c_str(), buffer, static_cast<DWORD>(capacity));
        if (got == 0) return {base::GrowRead::Fail};
        if (got < capacity) return {base::GrowRead::Done, got};
        return {base::GrowRead::Grow, got};  // the size it needs, its zero included
    });
}

}  // namespace quillet

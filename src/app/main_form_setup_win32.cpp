#include "app/main_form_setup_win32.h"

#include <windows.h>

#include "app/main_window_win32.h"
#include "core/settings.h"
#include "ui/application.h"

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
    state.iniFileName = SettingsFileFor(app.ExeName());
    Settings settings(form.GetPlatform(), state.iniFileName);

    // The designed coordinates stand where a stored one would push the
    // window off the screen; each axis is decided on its own.
    const int left = PositionCoordinate(settings.Left(), GetSystemMetrics(SM_CXSCREEN),
                                        form.Width(), 142);
    const int top = PositionCoordinate(settings.Top(), GetSystemMetrics(SM_CYSCREEN),
                                       form.Height(), 19);
    form.SetPosition(left, top);

    state.extraMessages = settings.ExtraMessages();
}

std::string GetShortPath(const std::string& path) {
    // The short form of a long path can itself exceed MAX_PATH: ask for the
    // size the platform needs rather than cutting it.
    std::string buffer(MAX_PATH, '\0');
    for (int attempt = 0; attempt < 4; ++attempt) {
        const DWORD got =
            GetShortPathNameA(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (got == 0) return std::string();
        if (got < buffer.size()) {
            buffer.resize(got);
            return buffer;
        }
        buffer.assign(got + 1, '\0');
    }
    return std::string();
}

}  // namespace quillet

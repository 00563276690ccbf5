// Quillet: writes the configuration file of the Delphi command-line compilers.

#include <windows.h>

#include "app/main_window_win32.h"
#include "components/balloon_win32.h"
#include "dialogs/quick_help_win32.h"
#include "output/shortcut_win32.h"
#include "ui/application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The balloon hints' font and shadow pattern, before any window; then
    // the shortcut unit, which makes the one shortcut object and with it
    // initialises COM for the program's thread.
    quillet::InitBalloonUnit();
    quillet::InitShortcutUnit();

    ui::Application& app = ui::Application::Get();
    app.Initialize(instance);
    app.SetTitle("Quillet");

    // The first window made is the main window; closing it ends the program.
    int exitCode = 0;
    try {
        quillet::TCFGFace mainForm;
        mainForm.Create();
        // Made once and never shown: "&Help" makes a fresh one each time.
        quillet::HiddenQuickHelp quickHelp(
            {mainForm, mainForm.ExitButton(), mainForm.GetPlatform(), mainForm.State()});
        app.Run();
    } catch (...) {
        app.ShowException(ui::CurrentExceptionText());
        exitCode = 1;
    }
    // The windows are gone with their COM objects; COM goes last.
    quillet::DoneShortcutUnit();
    return exitCode;
}

// The quick-help window as its creation leaves it, made in-process over a
// real main window: what the dialog manager and the painting make of its
// controls, and the title that "&Apply" spreads.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/main_window_win32.h"
#include "core/settings.h"
#include "dialogs/quick_help_win32.h"
#include "ui/application.h"
#include "win_helpers.h"

namespace quillet {
namespace {

TEST(QuickHelpWin, MadeHiddenWithItsControlsInOrder) {
    ui::Application& app = ui::Application::Get();
    app.Initialize(GetModuleHandleA(nullptr));
    const std::string ini = SettingsFileFor(app.ExeName());
    DeleteFileA(ini.c_str());
    TCFGFace face;
    face.Create();
    TQuickHelp dialog({face, face.ExitButton(), face.GetPlatform(), face.State()});
    dialog.Create();
    auto handle = [&](const char* name) { return dialog.FindControl(name)->WindowHandle(); };
    wintest::ExpectClientSize(dialog.Handle(), 523, 355);
    EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
    EXPECT_FALSE(GetWindowLongA(dialog.Handle(), GWL_STYLE) & WS_SYSMENU) << "no title-bar buttons";
    wintest::ExpectRect(handle("bAppTitle"), 348, 217, 48, 19);

    // Fixedsys asked for as a fixed-pitch face; long lines wrap.
    LOGFONTA lf{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(handle("Memo1"), WM_GETFONT, 0, 0)), sizeof lf, &lf);
    EXPECT_EQ(lf.lfPitchAndFamily, FIXED_PITCH | FF_MODERN);
    EXPECT_FALSE(GetWindowLongA(handle("Memo1"), GWL_STYLE) & (ES_AUTOHSCROLL | WS_HSCROLL));
    EXPECT_EQ(SendMessageA(handle("eAppTitle"), EM_GETLIMITTEXT, 0, 0), 255);
    const auto icon = reinterpret_cast<HICON>(SendMessageA(handle("Image1"), STM_GETICON, 0, 0));
    EXPECT_TRUE(icon && icon != app.Icon()) << "our own picture";
    EXPECT_EQ(dialog.DefaultButton(), dialog.CancelButton());
    EXPECT_EQ(dialog.DefaultButton()->Name(), "bOK");

    // Tab order on the form, and in the panel while it shows (with all enabled).
    auto cycle = [&](const char* first, int n) {
        std::vector<std::string> names;
        for (HWND h = handle(first); n-- > 0; h = GetNextDlgTabItem(dialog.Handle(), h, FALSE))
            names.push_back(ui::Control::FromHandle(h)->Name());
        return names;
    };
    EXPECT_EQ(cycle("Memo1", 4), (std::vector<std::string>{"Memo1", "bOptions", "bOK", "Memo1"}));
    dialog.Handlers().bOptionsClick();
    EnableWindow(handle("eAppTitle"), TRUE);
    EnableWindow(handle("bAppTitle"), TRUE);
    EXPECT_EQ(cycle("cCloseOnEsc", 7), (std::vector<std::string>{"cCloseOnEsc", "cNag", "cAppTitle", "Button3",
                                                                "eAppTitle", "bAppTitle", "cCloseOnEsc"}));
    // What lies over something is drawn over it: the panel over the text
    // box, "&Apply" over the title box's right end, the line over the heading.
    EXPECT_EQ(ChildWindowFromPoint(dialog.Handle(), POINT{200, 100}), handle("pOptions"));
    EXPECT_EQ(ChildWindowFromPoint(handle("pOptions"), POINT{370, 226}), handle("bAppTitle"));
    EXPECT_EQ(ChildWindowFromPoint(handle("pOptions"), POINT{100, 28}), handle("Bevel1"));

    // The title reaches the application, and with it the message dialog's default caption.
    SetWindowTextA(handle("eAppTitle"), "My tool");
    dialog.Handlers().bAppTitleClick();
    EXPECT_EQ(app.Title(), "My tool");
    EXPECT_EQ(face.Caption(), "My tool");
    app.SetTitle("Quillet");
    DeleteFileA(ini.c_str());
}

// The dialog made at start-up runs its creation on plain values: no window,
// yet the hints go off and the stored options are read and kept.
TEST(QuickHelpWin, HiddenAtStartUpWithoutAWindow) {
    ui::Application& app = ui::Application::Get();
    app.Initialize(GetModuleHandleA(nullptr));
    const std::string ini = SettingsFileFor(app.ExeName());
    DeleteFileA(ini.c_str());
    WritePrivateProfileStringA("Options", "CustomTitleText", "Mine", ini.c_str());
    WritePrivateProfileStringA("Options", "UseCustomTitle", "1", ini.c_str());
    WritePrivateProfileStringA("Options", "CloseOnEscape", "1", ini.c_str());
    TCFGFace face;
    face.Create();
    app.SetShowHint(true);
    {
        HiddenQuickHelp hidden({face, face.ExitButton(), face.GetPlatform(), face.State()});
        EXPECT_FALSE(FindWindowA("TQuickHelp", nullptr));
        EXPECT_FALSE(app.ShowHint());
        const QuickHelpValues& c = hidden.Controls();
        EXPECT_EQ(c.Caption(), "Quillet quick help");
        EXPECT_EQ(c.Text(HelpCtl::eAppTitle), "Mine");
        EXPECT_TRUE(c.Checked(HelpCtl::cAppTitle) && c.Enabled(HelpCtl::eAppTitle));
        EXPECT_FALSE(c.Enabled(HelpCtl::bAppTitle));
        EXPECT_TRUE(c.Checked(HelpCtl::cCloseOnEsc));
        EXPECT_FALSE(c.Checked(HelpCtl::cNag));
        EXPECT_NE(c.Text(HelpCtl::Memo1), "\r\n") << "the readme, or why it is missing";
    }
    EXPECT_EQ(app.Title(), "Quillet") << "a stored title waits for Apply";
    DeleteFileA(ini.c_str());
}

}  // namespace
}  // namespace quillet

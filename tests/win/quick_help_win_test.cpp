// The quick-help window as its creation leaves it, made in-process over a
// real main window: every control with its place, font, caption and tab
// order, and the title that "&Apply" spreads.
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

struct Expected {
    const char* name;
    bool onPanel;
    const char* caption;
    RECT bounds;  // left, top, width, height
    const char* face;  // null: no font to check
    int height;
    bool bold;
    bool tabStop;
    bool visible;
};

const Expected kControls[] = {
    {"Image1", false, "", {12, 16, 32, 32}, nullptr, 0, false, false, true},
    {"Memo1", false, "", {56, 16, 453, 289}, "Fixedsys", -12, false, true, true},
    {"pOptions", false, "", {76, 18, 413, 286}, nullptr, 0, false, false, false},
    {"bOptions", false, "&Options", {56, 316, 75, 23}, "Helv", -11, true, true, true},
    {"bOK", false, "&OK", {450, 316, 61, 23}, "Helv", -11, true, true, true},
    {"Bevel1", true, "", {12, 28, 387, 2}, nullptr, 0, false, false, true},
    {"Label2", true, "Interface options", {14, 8, 285, 25}, "Arial", -16, true, false, true},
    {"Label1", true, "Interface options are applied even if the Save Settings button is not checked.",
     {16, 36, 385, 21}, "Helv", -11, true, false, false},
    {"cCloseOnEsc", true, "Allow close-on-Escape", {16, 60, 153, 17}, "Helv", -11, true, true, true},
    {"Label3", true, "This allows you to quick-close", {36, 76, 357, 49}, "Helv", -11, false, false, true},
    {"cNag", true, "Turn off extra messages and prompts", {16, 120, 313, 17}, "Helv", -11, true, true, true},
    {"Label4", true, "Check this option if you don't", {36, 136, 357, 49}, "Helv", -11, false, false, true},
    {"cAppTitle", true, "Use custom application title", {16, 180, 361, 17}, "Helv", -11, true, true, true},
    {"Label5", true, "Don't like our applet title? Then define your own application title below.",
     {36, 196, 357, 17}, "Helv", -11, false, false, true},
    {"eAppTitle", true, "Enter custom title text here", {36, 216, 361, 21}, "Helv", -11, true, true, true},
    {"bAppTitle", true, "&Apply", {348, 217, 48, 19}, "Small", -11, true, true, true},
    {"Button3", true, "&Close", {324, 248, 75, 23}, "Helv", -11, true, true, true},
};

class QuickHelpWinTest : public ::testing::Test {
protected:
    static std::string IniPath() { return SettingsFileFor(ui::Application::Get().ExeName()); }
    void SetUp() override {
        ui::Application::Get().Initialize(GetModuleHandleA(nullptr));
        ui::Application::Get().SetTitle("Quillet");
        DeleteFileA(IniPath().c_str());
    }
    void TearDown() override {
        ui::Application::Get().SetTitle("Quillet");
        DeleteFileA(IniPath().c_str());
    }
    static HWND Handle(TQuickHelp& dialog, const char* name) {
        ui::Widget* w = dialog.FindControl(name);
        return w ? w->WindowHandle() : nullptr;
    }
};

TEST_F(QuickHelpWinTest, EveryControlAsDesigned) {
    TCFGFace face;
    TQuickHelp dialog({face, face.ExitButton(), face.GetPlatform(), face.State()});
    char cls[32] = {};
    GetClassNameA(dialog.Handle(), cls, sizeof cls);
    EXPECT_STREQ(cls, "TQuickHelp");
    wintest::ExpectClientSize(dialog.Handle(), 523, 355);
    EXPECT_FALSE(IsWindowVisible(dialog.Handle())) << "made hidden";
    EXPECT_EQ(dialog.Caption(), "Quillet quick help");
    const LONG style = GetWindowLongA(dialog.Handle(), GWL_STYLE);
    EXPECT_TRUE((style & WS_CAPTION) == WS_CAPTION && !(style & WS_SYSMENU)) << "no title-bar buttons";

    HWND panel = Handle(dialog, "pOptions");
    for (const Expected& e : kControls) {
        SCOPED_TRACE(e.name);
        HWND h = Handle(dialog, e.name);
        ASSERT_TRUE(h);
        EXPECT_EQ(GetParent(h), e.onPanel ? panel : dialog.Handle());
        EXPECT_EQ(wintest::WindowText(h).rfind(e.caption, 0), 0u);
        wintest::ExpectRect(h, e.bounds.left, e.bounds.top, e.bounds.right, e.bounds.bottom);
        EXPECT_EQ((GetWindowLongA(h, GWL_STYLE) & WS_TABSTOP) != 0, e.tabStop);
        EXPECT_EQ((GetWindowLongA(h, GWL_STYLE) & WS_VISIBLE) != 0, e.visible);
        if (!e.face) continue;  // a picture, a panel and a line draw no text of their own
        LOGFONTA lf{};
        auto font = reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0));
        ASSERT_TRUE(GetObjectA(font, sizeof lf, &lf));
        EXPECT_STREQ(lf.lfFaceName, e.face);
        EXPECT_EQ(lf.lfHeight, e.height);
        EXPECT_EQ(lf.lfWeight, e.bold ? FW_BOLD : FW_NORMAL);
        // Asked for by kind as well, for machines without the named face.
        const std::string face = e.face;
        const int kind = face == "Fixedsys" ? FIXED_PITCH | FF_MODERN
                         : face == "Arial"  ? DEFAULT_PITCH | FF_DONTCARE
                                            : VARIABLE_PITCH | FF_SWISS;
        EXPECT_EQ(lf.lfPitchAndFamily, kind);
    }

    HWND memo = Handle(dialog, "Memo1");
    const LONG memoStyle = GetWindowLongA(memo, GWL_STYLE);
    EXPECT_TRUE((memoStyle & ES_READONLY) && (memoStyle & WS_VSCROLL));
    EXPECT_FALSE((memoStyle & ES_AUTOHSCROLL) || (memoStyle & WS_HSCROLL)) << "long lines wrap";
    EXPECT_EQ(SendMessageA(Handle(dialog, "eAppTitle"), EM_GETLIMITTEXT, 0, 0), 255);
    EXPECT_FALSE(IsWindowEnabled(Handle(dialog, "eAppTitle")));
    EXPECT_FALSE(IsWindowEnabled(Handle(dialog, "bAppTitle")));
    EXPECT_NE(SendMessageA(Handle(dialog, "Image1"), STM_GETICON, 0, 0), 0);
    EXPECT_NE(reinterpret_cast<HICON>(SendMessageA(Handle(dialog, "Image1"), STM_GETICON, 0, 0)),
              ui::Application::Get().Icon());

    const RECT label = dialog.CaptionLabel().Bounds();
    EXPECT_TRUE(label.left == -75 && label.top == 118 && label.right == 85 && label.bottom == 411);
    EXPECT_EQ(dialog.CaptionLabel().Label().Angle(), 90);

    // Default and cancel: bOK.
    auto& ok = dynamic_cast<ui::Button&>(*dialog.FindControl("bOK"));
    EXPECT_EQ(dialog.DefaultButton(), &ok);
    EXPECT_EQ(dialog.CancelButton(), &ok);
    // The form's tab order; the panel's, with its controls enabled and the form's not.
    auto cycle = [&](HWND first, int n) {
        std::vector<std::string> names;
        for (HWND h = first; n-- > 0; h = GetNextDlgTabItem(dialog.Handle(), h, FALSE))
            names.push_back(ui::Widget::FromWindow(h)->Name());
        return names;
    };
    EXPECT_EQ(cycle(memo, 4), (std::vector<std::string>{"Memo1", "bOptions", "bOK", "Memo1"}));
    dialog.Handlers().bOptionsClick();
    EnableWindow(Handle(dialog, "eAppTitle"), TRUE);
    EnableWindow(Handle(dialog, "bAppTitle"), TRUE);
    EXPECT_EQ(cycle(Handle(dialog, "cCloseOnEsc"), 7),
              (std::vector<std::string>{"cCloseOnEsc", "cNag", "cAppTitle", "Button3", "eAppTitle",
                                        "bAppTitle", "cCloseOnEsc"}));
    // "&Apply" lies over the title box's right end and is drawn there.
    POINT overlap{370, 226};
    EXPECT_EQ(ChildWindowFromPoint(panel, overlap), Handle(dialog, "bAppTitle"));
}

TEST_F(QuickHelpWinTest, ApplyRetitlesTheApplicationTheMainWindowAndTheDialog) {
    TCFGFace face;
    TQuickHelp dialog({face, face.ExitButton(), face.GetPlatform(), face.State()});
    auto& box = dynamic_cast<ui::CheckBox&>(*dialog.FindControl("cAppTitle"));
    box.SetChecked(true);
    SetWindowTextA(Handle(dialog, "eAppTitle"), "My tool");  // EN_CHANGE enables Apply
    EXPECT_TRUE(IsWindowEnabled(Handle(dialog, "bAppTitle")));
    dynamic_cast<ui::Button&>(*dialog.FindControl("bAppTitle")).Click();
    EXPECT_EQ(ui::Application::Get().Title(), "My tool");
    EXPECT_EQ(face.Caption(), "My tool");
    EXPECT_EQ(dialog.Caption(), "My tool");
    box.SetChecked(false);
    EXPECT_EQ(ui::Application::Get().Title(), "Quillet");
    EXPECT_EQ(face.Caption(), "Quillet");
    EXPECT_EQ(dialog.Caption(), "Quillet");
    Settings settings(face.GetPlatform(), face.State().iniFileName);
    EXPECT_EQ(settings.CustomTitleText(), "My tool");
    EXPECT_FALSE(settings.UseCustomTitle());
}

}  // namespace
}  // namespace quillet

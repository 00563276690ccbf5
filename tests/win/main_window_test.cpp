// The main window as FormCreate leaves it, made in-process on real windows.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/main_window_win32.h"
#include "core/settings.h"
#include "ui/application.h"

namespace quillet {
namespace {

struct Expected {
    Ctl ctl;
    const char* name;
    const char* caption;
    RECT bounds;  // left, top, right, bottom
    bool tabStop;
    const char* hintStart;  // the hint's beginning; empty for none
};

// left, top, width, height as designed, turned into rectangles below.
constexpr RECT B(int l, int t, int w, int h) { return RECT{l, t, l + w, t + h}; }

const Expected kControls[] = {
    {Ctl::Label1, "Label1", "Target:", B(16, 12, 42, 13), false, ""},
    {Ctl::lExepath, "lExepath", "Current path to command line compiler:", B(112, 12, 222, 13), false, ""},
    {Ctl::lUnit, "lUnit", "Unit directories:", B(16, 84, 91, 13), false, ""},
    {Ctl::lInc, "lInc", "Include directories:", B(16, 124, 110, 13), false, ""},
    {Ctl::lObject, "lObject", "Object directories:", B(16, 164, 105, 13), false, ""},
    {Ctl::lAlias, "lAlias", "Aliases:", B(16, 204, 45, 13), false, ""},
    {Ctl::Label3, "Label3", "Current configuration (for manual editing)", B(16, 284, 233, 13), false, ""},
    {Ctl::rD1, "rD1", "Delphi &1", B(16, 28, 80, 17), true, "These buttons select the target"},
    {Ctl::rD2, "rD2", "Delphi &2", B(16, 44, 80, 17), true, "These buttons select the target"},
    {Ctl::rD3, "rD3", "Delphi &3", B(16, 60, 80, 17), true, "These buttons select the target"},
    {Ctl::eExepath, "eExepath", "", B(112, 28, 369, 21), true, "The location of DCC.EXE"},
    {Ctl::cBatfile, "cBatfile", "Create pausing .BAT file", B(288, 60, 169, 17), true, "We've found it useful"},
    {Ctl::cShortcut, "cShortcut", "Create &desktop shortcut", B(112, 60, 161, 17), true, "You might find it handy"},
    {Ctl::eUnit, "eUnit", "", B(16, 100, 465, 21), true, "Unit directories are where"},
    {Ctl::eInc, "eInc", "", B(16, 140, 465, 21), true, "Include directories are where"},
    {Ctl::eObject, "eObject", "", B(16, 180, 465, 21), true, "Delphi 1 displays this field"},
    {Ctl::eAlias, "eAlias", "", B(16, 220, 465, 21), true, "The aliases entry in the .CFG"},
    {Ctl::HintsOn, "HintsOn", "Hints and tips", B(16, 256, 97, 17), true, "Activates and deactivates"},
    {Ctl::bUpdate, "bUpdate", "&Update fields", B(144, 252, 99, 23), true, "If you modified registry"},
    {Ctl::bCreate, "bCreate", "&Create", B(248, 252, 55, 23), true, "All this button does"},
    {Ctl::bSave, "bSave", "&Save", B(308, 252, 55, 23), true, "The .CFG isn't actually saved"},
    {Ctl::bHelp, "bHelp", "&Help", B(368, 252, 55, 23), true, "Opens the Quick Help dialog."},
    {Ctl::bExit, "bExit", "E&xit", B(428, 252, 55, 23), true, ""},
    {Ctl::Memo1, "Memo1", "", B(16, 300, 465, 121), true, "The current .CFG appears here"},
};

class MainWindowTest : public ::testing::Test {
protected:
    static std::string IniPath() { return SettingsFileFor(ui::Application::Get().ExeName()); }

    void SetUp() override {
        ui::Application::Get().Initialize(GetModuleHandleA(nullptr));
        ui::Application::Get().SetTitle("Quillet");
        DeleteFileA(IniPath().c_str());
    }
    void TearDown() override { DeleteFileA(IniPath().c_str()); }
};

TEST_F(MainWindowTest, EveryControlAsDesigned) {
    TCFGFace face;
    face.Create();
    char cls[64] = {};
    GetClassNameA(face.Handle(), cls, sizeof cls);
    EXPECT_STREQ(cls, "TCFGFace");
    EXPECT_EQ(face.Caption(), "Quillet");
    RECT client;
    GetClientRect(face.Handle(), &client);
    EXPECT_EQ(client.right, 498);
    EXPECT_EQ(client.bottom, 438);
    const LONG style = GetWindowLongA(face.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME) << "a single fixed border";
    EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrA(face.Handle(), GCLP_HICON)),
              ui::Application::Get().Icon());

    for (const Expected& e : kControls) {
        SCOPED_TRACE(e.name);
        ui::Control& c = face.Get(e.ctl);
        EXPECT_EQ(c.Name(), e.name);
        EXPECT_EQ(face.Text(e.ctl), e.caption);
        const base::Rect r = c.Bounds();
        EXPECT_EQ(r.left, e.bounds.left);
        EXPECT_EQ(r.top, e.bounds.top);
        EXPECT_EQ(r.right, e.bounds.right);
        EXPECT_EQ(r.bottom, e.bounds.bottom);
        EXPECT_EQ((GetWindowLongA(c.Handle(), GWL_STYLE) & WS_TABSTOP) != 0, e.tabStop);
        EXPECT_EQ(c.Hint.rfind(e.hintStart, 0), 0u) << c.Hint;
        if (!*e.hintStart) {
            EXPECT_TRUE(c.Hint.empty());
        }

        LOGFONTA lf{};
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(c.Handle(), WM_GETFONT, 0, 0));
        ASSERT_TRUE(GetObjectA(font, sizeof lf, &lf));
        EXPECT_STREQ(lf.lfFaceName, "Helv");
        EXPECT_EQ(lf.lfHeight, -11);
        EXPECT_EQ(lf.lfWeight, FW_BOLD);
    }
}

TEST_F(MainWindowTest, CompilerPathHasItsSquareButton) {
    TCFGFace face;
    face.Create();
    face.Show();
    HWND edit = face.Get(Ctl::eExepath).Handle();
    HWND button = GetWindow(edit, GW_CHILD);
    ASSERT_TRUE(button);
    RECT client, r;
    GetClientRect(edit, &client);
    GetWindowRect(button, &r);
    MapWindowPoints(nullptr, edit, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_TRUE(IsWindowVisible(button));
    EXPECT_EQ(r.right, client.right);
    EXPECT_EQ(r.right - r.left, client.bottom) << "a square of the client height";
    EXPECT_EQ(r.bottom - r.top, client.bottom);
    char text[8] = {};
    GetWindowTextA(button, text, sizeof text);
    EXPECT_STREQ(text, "...");

    // The button is really drawn: its face colour and its dark frame show on
    // the screen where the field's white would be otherwise.
    SetWindowPos(face.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RedrawWindow(face.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    GetWindowRect(button, &r);
    HDC screen = GetDC(nullptr);
    int face3d = 0, dark = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            const COLORREF c = GetPixel(screen, x, y);
            if (c == GetSysColor(COLOR_BTNFACE)) ++face3d;
            if (c == GetSysColor(COLOR_3DDKSHADOW) || c == GetSysColor(COLOR_BTNSHADOW)) ++dark;
        }
    }
    ReleaseDC(nullptr, screen);
    EXPECT_GT(face3d, (r.right - r.left) * (r.bottom - r.top) / 3);
    EXPECT_GT(dark, r.bottom - r.top);
}

TEST_F(MainWindowTest, TabOrderFollowsTheDesign) {
    TCFGFace face;
    face.Create();
    std::vector<std::string> order;
    for (HWND h = GetWindow(face.Handle(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        ui::Control* c = ui::Control::FromHandle(h);
        if (c && (GetWindowLongA(h, GWL_STYLE) & WS_TABSTOP)) order.push_back(c->Name());
    }
    EXPECT_EQ(order, (std::vector<std::string>{"rD1", "rD2", "rD3", "eExepath", "cBatfile",
                                               "cShortcut", "eUnit", "eInc", "eObject", "eAlias",
                                               "HintsOn", "bUpdate", "bCreate", "bSave", "bHelp",
                                               "bExit", "Memo1"}));
}

TEST_F(MainWindowTest, HintTextsWhole) {
    TCFGFace face;
    face.Create();
    EXPECT_EQ(face.Get(Ctl::eExepath).Hint,
              "The location of DCC.EXE (or dcc32.exe) is critical to the success of the applet. If "
              "it doesn't show up here, you''ll need to use the [...] button to locate it before "
              "you can save your compiler configuration file.");
    EXPECT_EQ(face.Get(Ctl::cShortcut).Hint,
              "You might find it handy to create a desktop shortcut to the compiler or its "
              "batchfile. You can drag a .DPR file directly to the icon to compile.  If you use an "
              "icon dock or drag-and-drop enabled menu, then you won't need a shortcut.");
    EXPECT_EQ(face.Get(Ctl::eInc).Hint,
              "Include directories are where additional files are located. In most cases, Unit "
              "directories should be duplicated in the Include field. Additionally, Delphi 3's "
              "DCC32.EXE requires that the \\SLib\\ and \\Bin\\ directories appear in "
              "unit\\include\\object fields.");
}

TEST_F(MainWindowTest, StateAfterFormCreate) {
    TCFGFace face;
    face.Create();
    for (Ctl radio : {Ctl::rD1, Ctl::rD2, Ctl::rD3}) EXPECT_FALSE(face.Checked(radio));
    EXPECT_EQ(ChosenVersion(face), Version::None);
    EXPECT_FALSE(face.Checked(Ctl::HintsOn));
    EXPECT_FALSE(face.Checked(Ctl::cShortcut));
    EXPECT_FALSE(face.Get(Ctl::cBatfile).Visible());
    EXPECT_TRUE(face.Enabled(Ctl::bCreate));
    EXPECT_FALSE(face.Enabled(Ctl::bSave));
    EXPECT_TRUE(face.Enabled(Ctl::eAlias));
    EXPECT_TRUE(face.Enabled(Ctl::lAlias));
    EXPECT_FALSE(face.State().fieldsFilled);
    EXPECT_EQ(face.State().cfgName, "");
    EXPECT_TRUE(face.State().extraMessages);
    EXPECT_EQ(face.State().iniFileName, IniPath());
    EXPECT_FALSE(face.ExitButton().Cancel());

    const ui::Application& app = ui::Application::Get();
    EXPECT_FALSE(app.ShowHint());
    EXPECT_EQ(app.HintPause, 100);
    EXPECT_EQ(app.HintHidePause, 30000);
}

TEST_F(MainWindowTest, OptionsComeFromTheSettingsFile) {
    WritePrivateProfileStringA("Options", "CloseOnEscape", "1", IniPath().c_str());
    WritePrivateProfileStringA("Options", "ExtraMessages", "0", IniPath().c_str());
    TCFGFace face;
    face.Create();
    EXPECT_TRUE(face.ExitButton().Cancel());
    EXPECT_FALSE(face.State().extraMessages);
}

TEST_F(MainWindowTest, HintsOnSwitchesTheApplicationHints) {
    TCFGFace face;
    face.Create();
    auto& box = static_cast<ui::CheckBox&>(face.Get(Ctl::HintsOn));
    SendMessageA(box.Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(ui::Application::Get().ShowHint());
    SendMessageA(box.Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(ui::Application::Get().ShowHint());
}

TEST_F(MainWindowTest, ClosingSavesThePosition) {
    {
        TCFGFace face;
        face.Create();
        face.SetPosition({37, 51});
        SendMessageA(face.Handle(), WM_CLOSE, 0, 0);
    }
    MSG msg;
    // The main form's closing posts WM_QUIT; take it off the queue.
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    char text[32] = {};
    GetPrivateProfileStringA("Window Positions", "Left", "", text, sizeof text, IniPath().c_str());
    EXPECT_STREQ(text, "37");
    GetPrivateProfileStringA("Window Positions", "Top", "", text, sizeof text, IniPath().c_str());
    EXPECT_STREQ(text, "51");
}

TEST_F(MainWindowTest, ClosingWhileMinimisedSavesTheRestoredPosition) {
    {
        TCFGFace face;
        face.Create();
        face.SetPosition({61, 43});
        face.Show();
        ShowWindow(face.Handle(), SW_MINIMIZE);
        SendMessageA(face.Handle(), WM_CLOSE, 0, 0);
    }
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    Win32Platform platform;
    Settings settings(platform, IniPath());
    EXPECT_EQ(settings.Left(), 61);
    EXPECT_EQ(settings.Top(), 43);
}

TEST_F(MainWindowTest, TheTextBoxKeepsCharactersBeyondAscii) {
    TCFGFace face;
    face.Create();
    HWND memo = face.Get(Ctl::Memo1).Handle();
    // The euro sign and an e with acute accent, typed as a keyboard would.
    for (WPARAM c : {WPARAM{0x20AC}, WPARAM{0x00E9}, WPARAM{'a'}}) {
        if (IsWindowUnicode(memo)) {
            SendMessageW(memo, WM_CHAR, c, 0);
        } else {
            char ansi[4] = {};
            const wchar_t wide = static_cast<wchar_t>(c);
            WideCharToMultiByte(CP_ACP, 0, &wide, 1, ansi, sizeof ansi, nullptr, nullptr);
            SendMessageA(memo, WM_CHAR, static_cast<unsigned char>(ansi[0]), 0);
        }
    }
    wchar_t text[8] = {};
    GetWindowTextW(memo, text, 8);
    EXPECT_EQ(std::wstring(text), std::wstring(L"\u20AC\u00E9a"));
}

TEST_F(MainWindowTest, SettingsRoundTripThroughTheProfileFunctions) {
    Win32Platform platform;
    Settings settings(platform, IniPath());
    settings.SavePosition(-200, 4000);
    settings.WriteText(kSectionOptions, kKeyCustomTitleText, "My compiler kit");
    settings.WriteInt(kSectionOptions, kKeyUseCustomTitle, 1);
    Settings again(platform, IniPath());
    EXPECT_EQ(again.Left(), -200);
    EXPECT_EQ(again.Top(), 4000);
    EXPECT_EQ(again.CustomTitleText(), "My compiler kit");
    EXPECT_TRUE(again.UseCustomTitle());
    WritePrivateProfileStringA("Options", "ExtraMessages", "abc", IniPath().c_str());
    EXPECT_FALSE(again.ExtraMessages()) << "text that is no number reads as 0";
}

}  // namespace
}  // namespace quillet

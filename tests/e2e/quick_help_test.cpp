// The quick-help window through quillet.exe as a person uses it: where it
// opens, what it shows, the options panel, and the three options written to
// the settings file and taking effect. Also what a screen reader hears of the
// fields of both windows.

#include <gtest/gtest.h>
#include <oleacc.h>
#include <shlobj.h>

#include <memory>
#include <string>

#include "delphi_fixture.h"
#include "driver.h"

namespace e2e {
namespace {

// "&Help" pressed: the window that opens, or null.
HWND OpenHelp(App& app, HWND main, Where where = Where::current()) {
    if (!PostClick(FindControl(main, "bHelp", where), where)) return nullptr;
    return app.WaitForWindow(kQuickHelpClass, "", kWaitMs, where);
}

// quillet.exe in a fresh folder, with readme.txt and the stubs beside it or not.
struct Quillet {
    explicit Quillet(bool companions = true, const std::string& name = "") : folder(name) {
        EXPECT_TRUE(folder.CopyQuillet(companions));
    }
    HWND Start() { return main = app.StartQuillet(folder); }
    HWND Help(Where where = Where::current()) { return OpenHelp(app, main, where); }
    TestFolder folder;
    App app;
    HWND main = nullptr;
};

// Closes the window with "&OK" and waits until it has gone.
void CloseHelp(HWND help, Where where = Where::current()) {
    EXPECT_TRUE(PostClick(FindControl(help, "bOK", where), where));
    EXPECT_TRUE(WaitUntilGone(help, kWaitMs, where));
}

// The pointer moved onto the middle of a window, as a person's mouse would.
void Hover(HWND control) {
    const RECT r = ScreenRect(control);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = (r.left + r.right) / 2 * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = (r.top + r.bottom) / 2 * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
}

// A hint shows: a visible window of the program besides the main window.
bool HintShows(const Quillet& q, DWORD timeoutMs) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(20))
        for (HWND h : q.app.Windows())
            if (h != q.main) return true;
    return false;
}

// The window's place on one axis: centred over the main window, kept 20
// pixels inside the screen's far edge, at 20 when it would start before it.
int CentredOver(int ownerStart, int ownerExtent, int extent, int screen) {
    const int x = ownerStart + (ownerExtent - extent) / 2;
    if (x + extent > screen) return screen - extent - 20;
    return x < 0 ? 20 : x;
}

TEST(QuickHelp, OpensCentredAtTheTopOfTheReadmeOrNamesTheMissingFile) {
    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    int mainWidth = 0;
    // Centred; a main window flush with the right screen edge; one at the
    // left edge without readme.txt. The wider window sticks out over both.
    for (const std::string where : {"centred", "right", "left"}) {
        SCOPED_TRACE(where);
        Quillet q(where != "left", "QuickHelp.Opens_" + where);
        if (where != "centred") {
            ASSERT_TRUE(q.folder.WriteIni("Window Positions", "Left",
                                          where == "right" ? std::to_string(screenW - mainWidth) : "-2"));
        }
        ASSERT_TRUE(q.Start());
        HWND help = q.Help();
        ASSERT_TRUE(help);
        const RECT m = ScreenRect(q.main), h = ScreenRect(help);
        mainWidth = m.right - m.left;
        EXPECT_EQ(h.left, CentredOver(m.left, mainWidth, h.right - h.left, screenW));
        EXPECT_EQ(h.top, CentredOver(m.top, m.bottom - m.top, h.bottom - h.top, screenH));
        EXPECT_TRUE(where != "right" || h.right == screenW - 20);
        EXPECT_TRUE(where != "left" || h.left == 20);
        EXPECT_EQ(Text(help), "Quillet quick help");

        HWND memo = FindControl(help, "Memo1");
        if (where == "left") {
            EXPECT_EQ(Text(memo), "\r\n" + q.folder.File("readme.txt") +
                                      " could not be found in quillet.exe's directory. Unable to load "
                                      "quick help.\r\n");
        } else {
            const std::string readme = q.folder.ReadFile("readme.txt").value_or("?");
            EXPECT_EQ(Text(memo).rfind(readme.substr(0, readme.find('\n')) + "\r\n", 0), 0u);
        }
        EXPECT_EQ(SendMessageA(memo, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
        EXPECT_EQ(SendMessageA(memo, EM_GETSEL, 0, 0), 0) << "nothing selected, the caret at the start";
        CloseHelp(help);
    }
}

TEST(QuickHelp, PanelHoldsTheWindowOpenAndEscapeOptionHoldsAfterARestart) {
    Quillet q;
    for (const bool allow : {true, false}) {
        SCOPED_TRACE(allow ? "allowed" : "refused");
        App app;
        HWND main = app.StartQuillet(q.folder);
        ASSERT_TRUE(main);
        HWND help = OpenHelp(app, main);
        ASSERT_TRUE(help);
        HWND panel = FindControl(help, "pOptions");
        ASSERT_TRUE(Click(FindControl(help, "bOptions")));
        const RECT p = RectInParent(panel);
        EXPECT_EQ(ChildWindowFromPointEx(help, POINT{(p.left + p.right) / 2, p.top + 5}, CWP_SKIPINVISIBLE), panel)
            << "the panel lies over the text box";
        EXPECT_FALSE(IsEnabled(FindControl(help, "Memo1")) || IsEnabled(FindControl(help, "bOK")));
        ASSERT_TRUE(PressEscape(help));
        EXPECT_TRUE(IsShown(help)) << "Escape does nothing while the panel shows";

        HWND box = FindControl(help, "cCloseOnEsc");
        EXPECT_EQ(IsChecked(box), !allow) << "the box shows the stored state";
        ASSERT_TRUE(Click(box));
        EXPECT_EQ(q.folder.ReadIni("Options", "CloseOnEscape"), allow ? "1" : "0");
        ASSERT_TRUE(Click(FindControl(help, "Button3")));
        EXPECT_FALSE(IsShown(panel));
        ASSERT_TRUE(PressEscape(FindControl(help, "Memo1")));
        EXPECT_TRUE(WaitUntilGone(help));
        ASSERT_TRUE(PressCloseBox(main));
        ASSERT_TRUE(app.WaitForExit());

        App again;
        main = again.StartQuillet(q.folder);
        ASSERT_TRUE(main);
        ASSERT_TRUE(PressEscape(FindControl(main, "eUnit")));
        if (!allow) Sleep(300);
        EXPECT_TRUE(allow ? again.WaitForExit() : again.Running()) << "Escape on the main window";
    }
}

// Where Windows protects the program's folder (here a folder that even root
// may not write to, made by scripts/wine-tests.sh), an option changed still
// holds after a restart: the settings went to the user's own file.
TEST(QuickHelp, OptionHoldsWhenTheProgramsFolderRefusesWrites) {
    char refusing[MAX_PATH] = {}, appData[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("QUILLET_REFUSING_DIR", refusing, MAX_PATH)) {
        GTEST_SKIP() << "no folder that refuses writes here (see scripts/wine-tests.sh)";
    }
    ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData), S_OK);
    const std::string beside = std::string(refusing) + "\\quillet.ini";
    const std::string userIni = std::string(appData) + "\\Quillet\\quillet.ini";
    const auto read = [&](const char* section, const char* key) {
        char value[64] = {};
        GetPrivateProfileStringA(section, key, "", value, sizeof value, userIni.c_str());
        return std::string(value);
    };
    // Every quillet.exe of this prefix reads that file first: it goes with the test.
    const std::unique_ptr<const char, decltype(&DeleteFileA)> remove(userIni.c_str(), &DeleteFileA);

    App app;
    ASSERT_TRUE(app.Start(std::string(refusing) + "\\quillet.exe"));
    HWND main = app.WaitForMainWindow();
    ASSERT_TRUE(main);
    HWND help = OpenHelp(app, main);
    ASSERT_TRUE(help);
    ASSERT_TRUE(Click(FindControl(help, "bOptions")));
    ASSERT_TRUE(Click(FindControl(help, "cCloseOnEsc")));
    EXPECT_EQ(read("Options", "CloseOnEscape"), "1");
    ASSERT_TRUE(Click(FindControl(help, "Button3")));
    CloseHelp(help);
    ASSERT_TRUE(PressCloseBox(main));
    ASSERT_TRUE(app.WaitForExit());
    EXPECT_NE(read("Window Positions", "Left"), "") << "later writes go there too";
    EXPECT_EQ(GetFileAttributesA(beside.c_str()), INVALID_FILE_ATTRIBUTES);

    App again;
    ASSERT_TRUE(again.Start(std::string(refusing) + "\\quillet.exe"));
    main = again.WaitForMainWindow();
    ASSERT_TRUE(main);
    ASSERT_TRUE(PressEscape(FindControl(main, "eUnit")));
    EXPECT_TRUE(again.WaitForExit()) << "Escape closes the main window: the option held";
}

TEST(QuickHelp, TurningOffExtraMessagesSilencesSave) {
    Session s(true, true);
    ASSERT_TRUE(s.Start());
    HWND help = OpenHelp(s.app_, s.main_);
    ASSERT_TRUE(help);
    ASSERT_TRUE(Click(FindControl(help, "bOptions")));
    ASSERT_TRUE(Click(FindControl(help, "cNag")));
    EXPECT_EQ(s.folder_.ReadIni("Options", "ExtraMessages"), "0");
    ASSERT_TRUE(Click(FindControl(help, "Button3")));
    CloseHelp(help);
    // A click that opened a confirmation would not return.
    for (const char* step : {"rD2", "bCreate", "bSave"}) ASSERT_TRUE(Click(s.Control(step))) << step;
    EXPECT_TRUE(s.folder_.Exists("D2\\Delphi 2.0\\BIN\\dcc32.cfg"));
}

TEST(QuickHelp, ApplyRetitlesTheProgramUntilTheOptionGoesOff) {
    Quillet q;
    ASSERT_TRUE(q.Start());
    HWND help = q.Help();
    ASSERT_TRUE(help);
    ASSERT_TRUE(Click(FindControl(help, "bOptions")));
    HWND title = FindControl(help, "eAppTitle"), apply = FindControl(help, "bAppTitle");
    ASSERT_TRUE(Click(FindControl(help, "cAppTitle")));
    ASSERT_TRUE(SetText(title, "My tool"));
    ASSERT_TRUE(Click(apply));
    EXPECT_EQ(Text(q.main), "My tool") << "the main window's caption is the taskbar's title";
    EXPECT_EQ(Text(help), "My tool");
    EXPECT_EQ(q.folder.ReadIni("Options", "CustomTitleText"), "My tool");
    EXPECT_EQ(q.folder.ReadIni("Options", "UseCustomTitle"), "1");
    EXPECT_FALSE(IsEnabled(apply));

    ASSERT_TRUE(Click(FindControl(help, "cAppTitle")));
    EXPECT_EQ(Text(q.main), "Quillet");
    EXPECT_EQ(Text(help), "Quillet");
    EXPECT_EQ(q.folder.ReadIni("Options", "UseCustomTitle"), "0");
    ASSERT_TRUE(Click(FindControl(help, "Button3")));
    CloseHelp(help);
    // A fresh window shows the stored title, not applied.
    help = q.Help();
    ASSERT_TRUE(help);
    EXPECT_EQ(Text(FindControl(help, "eAppTitle")), "My tool");
    EXPECT_EQ(Text(help), "Quillet quick help");
}

TEST(QuickHelp, OpeningTurnsHintsOffAndTheCheckBoxTurnsThemOn) {
    Quillet q;
    ASSERT_TRUE(q.Start());
    HWND hints = FindControl(q.main, "HintsOn"), update = FindControl(q.main, "bUpdate");
    HWND away = FindControl(q.main, "Label1");
    ASSERT_TRUE(Click(hints));
    Hover(update);
    EXPECT_TRUE(HintShows(q, 3000)) << "hints on";
    Hover(away);
    HWND help = q.Help();
    ASSERT_TRUE(help);
    CloseHelp(help);
    Hover(update);
    EXPECT_FALSE(HintShows(q, 1000)) << "hints off after the quick help";
    EXPECT_TRUE(IsChecked(hints)) << "the switch itself unchanged";
    Hover(away);
    ASSERT_TRUE(Click(hints));
    ASSERT_TRUE(Click(hints));
    Hover(update);
    EXPECT_TRUE(HintShows(q, 3000)) << "hints on again";
}

// Every access key that the two windows show, pressed as a person presses it.
TEST(QuickHelp, AccessKeysReachTheirControls) {
    Quillet q;
    ASSERT_TRUE(q.Start());
    HWND shortcut = FindControl(q.main, "cShortcut");
    const bool was = IsChecked(shortcut);
    ASSERT_TRUE(PressKey(q.main, 'D', kAlt));
    EXPECT_TRUE(WaitFor([&] { return IsChecked(shortcut) != was; }, kWaitMs, "Alt+D to toggle the shortcut box"));
    ASSERT_TRUE(PressKey(q.main, 'H', kAlt));
    HWND help = q.app.WaitForWindow(kQuickHelpClass, "", kWaitMs);
    ASSERT_TRUE(help) << "Alt+H opens the quick help";
    HWND panel = FindControl(help, "pOptions");
    ASSERT_TRUE(PressKey(help, 'O', kAlt));
    EXPECT_TRUE(WaitFor([&] { return IsShown(panel); }, kWaitMs, "Alt+O to show the options"));
    ASSERT_TRUE(PressKey(help, 'C', kAlt));
    EXPECT_TRUE(WaitFor([&] { return !IsShown(panel); }, kWaitMs, "Alt+C to close the options"));
    ASSERT_TRUE(PressKey(FindControl(help, "bOK"), VK_SPACE));
    EXPECT_TRUE(WaitUntilGone(help));
    ASSERT_TRUE(PressKey(q.main, 'X', kAlt));
    EXPECT_TRUE(q.app.WaitForExit()) << "Alt+X exits";
}

// The name a screen reader hears for a field, asked as screen readers ask:
// the window's accessible object, then its own name.
std::string AccessibleName(HWND hwnd) {
    IAccessible* object = nullptr;
    const HRESULT found = AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, __uuidof(IAccessible),
                                                     reinterpret_cast<void**>(&object));
    if (FAILED(found) || !object) return "(no accessible object: " + std::to_string(found) + ")";
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::string text = "(no name)";
    if (object->get_accName(self, &name) == S_OK && name) {
        text.assign(SysStringLen(name) * 2 + 1, '\0');
        text.resize(WideCharToMultiByte(CP_ACP, 0, name, SysStringLen(name), text.data(),
                                        static_cast<int>(text.size()), nullptr, nullptr));
        SysFreeString(name);
    }
    object->Release();
    return text;
}

TEST(QuickHelp, ScreenReaderNamesEveryFieldAfterItsLabel) {
    CoInitialize(nullptr);
    Quillet q;
    ASSERT_TRUE(q.Start());
    struct Case { const char* field; const char* name; };
    const Case mainFields[] = {
        {"eExepath", "Current path to command line compiler:"},
        {"eUnit", "Unit directories:"},
        {"eInc", "Include directories:"},
        {"eObject", "Object directories:"},
        {"eAlias", "Aliases:"},
        {"Memo1", "Current configuration (for manual editing)"},
    };
    for (const Case& c : mainFields) EXPECT_EQ(AccessibleName(FindControl(q.main, c.field)), c.name) << c.field;
    HWND help = q.Help();
    ASSERT_TRUE(help);
    ASSERT_TRUE(Click(FindControl(help, "bOptions")));
    EXPECT_EQ(AccessibleName(FindControl(help, "eAppTitle")),
              "Don't like our applet title? Then define your own application title below.");
    ASSERT_TRUE(Click(FindControl(help, "Button3")));
    CloseHelp(help);
    CoUninitialize();
}

}  // namespace
}  // namespace e2e

// The quick-help window through quillet.exe as a person uses it: where it
// opens, what it shows, the options panel, and the three options written to
// the settings file and taking effect.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "delphi_fixture.h"
#include "driver.h"

namespace e2e {
namespace {

// "&Help" pressed: the quick-help window that opens, or null.
HWND OpenHelp(App& app, HWND main, Where where = Where::current()) {
    if (!PostClick(FindControl(main, "bHelp", where), where)) return nullptr;
    return app.WaitForWindow(kQuickHelpClass, "", kWaitMs, where);
}

// Closes the window with "&OK" and waits until it has gone.
void CloseHelp(HWND help, Where where = Where::current()) {
    EXPECT_TRUE(PostClick(FindControl(help, "bOK", where), where));
    EXPECT_TRUE(WaitUntilGone(help, kWaitMs, where));
}

// The pointer moved onto the middle of a control, as a person's mouse would.
void Hover(HWND control) {
    const RECT r = ScreenRect(control);
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
}

// Puts text on the clipboard, for pasting.
bool CopyText(const std::string& text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!block) return false;
    memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    if (!OpenClipboard(nullptr)) {
        GlobalFree(block);
        return false;
    }
    EmptyClipboard();
    const bool ok = SetClipboardData(CF_TEXT, block) != nullptr;
    CloseClipboard();
    if (!ok) GlobalFree(block);
    return ok;
}

// A hint shows: a visible window of the program besides the main window.
bool HintShows(const App& app, HWND main, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        for (HWND h : app.Windows())
            if (h != main) return true;
        Sleep(20);
    } while (GetTickCount() - start < timeoutMs);
    return false;
}

// The position rule of the quick-help window for one axis.
int CentredOver(int ownerStart, int ownerExtent, int extent, int screen) {
    const int x = ownerStart + (ownerExtent - extent) / 2;
    if (x + extent > screen) return screen - extent - 20;
    return x < 0 ? 20 : x;
}

TEST(QuickHelp, OpensCentredOverTheMainWindowAtTheTopOfTheReadme) {
    const int screen = GetSystemMetrics(SM_CXSCREEN);
    int mainWidth = 0;
    // Centred; then a main window flush with the right screen edge and one
    // at the left edge, over which the wider window would stick out.
    for (const char* where : {"centred", "right", "left"}) {
        SCOPED_TRACE(where);
        TestFolder folder(std::string("QuickHelp.Opens_") + where);
        ASSERT_TRUE(folder.CopyQuillet(true));
        if (std::string(where) == "right") {
            ASSERT_TRUE(folder.WriteIni("Window Positions", "Left", std::to_string(screen - mainWidth)));
        } else if (std::string(where) == "left") {
            ASSERT_TRUE(folder.WriteIni("Window Positions", "Left", "-2"));
        }
        App app;
        HWND main = app.StartQuillet(folder);
        ASSERT_TRUE(main);
        const RECT m = ScreenRect(main);
        mainWidth = m.right - m.left;
        HWND help = OpenHelp(app, main);
        ASSERT_TRUE(help);
        const RECT h = ScreenRect(help);
        const int width = h.right - h.left, height = h.bottom - h.top;
        EXPECT_EQ(h.left, CentredOver(m.left, mainWidth, width, screen));
        EXPECT_EQ(h.top, CentredOver(m.top, m.bottom - m.top, height, GetSystemMetrics(SM_CYSCREEN)));
        if (std::string(where) == "right") {
            EXPECT_EQ(h.right, screen - 20);
        } else if (std::string(where) == "left") {
            EXPECT_EQ(h.left, 20);
        }
        EXPECT_EQ(Text(help), "Quillet quick help");

        HWND memo = FindControl(help, "Memo1");
        const std::string readme = folder.ReadFile("readme.txt").value_or("?");
        const std::string firstLine = readme.substr(0, readme.find_first_of("\r\n"));
        EXPECT_EQ(Text(memo).substr(0, firstLine.size() + 2), firstLine + "\r\n");
        EXPECT_EQ(SendMessageA(memo, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
        EXPECT_EQ(SendMessageA(memo, EM_GETSEL, 0, 0), 0) << "nothing selected, the caret at the start";
        CloseHelp(help);
        ASSERT_TRUE(PressCloseBox(main));
        ASSERT_TRUE(app.WaitForExit());
    }
}

TEST(QuickHelp, MissingReadmeIsNamedInTheTextBox) {
    TestFolder folder;
    ASSERT_TRUE(folder.CopyQuillet(false));
    App app;
    HWND main = app.StartQuillet(folder);
    ASSERT_TRUE(main);
    HWND help = OpenHelp(app, main);
    ASSERT_TRUE(help);
    EXPECT_EQ(Text(FindControl(help, "Memo1")),
              "\r\n" + folder.File("readme.txt") +
                  " could not be found in quillet.exe's directory. Unable to load quick help.\r\n");
    CloseHelp(help);
}

TEST(QuickHelp, OptionsPanelHoldsTheWindowOpenUntilClosed) {
    TestFolder folder;
    ASSERT_TRUE(folder.CopyQuillet(true));
    App app;
    HWND main = app.StartQuillet(folder);
    ASSERT_TRUE(main);
    HWND help = OpenHelp(app, main);
    ASSERT_TRUE(help);
    HWND panel = FindControl(help, "pOptions");
    EXPECT_FALSE(IsShown(panel));
    ASSERT_TRUE(Click(FindControl(help, "bOptions")));
    EXPECT_TRUE(IsShown(panel));
    const RECT p = RectInParent(panel);
    EXPECT_EQ(ChildWindowFromPointEx(help, POINT{(p.left + p.right) / 2, (p.top + p.bottom) / 2},
                                     CWP_SKIPINVISIBLE),
              panel)
        << "the panel lies over the text box";
    for (const char* name : {"Memo1", "bOptions", "bOK"}) EXPECT_FALSE(IsEnabled(FindControl(help, name))) << name;
    ASSERT_TRUE(PressEscape(help));
    ASSERT_TRUE(PressEscape(help));
    EXPECT_TRUE(IsShown(help)) << "Escape does nothing while the panel shows";

    ASSERT_TRUE(Click(FindControl(help, "Button3")));
    EXPECT_FALSE(IsShown(panel));
    EXPECT_TRUE(IsEnabled(FindControl(help, "bOK")));
    ASSERT_TRUE(PressEscape(FindControl(help, "Memo1")));
    EXPECT_TRUE(WaitUntilGone(help));
    // A fresh window each time; Escape presses "&OK".
    help = OpenHelp(app, main);
    ASSERT_TRUE(help);
    ASSERT_TRUE(PressEscape(help));
    EXPECT_TRUE(WaitUntilGone(help));
    EXPECT_TRUE(app.Running());
}

TEST(QuickHelp, CloseOnEscapeIsStoredAndHoldsAfterARestart) {
    TestFolder folder;
    ASSERT_TRUE(folder.CopyQuillet(true));
    for (const bool allow : {true, false}) {
        SCOPED_TRACE(allow ? "allowed" : "refused");
        App app;
        HWND main = app.StartQuillet(folder);
        ASSERT_TRUE(main);
        HWND help = OpenHelp(app, main);
        ASSERT_TRUE(help);
        ASSERT_TRUE(Click(FindControl(help, "bOptions")));
        HWND box = FindControl(help, "cCloseOnEsc");
        EXPECT_EQ(IsChecked(box), !allow) << "the box shows the stored state";
        ASSERT_TRUE(Click(box));
        EXPECT_EQ(folder.ReadIni("Options", "CloseOnEscape"), allow ? "1" : "0");
        ASSERT_TRUE(Click(FindControl(help, "Button3")));
        CloseHelp(help);
        ASSERT_TRUE(PressCloseBox(main));
        ASSERT_TRUE(app.WaitForExit());

        App again;
        main = again.StartQuillet(folder);
        ASSERT_TRUE(main);
        ASSERT_TRUE(PressEscape(FindControl(main, "eUnit")));
        if (allow) {
            EXPECT_TRUE(again.WaitForExit());
        } else {
            Sleep(300);
            EXPECT_TRUE(again.Running());
            ASSERT_TRUE(PressCloseBox(main));
            ASSERT_TRUE(again.WaitForExit());
        }
    }
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

    for (const char* step : {"rD2", "bCreate", "bSave"}) {
        SCOPED_TRACE(step);
        // A confirmation would hold the click until its time-out.
        ASSERT_TRUE(Click(s.Control(step)));
        EXPECT_EQ(s.app_.FindTopWindow(kMessageDialogClass), nullptr) << s.app_.DescribeWindows();
    }
    EXPECT_TRUE(s.folder_.Exists("D2\\Delphi 2.0\\BIN\\dcc32.cfg"));
}

TEST(QuickHelp, ApplyRetitlesTheProgramUntilTheOptionGoesOff) {
    TestFolder folder;
    ASSERT_TRUE(folder.CopyQuillet(true));
    App app;
    HWND main = app.StartQuillet(folder);
    ASSERT_TRUE(main);
    HWND help = OpenHelp(app, main);
    ASSERT_TRUE(help);
    ASSERT_TRUE(Click(FindControl(help, "bOptions")));
    HWND title = FindControl(help, "eAppTitle"), apply = FindControl(help, "bAppTitle");
    EXPECT_FALSE(IsEnabled(title));
    ASSERT_TRUE(Click(FindControl(help, "cAppTitle")));
    EXPECT_EQ(folder.ReadIni("Options", "UseCustomTitle"), "1");
    ASSERT_TRUE(SetText(title, ""));
    ASSERT_TRUE(CopyText(std::string(300, 'x')));
    SendMessageA(title, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(title), std::string(255, 'x')) << "the box takes 255 characters";
    ASSERT_TRUE(SetText(title, "My tool"));
    ASSERT_TRUE(Click(apply));
    // The main window's caption is the taskbar's title.
    EXPECT_EQ(Text(main), "My tool");
    EXPECT_EQ(Text(help), "My tool");
    EXPECT_EQ(folder.ReadIni("Options", "CustomTitleText"), "My tool");
    EXPECT_FALSE(IsEnabled(apply));

    ASSERT_TRUE(Click(FindControl(help, "cAppTitle")));
    EXPECT_EQ(Text(main), "Quillet");
    EXPECT_EQ(Text(help), "Quillet");
    EXPECT_EQ(folder.ReadIni("Options", "UseCustomTitle"), "0");
    ASSERT_TRUE(Click(FindControl(help, "Button3")));
    CloseHelp(help);

    // The next window shows the stored title, not yet applied.
    help = OpenHelp(app, main);
    ASSERT_TRUE(help);
    EXPECT_EQ(Text(FindControl(help, "eAppTitle")), "My tool");
    EXPECT_EQ(Text(help), "Quillet quick help");
    CloseHelp(help);
}

TEST(QuickHelp, OpeningTurnsHintsOffAndTheCheckBoxTurnsThemOn) {
    TestFolder folder;
    ASSERT_TRUE(folder.CopyQuillet(true));
    App app;
    HWND main = app.StartQuillet(folder);
    ASSERT_TRUE(main);
    HWND hints = FindControl(main, "HintsOn"), update = FindControl(main, "bUpdate");
    HWND away = FindControl(main, "Label1");
    ASSERT_TRUE(Click(hints));
    Hover(update);
    EXPECT_TRUE(HintShows(app, main, 3000)) << "hints on";
    Hover(away);

    HWND help = OpenHelp(app, main);
    ASSERT_TRUE(help);
    CloseHelp(help);
    Hover(update);
    EXPECT_FALSE(HintShows(app, main, 1000)) << "hints off after the quick help";
    EXPECT_TRUE(IsChecked(hints)) << "the switch itself unchanged";
    Hover(away);

    ASSERT_TRUE(Click(hints));
    ASSERT_TRUE(Click(hints));
    Hover(update);
    EXPECT_TRUE(HintShows(app, main, 3000)) << "hints on again";
}

}  // namespace
}  // namespace e2e

// The main window's placement, its settings file and the ways to close it,
// through quillet.exe as a person uses it.

#include <gtest/gtest.h>

#include "driver.h"

namespace e2e {
namespace {

struct Placement {
    int left, top, width, height;
};

Placement PlacementOf(HWND hwnd) {
    const RECT r = ScreenRect(hwnd);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

TEST(MainWindow, FirstRunOpensCentredAndCreatesTheSettingsFileOnClose) {
    TestFolder folder;
    ASSERT_TRUE(folder.CopyQuillet());
    App app;
    HWND main = app.StartQuillet(folder);
    ASSERT_TRUE(main);
    const Placement p = PlacementOf(main);
    EXPECT_EQ(p.left, (ScreenWidth() - p.width) / 2);
    EXPECT_EQ(p.top, (ScreenHeight() - p.height) / 2);
    EXPECT_FALSE(folder.Exists("quillet.ini")) << "nothing is written before closing";

    ASSERT_TRUE(Click(FindControl(main, "bExit")));
    ASSERT_TRUE(app.WaitForExit());
    EXPECT_EQ(folder.ReadIni("Window Positions", "Left"), std::to_string(p.left));
    EXPECT_EQ(folder.ReadIni("Window Positions", "Top"), std::to_string(p.top));
}

TEST(MainWindow, StoredPositionsFollowThePositionRule) {
    struct Case {
        const char* left;
        const char* top;
        int expectedLeft;  // -1: centred
        int expectedTop;
        const char* why;
    };
    const Case cases[] = {
        {"-200", "30", 100, 30, "a negative Left opens at half its magnitude"},
        {"5000", "40", 142, 40, "a Left past the right edge keeps 142 while Top is restored"},
        {"0", "9000", -1, 19, "Left 0 centres; a Top past the bottom keeps 19"},
        {"abc", "57", -1, 57, "a Left that is no number reads as 0"},
        {"-1500", "-1600", 142, 19, "closed left of and above the screen: the designed place"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TestFolder folder;
        ASSERT_TRUE(folder.CopyQuillet());
        ASSERT_TRUE(folder.WriteIni("Window Positions", "Left", c.left));
        ASSERT_TRUE(folder.WriteIni("Window Positions", "Top", c.top));
        App app;
        HWND main = app.StartQuillet(folder);
        ASSERT_TRUE(main);
        const Placement p = PlacementOf(main);
        const int left = c.expectedLeft < 0 ? (ScreenWidth() - p.width) / 2 : c.expectedLeft;
        EXPECT_EQ(p.left, left);
        EXPECT_EQ(p.top, c.expectedTop);
        ASSERT_TRUE(PressCloseBox(main));
        ASSERT_TRUE(app.WaitForExit());
        EXPECT_EQ(folder.ReadIni("Window Positions", "Left"), std::to_string(left));
    }
}

TEST(MainWindow, EscapeInTheTextBoxClosesOnlyWhenAllowed) {
    {
        SCOPED_TRACE("CloseOnEscape 1");
        TestFolder folder("MainWindow.EscapeAllowed");
        ASSERT_TRUE(folder.CopyQuillet());
        ASSERT_TRUE(folder.WriteIni("Options", "CloseOnEscape", "1"));
        App app;
        HWND main = app.StartQuillet(folder);
        ASSERT_TRUE(main);
        ASSERT_TRUE(PressEscape(FindControl(main, "Memo1")));
        ASSERT_TRUE(app.WaitForExit());
        EXPECT_TRUE(folder.ReadIni("Window Positions", "Left").has_value())
            << "closing by Escape saves the position too";
    }
    {
        SCOPED_TRACE("CloseOnEscape 0");
        TestFolder folder("MainWindow.EscapeNotAllowed");
        ASSERT_TRUE(folder.CopyQuillet());
        ASSERT_TRUE(folder.WriteIni("Options", "CloseOnEscape", "0"));
        App app;
        HWND main = app.StartQuillet(folder);
        ASSERT_TRUE(main);
        HWND memo = FindControl(main, "Memo1");
        ASSERT_TRUE(TypeText(memo, "-aX"));
        ASSERT_TRUE(PressEscape(memo));
        ASSERT_TRUE(PressEscape(FindControl(main, "eUnit")));
        Sleep(300);
        EXPECT_TRUE(app.Running()) << "Escape must not close the window";
        EXPECT_EQ(Text(memo), "-aX") << "Escape types nothing into the text box";
        ASSERT_TRUE(PressAltF4(main));
        ASSERT_TRUE(app.WaitForExit());
        EXPECT_TRUE(folder.ReadIni("Window Positions", "Top").has_value());
    }
}

TEST(MainWindow, ControlsAsFormCreateLeavesThem) {
    TestFolder folder;
    ASSERT_TRUE(folder.CopyQuillet());
    App app;
    HWND main = app.StartQuillet(folder);
    ASSERT_TRUE(main);
    EXPECT_EQ(Text(main), "Quillet");
    const RECT client = ClientRect(main);
    EXPECT_EQ(client.right, 498);
    EXPECT_EQ(client.bottom, 438);
    struct Case { const char* name; const char* text; bool enabled; bool shown; };
    const Case cases[] = {
        {"rD1", "Delphi &1", true, true},           {"eExepath", "", true, true},
        {"lObject", "Object directories:", true, true}, {"lAlias", "Aliases:", true, true},
        {"bCreate", "&Create", true, true},         {"bSave", "&Save", false, true},
        {"cBatfile", "Create pausing .BAT file", true, false},
        {"Memo1", "", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND h = FindControl(main, c.name);
        ASSERT_TRUE(h);
        EXPECT_EQ(Text(h), c.text);
        EXPECT_EQ(IsEnabled(h), c.enabled);
        EXPECT_EQ(IsShown(h), c.shown);
    }
    const RECT exe = RectInParent(FindControl(main, "eExepath"));
    EXPECT_EQ(exe.left, 112);
    EXPECT_EQ(exe.top, 28);
    EXPECT_EQ(exe.right - exe.left, 369);
    EXPECT_EQ(exe.bottom - exe.top, 21);
    for (const char* radio : {"rD1", "rD2", "rD3"}) EXPECT_FALSE(IsChecked(FindControl(main, radio)));
}

}  // namespace
}  // namespace e2e

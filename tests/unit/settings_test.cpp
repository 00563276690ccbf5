#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "core/settings.h"
#include "core/text.h"
#include "fakes.h"
#include "ui/placement.h"

namespace quillet {
namespace {

// Screen 1024 wide; the main window's outer width 504, designed Left 142.
TEST(PositionRule, OneAxis) {
    struct Case { int stored, screen, extent, designed, expected; const char* why; };
    const Case cases[] = {
        {0, 1024, 504, 142, 260, "absent or 0 centres"},
        {0, 768, 467, 19, 150, "vertical centring truncates"},
        {-200, 1024, 504, 142, 100, "negative gives half its magnitude"},
        {-201, 1024, 504, 142, 100, "half of an odd magnitude truncates"},
        {-1, 1024, 504, 142, 0, "minus one gives 0"},
        {300, 1024, 504, 142, 300, "a value that fits is used"},
        {520, 1024, 504, 142, 520, "flush with the right edge still fits"},
        {521, 1024, 504, 142, 142, "one pixel past the edge keeps the designed place"},
        {5000, 768, 467, 19, 19, "past the bottom keeps the designed Top"},
        {0, 400, 504, 142, 142, "window wider than the screen"},
        {INT_MAX, 1024, 504, 142, 142, "no overflow near the int range"},
        {-1040, 1024, 504, 142, 520, "half a negative value flush with the right edge"},
        {-1042, 1024, 504, 142, 142, "half a negative value past the right edge"},
        {-1500, 1024, 504, 142, 142, "a window left of the screen does not open off it"},
        {-1600, 768, 467, 19, 19, "a window above the screen does not open below it"},
        {INT_MIN, 1024, 504, 142, 142, "the most negative value halves without overflow"},
        {0, INT_MAX, INT_MIN, 142, INT_MAX, "centring over extreme extents without overflow"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PositionCoordinate(c.stored, c.screen, c.extent, c.designed), c.expected)
            << c.why;
    }
}

// Work areas of the primary (taskbar at the bottom) and monitors right and left of it.
TEST(PositionRule, ReopensOnTheMonitorItWasClosedOn) {
    struct Case { base::Point stored, at; const char* why; };
    const Case cases[] = {
        {{1500, 200}, {1500, 200}, "on the right monitor"},
        {{-1000, 100}, {-1000, 100}, "on the left monitor"},
        {{900, 100}, {142, 100}, "across two monitors: the rule"},
        {{5000, 5000}, {142, 19}, "on no monitor: the rule"},
        {{0, 200}, {260, 200}, "a 0 still centres"},
        {{300, 280}, {300, 280}, "over the taskbar: as with one monitor"},
    };
    const std::vector<base::Rect> desk{{0, 0, 1024, 738}, {1024, 0, 2304, 1024}, {-1280, 0, 0, 1024}};
    for (const Case& c : cases) {
        EXPECT_EQ(RestoredPosition(c.stored, {504, 467}, desk, {1024, 768}, {142, 19}), c.at) << c.why;
    }
}

TEST(CenterOverForm, OneAxis) {
    struct Case { int ownerStart, ownerExtent, dialog, screen, expected; const char* why; };
    const Case cases[] = {
        {100, 504, 300, 1024, 202, "centred over the owner"},
        {100, 505, 300, 1024, 202, "the half-pixel is dropped"},
        {800, 504, 300, 1024, 704, "past the right edge: 20 pixels inside"},
        {-300, 200, 300, 1024, 20, "left of the screen: at 20"},
        {0, 1000, 1100, 1024, -96, "wider than the screen ends negative"},
        {0, 300, 300, 1024, 0, "exactly at 0 stays"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ui::CenterOverAxis(c.ownerStart, c.ownerExtent, c.dialog, c.screen), c.expected)
            << c.why;
    }
}

TEST(ParseProfileInt, LikeTheProfileFunctions) {
    struct Case { const char* text; int def; int expected; };
    const Case cases[] = {
        {"", 1, 1},          {"", 0, 0},       {"0", 1, 0},          {"1", 0, 1},
        {"-200", 0, -200},   {"+7", 0, 7},     {"12abc", 0, 12},     {"abc", 1, 0},
        {"yes", 1, 0},       {" 42", 0, 42},   {"-", 1, 0},          {"99999999999", 0, INT_MAX},
        {"-99999999999", 0, INT_MIN},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseProfileInt(c.text, c.def), c.expected) << '"' << c.text << '"';
    }
}

TEST(SettingsFile, BesideTheProgram) {
    EXPECT_EQ(SettingsFileFor("C:\\Tools\\quillet.exe"), "C:\\Tools\\quillet.ini");
    EXPECT_EQ(SettingsFileFor("C:\\My.Tools\\quillet"), "C:\\My.Tools\\quillet.ini");
    const std::string longPath = "C:\\" + std::string(300, 'd') + "\\quillet.exe";
    EXPECT_EQ(SettingsFileFor(longPath), longPath.substr(0, longPath.size() - 4) + ".ini")
        << "a long program path is held whole";
}

TEST(SettingsFile, PerUserFileAndWhichIsRead) {
    const std::string user = "C:\\AD\\Quillet\\q2.ini", beside = "C:\\PF\\q2.ini";
    EXPECT_EQ(UserSettingsFileFor("C:\\AD\\", "C:\\PF\\q2.exe"), user) << "named as the one beside";
    EXPECT_EQ(UserSettingsFileFor("", "C:\\PF\\q2.exe"), "") << "no such folder: none";
    testing::FakePlatform platform;
    EXPECT_EQ(SettingsFileToRead(platform, beside, user), beside);
    platform.AddFile(user);
    EXPECT_EQ(SettingsFileToRead(platform, beside, user), user) << "read first when it exists";
    EXPECT_EQ(SettingsFileToRead(platform, beside, ""), beside);
}

// A write that the program's folder refuses moves the settings to the
// per-user file, with the values read so far; any other failure does not.
TEST(Settings, RefusedWriteMovesToThePerUserFile) {
    const std::string beside = "C:\\PF\\quillet.ini", user = "C:\\AD\\Quillet\\quillet.ini";
    struct Case { unsigned long besideError, userError; bool userFileThere, moves; const char* why; };
    const Case cases[] = {
        {0, 0, false, false, "a writable folder: nothing changes"},
        {5, 0, false, true, "access denied"},
        {19, 0, false, true, "a write-protected medium"},
        {32, 0, false, false, "held open by another program: a passing failure"},
        {5, 5, false, false, "the per-user file refused too: stays where it was"},
        {5, 0, true, true, "a per-user file made meanwhile keeps its values"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        testing::FakePlatform platform;
        platform.SetProfile(beside, "Window Positions", "Left", "-4");
        platform.SetProfile(beside, "Options", "CloseOnEscape", "1");
        if (c.besideError) platform.profileRefusals[UpperAscii(beside)] = c.besideError;
        if (c.userError) platform.profileRefusals[UpperAscii(user)] = c.userError;
        if (c.userFileThere) platform.AddFile(user);
        if (c.userFileThere) platform.SetProfile(user, "Window Positions", "Left", "7");
        AppState state;
        state.iniFileName = beside;
        state.userIniFileName = user;

        Settings(platform, state).WriteText("Options", "UseCustomTitle", "1");
        Settings(platform, state).WriteText("Options", "CustomTitleText", "Mine");

        EXPECT_EQ(state.iniFileName, c.moves ? user : beside);
        EXPECT_TRUE(!c.moves || c.userFileThere || platform.DirectoryExists("C:\\AD\\Quillet"));
        const Settings now(platform, state.iniFileName);
        EXPECT_EQ(now.Left(), c.userFileThere ? 7 : -4);
        EXPECT_EQ(now.CloseOnEscape(), !c.userFileThere);
        EXPECT_EQ(now.CustomTitleText(), c.besideError == 0 || c.moves ? "Mine" : "");
        EXPECT_EQ(platform.profiles.count({UpperAscii(user), "WINDOW POSITIONS", "TOP"}), 0u)
            << "an absent key stays absent";
    }
}

TEST(Settings, DefaultsWhenTheFileIsMissing) {
    testing::FakePlatform platform;
    Settings settings(platform, "C:\\Q\\quillet.ini");
    EXPECT_EQ(settings.Left(), 0);
    EXPECT_EQ(settings.Top(), 0);
    EXPECT_TRUE(settings.ExtraMessages());
    EXPECT_FALSE(settings.CloseOnEscape());
    EXPECT_FALSE(settings.UseCustomTitle());
    EXPECT_EQ(settings.CustomTitleText(), "");
}

TEST(Settings, OptionsAreOnExactlyWhenOne) {
    struct Case { const char* value; bool on; };
    const Case cases[] = {{"1", true}, {"0", false}, {"2", false}, {"x", false}, {"01", true}};
    for (const Case& c : cases) {
        testing::FakePlatform platform;
        platform.SetProfile("C:\\Q\\quillet.ini", "Options", "ExtraMessages", c.value);
        platform.SetProfile("C:\\Q\\quillet.ini", "Options", "CloseOnEscape", c.value);
        Settings settings(platform, "C:\\Q\\quillet.ini");
        EXPECT_EQ(settings.ExtraMessages(), c.on) << c.value;
        EXPECT_EQ(settings.CloseOnEscape(), c.on) << c.value;
    }
}

TEST(Settings, SavePositionWritesLeftThenTop) {
    testing::FakePlatform platform;
    Settings settings(platform, "C:\\Q\\quillet.ini");
    settings.SavePosition(-4, 250);
    EXPECT_EQ(platform.profileWrites,
              (std::vector<std::string>{"Window Positions/Left=-4", "Window Positions/Top=250"}));
    EXPECT_EQ(settings.Left(), -4);
    EXPECT_EQ(settings.Top(), 250);
}

}  // namespace
}  // namespace quillet

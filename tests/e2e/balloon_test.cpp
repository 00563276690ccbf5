// "Hints and tips" through quillet.exe: resting the pointer on a control shows
// its hint as a balloon of the main window's settings.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "driver.h"

namespace e2e {
namespace {

constexpr const char* kBalloonClass = "TBalloonHintWindow";

// The balloon of the main window's settings for `text`: "Helv" bold -11,
// at most a third of the screen wide (8 of it shadow, 33 frame), 8 deep.
SIZE ExpectedSize(const std::string& text) {
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0,
                             0, "Helv");
    HGDIOBJ old = SelectObject(dc, font);
    RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN) / 3 - 41, 0};
    DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return {std::max(r.right + 41, 59L), r.bottom + 46};
}

COLORREF ScreenPixel(int x, int y) {
    HDC dc = GetDC(nullptr);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(nullptr, dc);
    return c;
}

TEST(Balloons, HintsAndTipsShowsEachHintAsABalloonAtThePointer) {
    TestFolder folder;
    ASSERT_TRUE(folder.CopyQuillet());
    App app;
    HWND main = app.StartQuillet(folder);
    ASSERT_TRUE(main);
    ASSERT_TRUE(Click(FindControl(main, "HintsOn")));

    struct Case {
        const char* control;
        const char* hintStart;
    };
    const Case cases[] = {
        {"eUnit", "Unit directories are"},
        {"eExepathButton", "The location of DCC.EXE"},
        {"bSave", "The .CFG isn't actually saved"},  // disabled at start
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control);
        const RECT r = ScreenRect(FindControl(main, c.control));
        const POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ASSERT_TRUE(MovePointer(p.x, p.y));
        HWND balloon = nullptr;
        std::string text;
        ASSERT_TRUE(WaitFor(
            [&] {
                // The caption as the system keeps it: a balloon may go meanwhile.
                char caption[1024] = "";
                balloon = app.FindTopWindow(kBalloonClass);
                if (balloon) GetWindowTextA(balloon, caption, sizeof caption);
                text = caption;
                return text.rfind(c.hintStart, 0) == 0;
            },
            kWaitMs, "a balloon with the hint"));

        // Below and left of the pointer, its top-right corner at the pointer.
        const RECT b = ScreenRect(balloon);
        EXPECT_EQ(b.right, p.x);
        EXPECT_EQ(b.top, p.y);
        const SIZE expected = ExpectedSize(text);
        EXPECT_EQ(b.right - b.left, expected.cx);
        EXPECT_EQ(b.bottom - b.top, expected.cy);

        // Shaped by a region: the pointer's tip, 8 pixels of shadow.
        const int w = b.right - b.left;
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(GetWindowRgn(balloon, rgn), COMPLEXREGION);
        EXPECT_TRUE(PtInRegion(rgn, w - 13, 3)) << "just under the tip";
        EXPECT_FALSE(PtInRegion(rgn, w - 1, 3));
        EXPECT_FALSE(PtInRegion(rgn, 0, 0));
        const int bodyRight = w - 8 - 15, shadowY = 19 + 20;
        EXPECT_TRUE(PtInRegion(rgn, bodyRight + 3, shadowY));
        DeleteObject(rgn);

        // Window colour inside a black frame, once painted; the shadow
        // blackens every other pixel.
        const int x = b.left + bodyRight / 2;
        EXPECT_TRUE(WaitFor([&] { return ScreenPixel(x, b.top + 19) == RGB(0, 0, 0); }, kWaitMs,
                            "the balloon's frame"));
        EXPECT_EQ(ScreenPixel(x, b.top + 23), GetSysColor(COLOR_WINDOW));
        const int sx = bodyRight + 3, sy = shadowY + (bodyRight + 3 + shadowY) % 2;
        EXPECT_EQ(ScreenPixel(b.left + sx, b.top + sy), RGB(0, 0, 0));
        EXPECT_NE(ScreenPixel(b.left + sx + 1, b.top + sy), RGB(0, 0, 0));
    }

    HWND shown = app.FindTopWindow(kBalloonClass);
    ASSERT_TRUE(Click(FindControl(main, "HintsOn")));
    EXPECT_TRUE(WaitUntilGone(shown));
    const RECT r = ScreenRect(FindControl(main, "bCreate"));
    ASSERT_TRUE(MovePointer((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    Sleep(600);
    EXPECT_EQ(app.FindTopWindow(kBalloonClass), nullptr) << app.DescribeWindows();
}

}  // namespace
}  // namespace e2e

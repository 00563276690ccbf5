// "Hints and tips" through quillet.exe: a control's hint as a balloon.

#include <gtest/gtest.h>

#include <string>

#include "driver.h"

namespace e2e {
namespace {

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
    // The main window's balloons: "Helv" bold -11, a third of the screen wide
    // at most (33 of it frame, 8 shadow), below left of the pointer.
    HDC dc = GetDC(nullptr);
    HFONT helv = CreateFontA(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Helv");
    SelectObject(dc, helv);
    HWND balloon = nullptr;
    for (const char* name : {"eUnit", "eExepathButton", "bSave"}) {  // bSave is disabled
        SCOPED_TRACE(name);
        const RECT c = ScreenRect(FindControl(main, name));
        const POINT p{(c.left + c.right) / 2, (c.top + c.bottom) / 2};
        ASSERT_TRUE(MovePointer(p.x, p.y));
        char text[1024] = "";
        ASSERT_TRUE(WaitFor([&] {
            balloon = app.FindTopWindow("TBalloonHintWindow");
            // The caption as the system keeps it: a balloon may go meanwhile.
            return balloon && GetWindowTextA(balloon, text, sizeof text) > 0 && ScreenRect(balloon).right == p.x;
        }, kWaitMs, "a balloon at the pointer"));
        RECT t{0, 0, GetSystemMetrics(SM_CXSCREEN) / 3 - 41, 0};
        DrawTextA(dc, text, -1, &t, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        const RECT b = ScreenRect(balloon);
        EXPECT_EQ(b.top, p.y);
        EXPECT_EQ(b.right - b.left, t.right + 41);
        EXPECT_EQ(b.bottom - b.top, t.bottom + 46);

        const int w = b.right - b.left, bodyRight = w - 8 - 15, sx = bodyRight + 3, sy = 40 - sx % 2;
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(GetWindowRgn(balloon, rgn), COMPLEXREGION);
        EXPECT_TRUE(PtInRegion(rgn, w - 13, 3) && !PtInRegion(rgn, w - 1, 3)) << "the pointer's tip";
        EXPECT_TRUE(PtInRegion(rgn, sx, sy) && !PtInRegion(rgn, 0, 0)) << "the shadow";
        DeleteObject(rgn);
        // A black frame round the window colour, once painted; the shadow
        // blackens every other pixel.
        EXPECT_TRUE(WaitFor([&] { return ScreenPixel(b.left + 40, b.top + 23) == GetSysColor(COLOR_WINDOW); },
                            kWaitMs, "the balloon's colour"));
        EXPECT_EQ(ScreenPixel(b.left + 40, b.top + 19), 0u);
        EXPECT_EQ(ScreenPixel(b.left + sx, b.top + sy), 0u);
        EXPECT_NE(ScreenPixel(b.left + sx + 1, b.top + sy), 0u);
    }
    DeleteObject(SelectObject(dc, GetStockObject(SYSTEM_FONT)));
    ReleaseDC(nullptr, dc);

    ASSERT_TRUE(Click(FindControl(main, "HintsOn")));
    EXPECT_TRUE(WaitUntilGone(balloon));
    const RECT c = ScreenRect(FindControl(main, "bCreate"));
    ASSERT_TRUE(MovePointer(c.left + 5, c.top + 5));
    Sleep(600);
    EXPECT_EQ(app.FindTopWindow("TBalloonHintWindow"), nullptr) << app.DescribeWindows();
}

}  // namespace
}  // namespace e2e

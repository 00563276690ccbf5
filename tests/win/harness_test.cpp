// What the test prefix promises every other test: 96 DPI, the fixed screen,
// and font names resolved as on Windows (Wine's bitmap faces, Liberation for
// outline ones), so text metrics are the same on every machine.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "win_helpers.h"

namespace quillet::wintest {
namespace {

struct FontProbe {
    std::string face;  // as GetTextFace names it
    TEXTMETRICA tm{};
    SIZE sample{};     // extent of the 52 letters
};

FontProbe Probe(const char* faceName, int height) {
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, faceName);
    HGDIOBJ old = SelectObject(dc, font);
    FontProbe p;
    char face[LF_FACESIZE] = {};
    GetTextFaceA(dc, sizeof face, face);
    p.face = face;
    GetTextMetricsA(dc, &p.tm);
    const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    GetTextExtentPoint32A(dc, letters, 52, &p.sample);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return p;
}

TEST(TestPrefix, Runs96DpiOnA1024By768Screen) {
    HDC dc = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
}

TEST(TestPrefix, FontNamesResolveAsOnWindows) {
    struct Case {
        const char* asked;
        const char* face;
        bool outline;
    };
    const Case cases[] = {
        {"Helv", "MS Sans Serif", false},        {"MS Sans Serif", "MS Sans Serif", false},
        {"Fixedsys", "Fixedsys", false},         {"Small Fonts", "Small Fonts", false},
        {"Arial", "Liberation Sans", true},      {"Microsoft Sans Serif", "Liberation Sans", true},
        {"Small", "Liberation Sans", true},      {"Times New Roman", "Liberation Serif", true},
        {"Lucida Console", "Liberation Mono", true},
    };
    for (int height : {-11, -13, 16}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.asked) + " at height " + std::to_string(height));
            FontProbe asked = Probe(c.asked, height);
            FontProbe real = Probe(c.face, height);
            ASSERT_EQ(real.face, c.face) << "the Liberation fonts (fonts-liberation) are not installed";
            // GetTextFace names the face asked for; the metrics tell which face it is.
            EXPECT_EQ((asked.tm.tmPitchAndFamily & TMPF_TRUETYPE) != 0, c.outline)
                << "Wine's bitmap faces (fonts-wine) are not in the prefix";
            EXPECT_EQ(asked.tm.tmHeight, real.tm.tmHeight);
            EXPECT_EQ(asked.tm.tmAscent, real.tm.tmAscent);
            EXPECT_EQ(asked.tm.tmAveCharWidth, real.tm.tmAveCharWidth);
            EXPECT_EQ(asked.sample.cx, real.sample.cx);
            EXPECT_EQ(asked.sample.cy, real.sample.cy);
        }
    }
    // The three faces really differ, so the comparisons above can tell them apart.
    EXPECT_NE(Probe("Liberation Sans", -11).sample.cx, Probe("Liberation Mono", -11).sample.cx);
    EXPECT_NE(Probe("Liberation Sans", -11).sample.cx, Probe("Liberation Serif", -11).sample.cx);
}

bool g_timerFired = false;
void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) { g_timerFired = true; }

TEST(WinHelpers, PumpRunsPostedMessagesAndReportsTimeOuts) {
    HWND parent = HiddenParent();
    ASSERT_NE(parent, nullptr);
    EXPECT_FALSE(IsWindowVisible(parent));
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 5, 7, 100, 20, parent, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    ExpectRect(edit, 5, 7, 100, 20);
    EXPECT_NONFATAL_FAILURE(ExpectRect(edit, 5, 7, 100, 21), "expected (5, 7, 100, 21)");

    // A timer message arrives only through the queue.
    g_timerFired = false;
    UINT_PTR id = SetTimer(nullptr, 0, 10, OnTimer);
    EXPECT_TRUE(PumpUntil([] { return g_timerFired; }, 5000, "the timer"));
    KillTimer(nullptr, id);
    EXPECT_NONFATAL_FAILURE(PumpUntil([] { return false; }, 50, "nothing"), "timed out after 50 ms waiting for nothing");

    SetWindowTextA(edit, "abc");
    ExpectText(edit, "abc");
    EXPECT_NONFATAL_FAILURE(ExpectText(edit, "abd"), "window text is \"abc\", expected \"abd\"");
    DestroyWindow(edit);
}

}  // namespace
}  // namespace quillet::wintest

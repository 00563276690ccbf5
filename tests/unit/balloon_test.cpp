#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <tuple>
#include <vector>

#include "components/balloon_hint.h"

namespace quillet {
namespace {

TEST(Balloon, SizeFromTheMeasuredText) {
    struct Case {
        const char* name;
        int pointerX, screenWidth, maxPixels, sd;
        base::Size text;  // as measured
        int wrapWidth;
        base::Size window;
    };
    const Case cases[] = {
        {"narrow text, minimum width", 100, 800, 266, 8, {10, 13}, 225, {59, 59}},
        {"text of 18 is exactly the minimum", 100, 800, 266, 8, {18, 13}, 225, {59, 59}},
        {"text of 19 widens it", 100, 800, 266, 8, {19, 13}, 225, {60, 59}},
        {"no shadow", 100, 800, 266, 0, {200, 26}, 233, {233, 64}},
        {"deepest shadow", 100, 800, 266, 16, {200, 26}, 217, {249, 80}},
        {"pointer on the right: the left is wider", 700, 800, 1000, 8, {10, 13}, 659, {59, 59}},
        {"half the screen is less than the limit", 150, 300, 1000, 8, {10, 13}, 109, {59, 59}},
        {"MaxWidth 0 still leaves room for text", 100, 800, 0, 8, {10, 13}, 18, {59, 59}},
        {"limit narrower than the frame", 100, 800, 20, 16, {5, 13}, 10, {59, 67}},
    };
    const std::string caption(300, 'x');  // longer than 255: measured whole
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int wrap = 0;
        const base::Size size = MeasureBalloon(
            caption, {c.pointerX, 100}, c.screenWidth, c.maxPixels, c.sd,
            [&](const std::string& text, int width) {
                EXPECT_EQ(text, caption);
                wrap = width;
                return c.text;
            });
        EXPECT_EQ(wrap, c.wrapWidth);
        EXPECT_EQ(size, c.window);
        // The measured text fits the text rectangle wherever the pointer is.
        for (TBalloonPosition p : {bpAboveLeft, bpAboveRight, bpBelowLeft, bpBelowRight}) {
            const base::Rect t = GetBalloonGeometry(size, c.sd, p).text;
            EXPECT_GE(t.right - t.left, c.text.width);
            EXPECT_EQ(t.bottom - t.top, c.text.height + 1);
        }
    }
}

TEST(Balloon, PlacementAndFlips) {
    struct Case {
        const char* name;
        TBalloonPosition preferred;
        base::Point pointer;
        base::Size size;
        TBalloonPosition position;  // after the flips
        base::Rect rect;
    };
    const Case cases[] = {
        {"above left", bpAboveLeft, {100, 100}, {60, 50}, bpAboveLeft, {40, 50, 100, 100}},
        {"above right", bpAboveRight, {100, 100}, {60, 50}, bpAboveRight, {100, 50, 160, 100}},
        {"below left", bpBelowLeft, {100, 100}, {60, 50}, bpBelowLeft, {40, 100, 100, 150}},
        {"below right, one pixel off", bpBelowRight, {100, 100}, {60, 50}, bpBelowRight,
         {101, 101, 161, 151}},
        {"bottom edge", bpBelowRight, {100, 590}, {60, 50}, bpAboveRight, {100, 540, 160, 590}},
        {"top edge", bpAboveRight, {100, 20}, {60, 50}, bpBelowRight, {101, 21, 161, 71}},
        {"right edge", bpBelowRight, {780, 100}, {60, 50}, bpBelowLeft, {720, 100, 780, 150}},
        {"left edge", bpAboveLeft, {10, 300}, {60, 50}, bpAboveRight, {10, 250, 70, 300}},
        {"top-left corner", bpAboveLeft, {10, 10}, {60, 50}, bpBelowRight, {11, 11, 71, 61}},
        {"fits nowhere: the last rule wins", bpAboveLeft, {850, 650}, {900, 700}, bpBelowRight,
         {851, 651, 1751, 1351}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const BalloonPlacement placed = PlaceBalloon(c.size, c.pointer, c.preferred,
                                                     base::RectAt(0, 0, 800, 600));
        EXPECT_EQ(placed.position, c.position);
        EXPECT_EQ(placed.rect, c.rect);
    }
}

TEST(Balloon, FlipsAtTheEdgesOfTheMonitorUnderThePointer) {
    const base::Rect right{1024, 0, 2304, 1024}, left{-1280, 0, 0, 1024};
    EXPECT_EQ(PlaceBalloon({60, 50}, {1500, 500}, bpBelowRight, right).position, bpBelowRight);
    EXPECT_EQ(PlaceBalloon({60, 50}, {2280, 1000}, bpBelowRight, right).rect, (base::Rect{2220, 950, 2280, 1000}));
    EXPECT_EQ(PlaceBalloon({60, 50}, {-500, 300}, bpAboveLeft, left).position, bpAboveLeft);
    EXPECT_EQ(PlaceBalloon({60, 50}, {-1270, 300}, bpAboveLeft, left).position, bpAboveRight);
}

TEST(Balloon, GeometryForEveryPositionAndShadow) {
    struct Case {
        TBalloonPosition position;
        base::Rect body;
        base::Point tip, base1, base2;
    };
    // The balloon of a 100 x 80 window without shadow; a shadow of SD adds SD
    // to the window's size and leaves the balloon as it is.
    const Case cases[] = {
        {bpAboveLeft, {0, 0, 85, 61}, {100, 80}, {79, 60}, {59, 60}},
        {bpAboveRight, {15, 0, 100, 61}, {0, 80}, {21, 60}, {41, 60}},
        {bpBelowLeft, {0, 19, 85, 80}, {100, 0}, {79, 19}, {59, 19}},
        {bpBelowRight, {15, 19, 100, 80}, {0, 0}, {21, 19}, {41, 19}},
    };
    for (const Case& c : cases)
        for (int sd : {0, 8, 16}) {
            SCOPED_TRACE(::testing::Message() << "position " << int{c.position} << ", SD " << sd);
            const BalloonGeometry g = GetBalloonGeometry({100 + sd, 80 + sd}, sd, c.position);
            EXPECT_EQ(g.body, c.body);
            EXPECT_EQ(g.text, (base::Rect{c.body.left + 9, c.body.top + 9, c.body.right - 9,
                                           c.body.bottom - 9}));
            EXPECT_EQ(g.pointer, (std::array<base::Point, 3>{c.tip, c.base1, c.base2}));
            const auto outlines = BalloonAndShadowOutlines(g, bsRoundRect);
            ASSERT_EQ(outlines.size(), sd > 0 ? 2u : 1u);
            const base::Rect shadow{c.body.left + sd, c.body.top + sd, c.body.right + sd,
                                     c.body.bottom + sd};
            EXPECT_EQ(outlines.back().body, shadow);
            EXPECT_EQ(outlines.back().pointer[0], (base::Point{c.tip.x + sd, c.tip.y + sd}));
        }
    // At the minimum width the pointer's base stays on the body at every depth.
    for (int sd = 0; sd <= kMaxShadowDepth; ++sd)
        for (TBalloonPosition p : {bpAboveLeft, bpAboveRight, bpBelowLeft, bpBelowRight}) {
            const BalloonGeometry g = GetBalloonGeometry({kMinBalloonWidth, 59}, sd, p);
            for (int i : {1, 2})
                EXPECT_TRUE(g.pointer[i].x >= g.body.left && g.pointer[i].x < g.body.right)
                    << "SD " << sd << ", position " << int{p};
        }
}

class FakeApplication : public BalloonApplication {
public:
    int screenWidth = 800;
    bool terminating = false;
    bool showHint = true;
    std::vector<std::string> log;

    int ScreenWidth() override { return screenWidth; }
    base::TColor HintColor() override { return 0xE1FFFF; }
    bool Terminating() override { return terminating; }
    bool ShowHint() override { return showHint; }
    void SetShowHint(bool on) override {
        showHint = on;
        log.push_back(on ? "hints on" : "hints off");
    }
    void UseBalloonHintWindows(bool balloons) override {
        log.push_back(balloons ? "balloon class" : "plain class");
    }
};

TEST(Balloon, ControllerDefaultsAndSwitching) {
    FakeApplication app;
    const std::vector<std::string> off = {"hints off", "plain class", "hints off"};
    {
        TBalloonHint hint(app);
        EXPECT_EQ(CurrentBalloonHint(), &hint);
        EXPECT_EQ(app.log, (std::vector<std::string>{"hints off", "balloon class", "hints on"}));
        EXPECT_EQ(std::tuple(hint.BorderColor(), hint.Color(), hint.MaxWidth(),
                             hint.MaxWidthPixels(), hint.Position(), hint.ShadowDepth(),
                             hint.ShadowStyle(), hint.Shape(), hint.Style(), hint.Active()),
                  std::tuple(base::clBlack, 0xE1FFFFu, -4, 200, bpAboveRight, TShadowDepth{8}, ssShaded,
                             bsRoundRect, hsDefault, true));
        EXPECT_EQ(hint.Behavior(),
                  (TBalloonBehaviors{bbNoShowMouseDown, bbUseRegions, bbHideOnPaint}));
        hint.SetShadowDepth(40);
        EXPECT_EQ(hint.ShadowDepth(), kMaxShadowDepth);

        app.log.clear();
        hint.SetActive(true);  // unchanged: the hint window is not remade
        app.showHint = false;
        hint.SetActive(false);
        EXPECT_EQ(app.log, off);
        hint.SetActive(true);
        app.log.clear();
    }
    EXPECT_EQ(CurrentBalloonHint(), nullptr);
    EXPECT_EQ(app.log, off);

    app.terminating = true;
    app.log.clear();
    TBalloonHint late(app);
    EXPECT_TRUE(late.Active());
    EXPECT_TRUE(app.log.empty());
}

TEST(Balloon, MaxWidthIsClampedAndTurnedIntoPixelsWhenSet) {
    struct Case {
        int screenWidth, value, stored, pixels;
    };
    const Case cases[] = {
        {800, -3, -3, 266}, {640, -4, -4, 160}, {1024, 5000, 1024, 1024}, {1024, 300, 300, 300},
        {1024, 1024, 1024, 1024}, {1024, 0, 0, 0}, {1024, INT_MIN, INT_MIN, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        FakeApplication app;
        app.screenWidth = c.screenWidth;
        TBalloonBase base(app);
        base.SetMaxWidth(c.value);
        EXPECT_EQ(base.MaxWidth(), c.stored);
        EXPECT_EQ(base.MaxWidthPixels(), c.pixels);
        app.screenWidth = 2000;  // a later screen change does not move the limit
        EXPECT_EQ(base.MaxWidthPixels(), c.pixels);
    }
}

// A font description in one of the registry layouts: 16- or 32-bit numbers,
// 8- or 16-bit face characters.
std::vector<std::uint8_t> LogFontBytes(int numberSize, int charSize, std::int32_t height,
                                       const std::u16string& face) {
    std::vector<std::uint8_t> bytes;
    auto put = [&](std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    for (std::int32_t v : {height, 5, -900, 2700, 700})
        put(static_cast<std::uint32_t>(v), numberSize);
    for (std::uint8_t v : {1, 0, 1, 238, 3, 2, 4, 0x22}) bytes.push_back(v);
    for (std::size_t i = 0; i < 32; ++i) put(i < face.size() ? face[i] : 0, charSize);
    return bytes;
}

TEST(Balloon, StatusFontLayouts) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> value;
        int pixelsPerInch;
        std::int32_t height;
        const char* face;
    };
    const Case cases[] = {
        {"16-bit, sign-extended", LogFontBytes(2, 1, -11, u"MS Sans"), 96, 14, "MS Sans"},
        {"16-bit at 120 ppi", LogFontBytes(2, 1, -11, u"Arial"), 120, 18, "Arial"},
        {"ANSI, positive height", LogFontBytes(4, 1, 12, u"Arial"), 96, -16, "Arial"},
        {"ANSI, face filling all 32", LogFontBytes(4, 1, -11, std::u16string(32, u'F')), 96, 14,
         "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"},
        {"ANSI, height that would overflow", LogFontBytes(4, 1, INT_MIN, u"Arial"), 96, INT_MAX,
         "Arial"},
        {"wide, as NT and Wine store it", LogFontBytes(4, 2, -11, u"Tahoma"), 96, 14,
         "ansi(Tahoma)"},
    };
    const WideFaceConverter toAnsi = [](const std::u16string& s) {
        return "ansi(" + std::string(s.begin(), s.end()) + ")";
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto font = StatusFontFromValue(c.value, c.pixelsPerInch, toAnsi);
        ASSERT_TRUE(font);
        const base::FontDescription expected{c.height, 5, -900, 2700, 700, 1, 0, 1, 238, 3, 2, 4, 0x22,
                                       c.face};
        EXPECT_EQ(*font, expected);
    }
    const std::vector<std::uint8_t> bytes = LogFontBytes(4, 2, -11, u"Tahoma");
    for (std::size_t size : {0, 49, 51, 59, 61, 91})
        EXPECT_FALSE(StatusFontFromValue(std::span(bytes).first(size), 96, toAnsi)) << size;
}

TEST(Balloon, HookActions) {
    const TBalloonBehaviors paint{bbHideOnPaint};
    struct Case {
        unsigned message;
        bool firstMoveSeen, toBalloon;
        TBalloonBehaviors behavior;
        BalloonHookAction action;
    };
    const Case cases[] = {
        {0x200, false, false, paint, BalloonHookAction::NoteFirstMouseMove},
        {0x200, true, false, paint, BalloonHookAction::CancelHint},
        {0xA7, false, false, {}, BalloonHookAction::CancelHint},
        {0x0F, true, false, paint, BalloonHookAction::CancelIfRepaintMeetsBalloon},
        {0x0F, true, true, paint, BalloonHookAction::None},
        {0x0F, true, false, {bbUseRegions}, BalloonHookAction::None},
        {0x100, true, false, paint, BalloonHookAction::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BalloonHookActionFor(c.message, c.firstMoveSeen, c.toBalloon, c.behavior),
                  c.action)
            << std::hex << c.message;
}

}  // namespace
}  // namespace quillet

// Placements on a desk of three monitors: the primary (its taskbar at the
// bottom), a larger one to its right and one to its left, at negative
// coordinates. Wine shows the tests one monitor only, so the rules meet the
// others here, through the work areas the toolkit would give them.
#include <gtest/gtest.h>

#include <vector>

#include "components/balloon_geometry.h"
#include "core/settings.h"
#include "dialogs/message_layout.h"

namespace quillet {
namespace {

const base::Rect kPrimary{0, 0, 1024, 738};
const base::Rect kRight{1024, 0, 2304, 1024};
const base::Rect kLeft{-1280, 0, 0, 1024};

TEST(Monitors, BalloonFlipsAtTheEdgesOfTheMonitorUnderThePointer) {
    struct Case { const char* why; base::Rect screen; base::Point pointer; TBalloonPosition preferred, position; base::Rect rect; };
    const Case cases[] = {
        {"inside the right monitor: no flip", kRight, {1500, 500}, bpBelowRight, bpBelowRight, {1501, 501, 1561, 551}},
        {"its right and bottom edges", kRight, {2280, 1000}, bpBelowRight, bpAboveLeft, {2220, 950, 2280, 1000}},
        {"inside the left monitor: no flip", kLeft, {-500, 300}, bpAboveLeft, bpAboveLeft, {-560, 250, -500, 300}},
        {"its left edge", kLeft, {-1270, 300}, bpAboveLeft, bpAboveRight, {-1270, 250, -1210, 300}},
        {"above the taskbar", kPrimary, {100, 730}, bpBelowRight, bpAboveRight, {100, 680, 160, 730}},
    };
    for (const Case& c : cases) {
        const BalloonPlacement placed = PlaceBalloon({60, 50}, c.pointer, c.preferred, c.screen);
        EXPECT_EQ(placed.position, c.position) << c.why;
        EXPECT_EQ(placed.rect, c.rect) << c.why;
    }
}

TEST(Monitors, MessageDialogOpensOnItsOwnersMonitor) {
    struct Case { const char* why; base::Rect owner, screen; base::Point at; };
    const Case cases[] = {
        {"centred over the owner", base::RectAt(1500, 200, 504, 467), kRight, {1602, 358}},
        {"left of the primary", base::RectAt(-1000, 100, 504, 467), kLeft, {-898, 258}},
        {"kept within the work area", base::RectAt(2100, 900, 504, 467), kRight, {2004, 874}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlaceOverOwnerOn(c.owner, 300, 150, c.screen), c.at) << c.why;
    }
}

TEST(Monitors, MainWindowReopensWhereItWasClosed) {
    struct Case { const char* why; base::Point stored, at; };
    const Case cases[] = {
        {"on the right monitor", {1500, 200}, {1500, 200}},
        {"on the left monitor", {-1000, 100}, {-1000, 100}},
        {"across two monitors: the rule, the designed Left", {900, 100}, {142, 100}},
        {"on no monitor: the designed place", {5000, 5000}, {142, 19}},
        {"a 0 still centres", {0, 200}, {260, 200}},
        {"over the taskbar: the rule, as with one monitor", {300, 280}, {300, 280}},
        {"partly left of the primary: half its magnitude", {-200, 50}, {100, 50}},
    };
    const std::vector<base::Rect> desk{kPrimary, kRight, kLeft};
    for (const Case& c : cases) {
        EXPECT_EQ(RestoredPosition(c.stored, {504, 467}, desk, {1024, 768}, {142, 19}), c.at) << c.why;
    }
}

}  // namespace
}  // namespace quillet

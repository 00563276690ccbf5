// The one scaling rule of designed measures.
#include <gtest/gtest.h>

#include "base/dpi.h"

namespace base {
namespace {

TEST(ScaleForDpi, RoundsAsMulDivAtEveryCommonScale) {
    // value, then the value at 96, 120, 144 and 192 DPI.
    const struct {
        int value, at96, at120, at144, at192;
    } cases[] = {
        {0, 0, 0, 0, 0},          {1, 1, 1, 2, 2},         {2, 2, 3, 3, 4},
        {9, 9, 11, 14, 18},       {11, 11, 14, 17, 22},    {13, 13, 16, 20, 26},
        {-11, -11, -14, -17, -22}, {-75, -75, -94, -113, -150}, {498, 498, 623, 747, 996},
        {438, 438, 548, 657, 876}, {523, 523, 654, 785, 1046}, {355, 355, 444, 533, 710},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(ScaleForDpi(c.value, 96), c.at96);
        EXPECT_EQ(ScaleForDpi(c.value, 120), c.at120);
        EXPECT_EQ(ScaleForDpi(c.value, 144), c.at144);
        EXPECT_EQ(ScaleForDpi(c.value, 192), c.at192);
        // Back from a DPI of its own: a form laid out at 192 DPI, shown at 96.
        EXPECT_EQ(ScaleForDpi(c.at192, 96, 192), c.value);
    }
    // From another DPI than 96, rounding as well: 2.5, -2.5 and 11.33.
    EXPECT_EQ(ScaleForDpi(4, 120, 192), 3);
    EXPECT_EQ(ScaleForDpi(-4, 120, 192), -3);
    EXPECT_EQ(ScaleForDpi(17, 96, 144), 11);
    // A rectangle keeps its width wherever it starts; a font keeps its face.
    EXPECT_EQ(ScaleForDpi(RectAt(-75, 118, 160, 293), 144), RectAt(-113, 177, 240, 440));
    const FontDescription helv = ScaleForDpi(MakeFont("Helv", -11, fsBold), 144);
    EXPECT_EQ(helv, MakeFont("Helv", -17, fsBold));
}

}  // namespace
}  // namespace base

// The colour value: which values are system colours.

#include <gtest/gtest.h>

#include "base/color.h"

namespace {

using namespace base::colors;

TEST(Color, SystemColorsAreFlaggedAndTheDefaultIsNone) {
    const struct {
        TColor color;
        bool system;
    } cases[] = {
        {clWindowText, true}, {clInfoBk, true},    {clBtnFace, true},
        {clBlack, false},     {clWhite, false},    {RGBColor(1, 2, 3), false},
        {base::kColorDefault, false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsSystemColor(c.color), c.system) << std::hex << c.color;
}

}  // namespace

#include <gtest/gtest.h>

#include "core/HelpTextColour.h"

namespace {

TEST(HelpTextColour, RedBrownUnlessHighContrast) {
    const struct {
        bool highContrast;
        std::uint32_t systemText, shown;
    } cases[] = {
        {false, 0x000000, 0x0040C0},  // red 192, green 64, blue 0
        {false, 0xFFFFFF, 0x0040C0},
        {true, 0xFFFFFF, 0xFFFFFF},   // white on black
        {true, 0x00FF00, 0x00FF00},
        {true, 0x000000, 0x000000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HelpTextColour(c.highContrast, c.systemText), c.shown) << c.highContrast << " " << c.systemText;
}

}  // namespace

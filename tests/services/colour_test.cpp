#include "platform/services/colour.h"

#include <gtest/gtest.h>

namespace {

TEST(ColourTest, RGBPacksRedIntoTheLowByte)
{
    struct Case {
        Integer r, g, b;
        Colour expected;
    };
    const Case cases[] = {
        {0, 0, 0, 0x00000000},
        {255, 0, 0, 0x000000FF},
        {0, 255, 0, 0x0000FF00},
        {0, 0, 255, 0x00FF0000},
        {255, 192, 192, 0x00C0C0FF},
        {255, 255, 255, 0x00FFFFFF},
        // Out of range components are clamped and never reach the system-colour bit.
        {-1, 256, 32767, 0x00FFFF00},
        {-32768, -32768, -32768, 0x00000000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RGB(c.r, c.g, c.b), c.expected) << c.r << "," << c.g << "," << c.b;
}

TEST(ColourTest, SystemColoursResolveByTheirTopBitInTheStandardScheme)
{
    EXPECT_EQ(resolveColour(0x80000007u), 0x00000000u); // menu text
    EXPECT_EQ(resolveColour(0x80000005u), 0x00FFFFFFu); // window background
    EXPECT_EQ(resolveColour(0x8000000Fu), 0x00F0F0F0u); // button face
    EXPECT_EQ(resolveColour(0x800000FFu), 0x00000000u); // unknown index
    EXPECT_EQ(resolveColour(0x00C0C0FFu), 0x00C0C0FFu);
    EXPECT_EQ(redOf(0x00C0C0FFu), 255);
    EXPECT_EQ(greenOf(0x00C0C0FFu), 192);
    EXPECT_EQ(blueOf(0x00AABBCCu), 0xAA);
}

} // namespace

#include "platform/runner/dialog_placement.h"

#include <gtest/gtest.h>

namespace {

bool intersect(const HalfOpenRect& a, const HalfOpenRect& b)
{
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

bool contains(const HalfOpenRect& outer, const HalfOpenRect& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right() <= outer.right() && inner.bottom() <= outer.bottom();
}

TEST(DialogPlacementTest, PlacedBesideItsOwnerWhereverTheScreenLeavesRoom)
{
    const HalfOpenRect screen {0, 0, 1024, 768};
    const int width = 300;
    const int height = 120;
    struct Case {
        const char* why;
        HalfOpenRect owner;
        PixelPoint expected;
    };
    const Case cases[] = {
        {"room on the right", {100, 100, 360, 240}, {468, 100}},
        {"at the right edge: below", {660, 100, 360, 240}, {660, 348}},
        {"at the bottom right: to the left", {660, 500, 360, 240}, {352, 500}},
        {"wide along the bottom: above", {100, 600, 900, 160}, {100, 472}},
        {"low at the right edge: to the left, lifted onto the screen", {700, 700, 320, 60}, {392, 648}},
        {"wider than the screen: below, moved onto it", {-100, 100, 1120, 240}, {0, 348}},
    };
    for (const Case& c : cases) {
        const PixelPoint at = placeBeside(c.owner, width, height, screen);
        EXPECT_EQ(at, c.expected) << c.why;
        EXPECT_FALSE(intersect({at.x, at.y, width, height}, c.owner)) << c.why;
        EXPECT_TRUE(contains(screen, {at.x, at.y, width, height})) << c.why;
    }
    // Where no side has room nothing avoids the owner: the roomiest side, on the screen.
    const PixelPoint anywhere = placeBeside(screen, width, height, screen);
    EXPECT_TRUE(contains(screen, {anywhere.x, anywhere.y, width, height}));
    EXPECT_EQ(placeBeside({0, 0, 774, 768}, width, height, screen), (PixelPoint {724, 0}))
        << "the right, pulled back onto the screen";
}

} // namespace

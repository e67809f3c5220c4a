#include "platform/picture/disc_raster.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr std::uint32_t kUntouched = 0x01010101;
constexpr std::uint32_t kOutline = 0xFFFF0000;
constexpr std::uint32_t kInside = 0xFF000028;

bool inDisc(long long x, long long y, long long cx, long long cy, long long r)
{
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r + r;
}

// The colour each pixel should have, straight from the definition.
std::uint32_t expected(long long x, long long y, long long cx, long long cy, long long r)
{
    if (!inDisc(x, y, cx, cy, r))
        return kUntouched;
    const bool edge = !inDisc(x - 1, y, cx, cy, r) || !inDisc(x + 1, y, cx, cy, r) || !inDisc(x, y - 1, cx, cy, r)
        || !inDisc(x, y + 1, cx, cy, r);
    return edge ? kOutline : kInside;
}

TEST(DiscRasterTest, EveryPixelAsTheDefinitionSaysAndNoneOutsideTheRows)
{
    struct Case {
        long long cx, cy, r;
    };
    const Case cases[] = {
        {20, 15, 0}, {20, 15, 1}, {20, 15, 2}, {20, 15, 7}, {20, 15, 14}, // whole, up to touching the edges
        {0, 0, 5}, {39, 29, 5}, {-3, 15, 6}, {20, 33, 6},                 // cut by the edges
        {20, 15, 60}, {-40, -40, 55}, {-40, 15, 40}, {-40, 15, 39},       // covering it, reaching it, just missing
        {20, -6, 5}, {45, 15, 5},                                         // outside
    };
    const int width = 40, height = 30, stride = 48, margin = 2;
    for (const Case& c : cases) {
        // Rows with room beyond their last pixel and lines above and below,
        // to catch a write outside the rows given.
        std::vector<std::uint32_t> memory(static_cast<size_t>(stride * (height + 2 * margin)), kUntouched);
        const PixelRows rows {memory.data() + margin * stride, stride, width, height};
        drawDiscBeyond(rows, c.cx, c.cy, c.r, -1, kOutline, kInside);
        const InclusiveBox box = discBox(rows, c.cx, c.cy, c.r);
        int wrong = 0, outsideTheBox = 0;
        for (long long y = -margin; y < height + margin; ++y)
            for (long long x = 0; x < stride; ++x) {
                const std::uint32_t pixel = memory[static_cast<size_t>((y + margin) * stride + x)];
                const bool onRows = y >= 0 && y < height && x < width;
                wrong += pixel != (onRows ? expected(x, y, c.cx, c.cy, c.r) : kUntouched);
                outsideTheBox += pixel != kUntouched && (x < box.left || x > box.right || y < box.top || y > box.bottom);
            }
        EXPECT_EQ(wrong, 0) << "centre " << c.cx << "," << c.cy << " r " << c.r;
        EXPECT_EQ(outsideTheBox, 0) << "centre " << c.cx << "," << c.cy << " r " << c.r;
    }
}

} // namespace

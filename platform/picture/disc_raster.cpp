#include "platform/picture/disc_raster.h"

#include <algorithm>
#include <cmath>

namespace {

// The largest x with x² <= n, for n below 2^53.
long long wholeSquareRoot(long long n)
{
    auto x = static_cast<long long>(std::sqrt(static_cast<double>(n)));
    while (x * x > n)
        --x;
    while ((x + 1) * (x + 1) <= n)
        ++x;
    return x;
}

// How far the disc reaches to either side on the row dy from its centre; -1
// past its top and bottom.
long long halfWidth(long long r, long long dy)
{
    return dy > r ? -1 : wholeSquareRoot(r * r + r - dy * dy);
}

void fill(std::uint32_t* row, long long from, long long to, long long width, std::uint32_t colour)
{
    from = std::max<long long>(from, 0);
    to = std::min(to, width - 1);
    if (from <= to)
        std::fill(row + from, row + to + 1, colour);
}

} // namespace

InclusiveBox discBox(const PixelRows& rows, long long cx, long long cy, long long r)
{
    const InclusiveBox clipped {std::max<long long>(cx - r, 0), std::max<long long>(cy - r, 0),
        std::min<long long>(cx + r, rows.width - 1), std::min<long long>(cy + r, rows.height - 1)};
    return clipped.empty() ? InclusiveBox {} : clipped;
}

void drawDiscBeyond(const PixelRows& rows, long long cx, long long cy, long long r, long long covered,
    std::uint32_t outline, std::uint32_t inside)
{
    const InclusiveBox clipped = discBox(rows, cx, cy, r);
    if (clipped.empty())
        return;
    for (long long y = clipped.top; y <= clipped.bottom; ++y) {
        const long long dy = std::abs(y - cy);
        const long long reach = halfWidth(r, dy);
        // Inside begins where the row further out no longer reaches: from
        // there on each pixel has the outside above or below it.
        const long long ring = std::min(reach, halfWidth(r, dy + 1) + 1);
        std::uint32_t* row = rows.first + y * rows.stride;
        // The disc's row between from and to: outline at its ends, inside between.
        const auto paint = [&](long long from, long long to) {
            fill(row, std::max(from, cx - reach), std::min(to, cx - ring), rows.width, outline);
            fill(row, std::max(from, cx - ring + 1), std::min(to, cx + ring - 1), rows.width, inside);
            fill(row, std::max(from, cx + ring), std::min(to, cx + reach), rows.width, outline);
        };
        const long long skip = covered < 0 ? -1 : halfWidth(covered, dy);
        if (skip < 0) {
            paint(cx - reach, cx + reach);
        } else {
            paint(cx - reach, cx - skip - 1);
            paint(cx + skip + 1, cx + reach);
        }
    }
}

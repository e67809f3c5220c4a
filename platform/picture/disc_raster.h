#pragma once

#include "platform/form/pixel_geometry.h"

#include <cstddef>
#include <cstdint>

// Rows of 32-bit pixels in memory, such as a picture's.
struct PixelRows {
    std::uint32_t* first;
    std::ptrdiff_t stride; // in pixels, from one row to the next
    int width;
    int height;
};

// Furthest from the origin that a centre may lie, and the largest radius, in
// pixels: beyond them the squares below would lose their last digits in a
// double. No screen comes near either, and a disc of the largest radius
// around any centre allowed covers every picture there can be.
inline constexpr long long kFarthestDiscCentre = 1LL << 24;
inline constexpr long long kLargestDiscRadius = 1LL << 25;

// Draws the disc of every pixel (x, y) with (x - cx)² + (y - cy)² <= r² + r,
// the shape the midpoint circle algorithm traces, straight into memory: the
// pixels of it that have a side neighbour outside it in `outline` (a ring one
// pixel wide, corner to corner), the rest in `inside`; but only those outside
// the disc of radius `covered` around the same centre (smaller than r; -1 for
// none), which a later disc has drawn. Only the rows' own pixels are touched.
// A radius of 0 is a single pixel. It does not check the centre and radius
// against the limits above; the caller must.
void drawDiscBeyond(const PixelRows& rows, long long cx, long long cy, long long r, long long covered,
    std::uint32_t outline, std::uint32_t inside);
// A box around what drawing the whole disc changes on these rows; empty where
// the disc misses them.
InclusiveBox discBox(const PixelRows& rows, long long cx, long long cy, long long r);

#pragma once

// The two ways boxes of pixels are held, named after the bounds they hold.

// Pixels from (left, top) to (right, bottom), both corners included; empty
// when left > right or top > bottom. Wide enough for any shape's reach.
struct InclusiveBox {
    long long left = 0;
    long long top = 0;
    long long right = -1;
    long long bottom = -1;

    bool empty() const { return left > right || top > bottom; }
    bool operator==(const InclusiveBox&) const = default;
};

// A place and a size in whole pixels: right() and bottom() lie one past it.
struct HalfOpenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const HalfOpenRect&) const = default;
};

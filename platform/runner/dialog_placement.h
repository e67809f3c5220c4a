#pragma once

#include "platform/form/form_layout.h"

struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint&) const = default;
};

// Where a window of the given size goes beside the owner's frame on its
// screen: to the right, below, to the left or above, the first where it fits
// whole with a gap between the two; where none does, the side with the most
// room, kept on the screen. Returns its top left corner, in whatever pixels
// the host measures its screens in.
PixelPoint placeBeside(const HalfOpenRect& ownerFrame, int width, int height, const HalfOpenRect& screen);

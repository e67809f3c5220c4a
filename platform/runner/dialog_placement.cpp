#include "platform/runner/dialog_placement.h"

#include <algorithm>
#include <iterator>

namespace {

// Between the owner's frame and the dialog's, so that the two read as two.
constexpr int kGap = 8;

} // namespace

PixelPoint placeBeside(const HalfOpenRect& ownerFrame, int width, int height, const HalfOpenRect& screen)
{
    struct Side {
        PixelPoint at;
        int room; // along the axis the dialog moves away on
        int needed;
    };
    // Where the dialog's corner may go with all of it on the screen, as far as it fits.
    const auto onScreenX = [&](int x) { return std::clamp(x, screen.left, std::max(screen.left, screen.right() - width)); };
    const auto onScreenY = [&](int y) { return std::clamp(y, screen.top, std::max(screen.top, screen.bottom() - height)); };
    const int top = onScreenY(ownerFrame.top);
    const int left = onScreenX(ownerFrame.left);
    const Side sides[] = {
        {{ownerFrame.right() + kGap, top}, screen.right() - ownerFrame.right(), width + kGap},
        {{left, ownerFrame.bottom() + kGap}, screen.bottom() - ownerFrame.bottom(), height + kGap},
        {{ownerFrame.left - kGap - width, top}, ownerFrame.left - screen.left, width + kGap},
        {{left, ownerFrame.top - kGap - height}, ownerFrame.top - screen.top, height + kGap},
    };
    for (const Side& side : sides) {
        if (side.room >= side.needed)
            return side.at;
    }
    const Side& roomiest = *std::max_element(std::begin(sides), std::end(sides),
        [](const Side& a, const Side& b) { return a.room - a.needed < b.room - b.needed; });
    return {onScreenX(roomiest.at.x), onScreenY(roomiest.at.y)};
}

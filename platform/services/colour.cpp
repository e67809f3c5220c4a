#include "platform/services/colour.h"

#include <algorithm>
#include <array>

namespace {

constexpr Colour rgb(Colour r, Colour g, Colour b) { return r | (g << 8) | (b << 16); }

// The standard scheme of the classic desktop, indexed by system colour number.
constexpr std::array<Colour, 21> kStandardScheme = {
    rgb(200, 200, 200), // 0 scroll bars
    rgb(0, 0, 0), //       1 desktop
    rgb(153, 180, 209), // 2 active title bar
    rgb(191, 205, 219), // 3 inactive title bar
    rgb(240, 240, 240), // 4 menu bar
    rgb(255, 255, 255), // 5 window background
    rgb(100, 100, 100), // 6 window frame
    rgb(0, 0, 0), //       7 menu text
    rgb(0, 0, 0), //       8 window text
    rgb(0, 0, 0), //       9 active title bar text
    rgb(180, 180, 180), // 10 active border
    rgb(244, 247, 252), // 11 inactive border
    rgb(171, 171, 171), // 12 application workspace
    rgb(0, 120, 215), //   13 highlight
    rgb(255, 255, 255), // 14 highlighted text
    rgb(240, 240, 240), // 15 button face
    rgb(160, 160, 160), // 16 button shadow
    rgb(109, 109, 109), // 17 disabled text
    rgb(0, 0, 0), //       18 button text
    rgb(0, 0, 0), //       19 inactive title bar text
    rgb(255, 255, 255), // 20 button highlight
};

Colour component(Integer value)
{
    return static_cast<Colour>(std::clamp<Integer>(value, 0, 255));
}

} // namespace

Colour RGB(Integer red, Integer green, Integer blue)
{
    return component(red) + 256u * component(green) + 65536u * component(blue);
}

Colour resolveColour(Colour colour)
{
    if ((colour & kSystemColourFlag) == 0)
        return colour;
    const Colour index = colour & ~kSystemColourFlag;
    return index < kStandardScheme.size() ? kStandardScheme[index] : 0;
}

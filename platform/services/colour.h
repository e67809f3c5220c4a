#pragma once

#include "platform/services/scalar_types.h"

inline constexpr Colour kSystemColourFlag = 0x80000000u;

// red + 256 × green + 65536 × blue. A component outside 0..255 is clamped, so
// that no argument can set the top bit and turn the result into a system colour.
Colour RGB(Integer red, Integer green, Integer blue);

// A colour value as a plain 0x00BBGGRR pattern: system colours are looked up in
// the standard desktop scheme; an index the scheme lacks resolves to black.
Colour resolveColour(Colour colour);

inline constexpr int redOf(Colour c) { return static_cast<int>(c & 0xFFu); }
inline constexpr int greenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFFu); }
inline constexpr int blueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFFu); }

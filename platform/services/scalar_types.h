#pragma once

#include <cstdint>

// The scalar types the form's code is written in, named as its authors think of
// them, so that a reader sees the same widths and signs as in the handlers.
using Single = float;
using Double = double;
using Integer = std::int16_t;
using Long = std::int32_t;
using Boolean = std::int16_t;

inline constexpr Boolean kTrue = -1;
inline constexpr Boolean kFalse = 0;

// 0x00BBGGRR, or 0x80000000 + n for system colour n.
using Colour = std::uint32_t;

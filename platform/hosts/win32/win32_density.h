#pragma once

#include <cmath>

// A length in logical pixels as device pixels at a window's density, rounded
// as every part of this host places and sizes what it draws itself.
inline int win32DevicePixels(int logical, double ratio)
{
    return static_cast<int>(std::lround(logical * ratio));
}

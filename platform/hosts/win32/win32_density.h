#pragma once

#include "platform/form/form_layout.h"
#include "platform/runner/form_host.h"

#include <cmath>

// A length in logical pixels as device pixels at a window's density, rounded
// as every part of this host places and sizes what it draws itself.
inline int win32DevicePixels(int logical, double ratio)
{
    return static_cast<int>(std::lround(logical * ratio));
}

// The density of a window's dpi. Windows tells 0 where it cannot: then the
// window keeps to logical pixels.
inline double win32RatioOf(unsigned dpi)
{
    return dpi ? static_cast<double>(dpi) / FormLayout::kLogicalDpi : kNoDensity;
}

#pragma once

#include "platform/hosts/win32/win32_api.h"
#include "platform/picture/picture.h"

// What this host's windows ask of the screen, in one place.

// Paints the dirty part of a window's client area from the picture's own
// rows, one to one from the top left; whatever of the client area the picture
// does not reach is black. The form's drawing area and the screen saver's
// window both paint this way.
void win32PaintPicture(HDC dc, const RECT& dirty, const RECT& client, const Picture& picture);

// The refresh rate of the monitor in hertz, or 0 where it does not say.
// Asked of the system only when the monitor or its settings change: the
// query walks the display driver's modes.
unsigned win32RefreshRate(HMONITOR monitor);

#pragma once

#include "platform/hosts/win32/win32_api.h"
#include "platform/picture/picture.h"

#include <functional>

// What this host's windows ask of the screen, in one place.

// Answers WM_PAINT for a window that shows the picture: its dirty part from
// the picture's own rows, one to one from the top left, whatever of the
// client area the picture does not reach black, then what over() draws on
// top. The form's drawing area and the screen saver's window both paint so.
void win32PaintPicture(HWND window, const Picture& picture,
    const std::function<void(HDC dc, const RECT& client)>& over = {});

// The refresh rate of the monitor in hertz, or 0 where it does not say.
// Asked of the system only when the monitor or its settings change: the
// query walks the display driver's modes.
unsigned win32RefreshRate(HMONITOR monitor);

#pragma once

#include "platform/hosts/win32/win32_api.h"
#include "platform/services/scalar_types.h"

// The look's focus frame: dotted, one pixel wide, in this colour, `inset`
// device pixels inside the box. Windows' own DrawFocusRect would invert what
// lies beneath instead of taking the look's colour. In high contrast it takes
// the system's colours instead: the window text's dots on a line of the
// window's colour, a pair the user chose to stand apart on any ground.
void drawWin32FocusFrame(HDC dc, RECT box, Colour colour, int inset, bool highContrast);

// Whether the user asked Windows for high-contrast colours.
bool win32HighContrast();

// A plain 0x00BBGGRR colour, a system colour resolved, as GDI takes it.
COLORREF toWin32Colour(Colour colour);

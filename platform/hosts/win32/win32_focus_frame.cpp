#include "platform/hosts/win32/win32_focus_frame.h"

#include "platform/services/colour.h"

COLORREF toWin32Colour(Colour colour)
{
    const Colour plain = resolveColour(colour);
    return static_cast<COLORREF>(redOf(plain) | (greenOf(plain) << 8) | (blueOf(plain) << 16));
}

bool win32HighContrast()
{
    HIGHCONTRASTW contrast {};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) && (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

namespace {

void frame(HDC dc, const RECT& box, COLORREF colour, DWORD style)
{
    const LOGBRUSH ink {BS_SOLID, colour, 0};
    const HPEN pen = ExtCreatePen(PS_COSMETIC | style, 1, &ink, 0, nullptr);
    const HGDIOBJ previousPen = SelectObject(dc, pen);
    const HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, box.left, box.top, box.right, box.bottom);
    SelectObject(dc, previousBrush);
    SelectObject(dc, previousPen);
    DeleteObject(pen);
}

} // namespace

void drawWin32FocusFrame(HDC dc, RECT box, Colour colour, int inset, bool highContrast)
{
    InflateRect(&box, -inset, -inset);
    if (highContrast)
        frame(dc, box, GetSysColor(COLOR_WINDOW), PS_SOLID);
    frame(dc, box, highContrast ? GetSysColor(COLOR_WINDOWTEXT) : toWin32Colour(colour), PS_ALTERNATE);
}

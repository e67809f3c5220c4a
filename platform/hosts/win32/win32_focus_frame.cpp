#include "platform/hosts/win32/win32_focus_frame.h"

#include "platform/services/colour.h"

COLORREF toWin32Colour(Colour colour)
{
    const Colour plain = resolveColour(colour);
    return static_cast<COLORREF>(redOf(plain) | (greenOf(plain) << 8) | (blueOf(plain) << 16));
}

void drawWin32FocusFrame(HDC dc, RECT box, Colour colour, int inset)
{
    InflateRect(&box, -inset, -inset);
    const LOGBRUSH ink {BS_SOLID, toWin32Colour(colour), 0};
    const HPEN pen = ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &ink, 0, nullptr);
    const HGDIOBJ previousPen = SelectObject(dc, pen);
    const HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, box.left, box.top, box.right, box.bottom);
    SelectObject(dc, previousBrush);
    SelectObject(dc, previousPen);
    DeleteObject(pen);
}

#include "platform/hosts/win32/win32_screen.h"

#include <algorithm>

namespace {

constexpr COLORREF kBlack = 0x000000;

} // namespace

// The rows go to the screen as a top-down 32-bit DIB.
void win32PaintPicture(HWND window, const Picture& picture, const std::function<void(HDC dc, const RECT& client)>& over)
{
    PAINTSTRUCT paint {};
    const HDC dc = BeginPaint(window, &paint);
    const RECT& dirty = paint.rcPaint;
    RECT client {};
    GetClientRect(window, &client);
    const LONG top = std::max<LONG>(dirty.top, 0);
    const LONG bottom = std::min<LONG>(dirty.bottom, picture.height());
    const LONG left = std::max<LONG>(dirty.left, 0);
    const LONG right = std::min<LONG>(dirty.right, picture.width());
    if (top < bottom && left < right) {
        BITMAPINFO band {};
        band.bmiHeader.biSize = sizeof band.bmiHeader;
        band.bmiHeader.biWidth = picture.width();
        band.bmiHeader.biHeight = -(bottom - top);
        band.bmiHeader.biPlanes = 1;
        band.bmiHeader.biBitCount = 32;
        band.bmiHeader.biCompression = BI_RGB;
        const Picture::Pixel* rows = picture.pixels() + static_cast<size_t>(top) * static_cast<size_t>(picture.width());
        SetDIBitsToDevice(dc, left, top, static_cast<DWORD>(right - left), static_cast<DWORD>(bottom - top), left, 0, 0,
            static_cast<UINT>(bottom - top), rows, &band, DIB_RGB_COLORS);
    }
    // The rest is rare: the paint a frame asks for keeps to the picture and
    // asks Windows (and under Wine, its server) for nothing more.
    if (dirty.right > picture.width() || dirty.bottom > picture.height()) {
        const HBRUSH black = CreateSolidBrush(kBlack);
        RECT beyond {picture.width(), 0, client.right, client.bottom};
        FillRect(dc, &beyond, black);
        beyond = {0, picture.height(), client.right, client.bottom};
        FillRect(dc, &beyond, black);
        DeleteObject(black);
    }
    if (over)
        over(dc, client);
    EndPaint(window, &paint);
}

unsigned win32RefreshRate(HMONITOR monitor)
{
    MONITORINFOEXW info {};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    DEVMODEW mode {};
    mode.dmSize = sizeof mode;
    // 0 and 1 stand for the hardware's default rate, which it does not tell.
    const bool known = EnumDisplaySettingsW(info.szDevice, ENUM_CURRENT_SETTINGS, &mode) && mode.dmDisplayFrequency > 1;
    return known ? mode.dmDisplayFrequency : 0;
}

#include "platform/hosts/win32/win32_saver_window.h"

#include "platform/hosts/win32/win32_screen.h"
#include "platform/hosts/win32/win32_start_failure.h"
#include "platform/hosts/win32/win32_window_procedure.h"

#include <cmath>

namespace {

const wchar_t* const kSaverClass = L"TessaryScreenSaver";
// The system command that starts the screen saver, with its low bits masked.
constexpr WPARAM kSystemCommandMask = 0xFFF0;

} // namespace

Win32SaverWindow::Win32SaverWindow(const Picture& picture, const MonotonicClock& clock, HWND parent, const std::wstring& title)
    : Win32Window(clock)
    , picture_(picture)
    , parent_(parent)
{
    registerClass(kSaverClass, win32WindowProcedure<Win32SaverWindow, &Win32SaverWindow::message>, nullptr);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (fullScreen()) {
        adopt(CreateWindowExW(WS_EX_TOPMOST, kSaverClass, title.c_str(), WS_POPUP, GetSystemMetrics(SM_XVIRTUALSCREEN),
                  GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN),
                  GetSystemMetrics(SM_CYVIRTUALSCREEN), nullptr, nullptr, instance, this),
            L"The screen saver's window could not be created");
    } else {
        RECT client {};
        if (!GetClientRect(parent_, &client))
            throw Win32StartFailure::fromLastError(L"The preview's window could not be reached");
        adopt(CreateWindowExW(0, kSaverClass, title.c_str(), WS_CHILD, 0, 0, client.right, client.bottom, parent_, nullptr,
                  instance, this),
            L"The screen saver's window could not be created");
    }
}

void Win32SaverWindow::sized()
{
    RECT client {};
    GetClientRect(handle(), &client);
    if (client.right <= 0 || client.bottom <= 0 || !runner())
        return;
    runner()->resize(static_cast<int>(std::lround(client.right / ratio())), static_cast<int>(std::lround(client.bottom / ratio())),
        ratio(), client.right, client.bottom);
}

void Win32SaverWindow::show()
{
    ShowWindow(handle(), SW_SHOW);
    if (fullScreen()) {
        SetForegroundWindow(handle());
        // Where the pointer stands now is where it rests.
        POINT at {};
        GetCursorPos(&at);
        pointerAt(at);
    }
    UpdateWindow(handle());
}

void Win32SaverWindow::showChanges(const InclusiveBox& box)
{
    const InclusiveBox device = picture_.deviceBox(box);
    if (device.empty())
        return;
    RECT changed {static_cast<LONG>(device.left), static_cast<LONG>(device.top), static_cast<LONG>(device.right + 1),
        static_cast<LONG>(device.bottom + 1)};
    InvalidateRect(handle(), &changed, FALSE);
    UpdateWindow(handle());
}

void Win32SaverWindow::answered(InputAnswer answer)
{
    if (answer == InputAnswer::Ends)
        DestroyWindow(handle());
}

void Win32SaverWindow::pointerAt(POINT screen)
{
    if (runner())
        answered(runner()->pointerMoved(screen.x / ratio(), screen.y / ratio()));
}

LRESULT Win32SaverWindow::message(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        win32PaintPicture(handle(), picture_);
        return 0;
    case WM_ERASEBKGND:
        return TRUE; // the paint covers every pixel
    case WM_SIZE:
        sized();
        return 0;
    default:
        break;
    }
    if (const std::optional<LRESULT> common = commonMessage(message))
        return *common;
    if (!fullScreen())
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(nullptr);
        return TRUE;
    case WM_MOUSEMOVE: {
        POINT at {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ClientToScreen(handle(), &at);
        pointerAt(at);
        return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (runner())
            answered(runner()->areaKey(FormLook::Key::Other, false, false));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
        if (runner())
            answered(runner()->clickArea());
        return 0;
    case WM_ACTIVATEAPP:
        if (!wParam)
            DestroyWindow(handle());
        return 0;
    case WM_SYSCOMMAND:
        // Windows would start the screen saver again over itself.
        if ((wParam & kSystemCommandMask) == SC_SCREENSAVE)
            return 0;
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

#include "platform/hosts/win32/win32_saver_window.h"

#include "platform/hosts/win32/win32_density.h"
#include "platform/hosts/win32/win32_screen.h"
#include "platform/hosts/win32/win32_start_failure.h"
#include "platform/hosts/win32/win32_window_procedure.h"
#include "platform/runner/saver_runner.h"

#include <cmath>
#include <cstdlib>

namespace {

const wchar_t* const kSaverClass = L"TessaryScreenSaver";

} // namespace

Win32SaverWindow::Win32SaverWindow(const Picture& picture, const MonotonicClock& clock, HWND parent, const std::wstring& title)
    : picture_(picture)
    , alarm_(clock)
    , parent_(parent)
{
    WNDCLASSEXW windowClass {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = win32WindowProcedure<Win32SaverWindow, &Win32SaverWindow::message>;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(1));
    windowClass.lpszClassName = kSaverClass;
    RegisterClassExW(&windowClass);
    if (fullScreen()) {
        window_ = CreateWindowExW(WS_EX_TOPMOST, kSaverClass, title.c_str(), WS_POPUP, GetSystemMetrics(SM_XVIRTUALSCREEN),
            GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN),
            nullptr, nullptr, windowClass.hInstance, this);
    } else {
        RECT client {};
        if (!GetClientRect(parent_, &client))
            throw Win32StartFailure::fromLastError(L"The preview's window could not be reached");
        window_ = CreateWindowExW(0, kSaverClass, title.c_str(), WS_CHILD, 0, 0, client.right, client.bottom, parent_, nullptr,
            windowClass.hInstance, this);
    }
    if (!window_)
        throw Win32StartFailure::fromLastError(L"The screen saver's window could not be created");
    ratio_ = win32RatioOf(GetDpiForWindow(window_));
    refreshRate_ = win32RefreshRate(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST));
}

Win32SaverWindow::~Win32SaverWindow()
{
    if (window_)
        DestroyWindow(window_);
}

void Win32SaverWindow::escaped(std::exception_ptr thrown)
{
    if (escapeListener_)
        escapeListener_(thrown);
}

void Win32SaverWindow::sized()
{
    RECT client {};
    GetClientRect(window_, &client);
    if (client.right <= 0 || client.bottom <= 0 || !resizedListener_)
        return;
    resizedListener_(static_cast<int>(std::lround(client.right / ratio_)), static_cast<int>(std::lround(client.bottom / ratio_)),
        ratio_, client.right, client.bottom);
}

void Win32SaverWindow::show()
{
    ShowWindow(window_, SW_SHOW);
    if (fullScreen()) {
        SetForegroundWindow(window_);
        POINT at {};
        GetCursorPos(&at);
        pointer_.restAt(at.x / ratio_, at.y / ratio_);
    }
    UpdateWindow(window_);
}

void Win32SaverWindow::showChanges(const InclusiveBox& box)
{
    const InclusiveBox device = picture_.deviceBox(box);
    if (device.empty())
        return;
    RECT changed {static_cast<LONG>(device.left), static_cast<LONG>(device.top), static_cast<LONG>(device.right + 1),
        static_cast<LONG>(device.bottom + 1)};
    InvalidateRect(window_, &changed, FALSE);
    UpdateWindow(window_);
}

FramePacing Win32SaverWindow::pacing() const
{
    if (!IsWindowVisible(window_))
        return FramePacing::unseen();
    return FramePacing::refreshRate(refreshRate_);
}

void Win32SaverWindow::mouseMoved(LPARAM at)
{
    POINT point {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    ClientToScreen(window_, &point);
    if (pointer_.movedAway(point.x / ratio_, point.y / ratio_))
        close();
}

void Win32SaverWindow::close()
{
    DestroyWindow(window_);
}

LRESULT Win32SaverWindow::message(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        win32PaintPicture(window_, picture_);
        return 0;
    case WM_ERASEBKGND:
        return TRUE; // the paint covers every pixel
    case WM_SIZE:
        sized();
        return 0;
    case WM_DISPLAYCHANGE:
        refreshRate_ = win32RefreshRate(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST));
        if (pacingListener_)
            pacingListener_();
        return 0;
    // Full screen, after close(); the preview, with its parent: Windows
    // destroys a window's children with it, whichever process made them.
    case WM_DESTROY:
        window_ = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    if (!fullScreen())
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(nullptr);
        return TRUE;
    case WM_MOUSEMOVE:
        mouseMoved(lParam);
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
        close();
        return 0;
    case WM_ACTIVATEAPP:
        if (!wParam)
            close();
        return 0;
    case WM_SYSCOMMAND:
        // Windows would start the screen saver again over itself.
        if ((wParam & 0xFFF0) == SC_SCREENSAVE)
            return 0;
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

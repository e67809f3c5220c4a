#include "platform/hosts/win32/win32_window.h"

#include "platform/hosts/win32/win32_density.h"
#include "platform/hosts/win32/win32_screen.h"
#include "platform/hosts/win32/win32_start_failure.h"

namespace {

// The program's icon in its resources.
constexpr WORD kIcon = 1;

} // namespace

Win32Window::Win32Window(const MonotonicClock& clock)
    : alarm_(clock)
{
}

Win32Window::~Win32Window()
{
    if (window_)
        DestroyWindow(window_);
}

void Win32Window::registerClass(const wchar_t* name, WNDPROC procedure, HCURSOR cursor)
{
    WNDCLASSEXW windowClass {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = cursor;
    windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(kIcon));
    windowClass.lpszClassName = name;
    RegisterClassExW(&windowClass);
}

void Win32Window::adopt(HWND window, const wchar_t* failure)
{
    if (!window)
        throw Win32StartFailure::fromLastError(failure);
    window_ = window;
    ratio_ = win32RatioOf(GetDpiForWindow(window_));
    lookUpRefreshRate();
}

void Win32Window::escaped(std::exception_ptr thrown)
{
    if (runner_)
        runner_->escaped(thrown);
}

FramePacing Win32Window::pacing() const
{
    if (!IsWindowVisible(window_) || IsIconic(window_))
        return FramePacing::unseen();
    return FramePacing::refreshRate(refreshRate_);
}

void Win32Window::lookUpRefreshRate()
{
    monitor_ = MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST);
    refreshRate_ = win32RefreshRate(monitor_);
}

void Win32Window::refreshRateMayHaveChanged()
{
    lookUpRefreshRate();
    if (runner_)
        runner_->pacingChanged();
}

std::optional<LRESULT> Win32Window::commonMessage(UINT message)
{
    switch (message) {
    case WM_DISPLAYCHANGE:
        refreshRateMayHaveChanged();
        return 0;
    // Closed, or (a preview) with its parent: Windows destroys a window's
    // children with it, whichever process made them.
    case WM_DESTROY:
        window_ = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        return std::nullopt;
    }
}

#include "platform/hosts/win32/win32_error_window.h"

#include "platform/runner/dialog_placement.h"
#include "platform/services/raised_error.h"
#include "platform/hosts/win32/win32_text.h"

// Last, so that its RGB macro meets none of the form's code.
#include <windows.h>
#undef RGB

#include <algorithm>
#include <iterator>

namespace {

const wchar_t* const kClassName = L"TessaryErrors";
const wchar_t* const kTitle = L"Tessary";
constexpr int kMargin = 8;
constexpr int kCloseWidth = 80;
constexpr int kCloseHeight = 26;
constexpr int kTextWidth = 320;
constexpr int kCloseId = 1;

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Closing only hides it: the next error shows it again.
    if (message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wParam) == kCloseId)) {
        ShowWindow(window, SW_HIDE);
        return 0;
    }
    if (message == WM_MOUSEACTIVATE)
        return MA_NOACTIVATE;
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

Win32ErrorWindow::Win32ErrorWindow(HWND__* const& owner)
    : owner_(owner)
{
}

Win32ErrorWindow::~Win32ErrorWindow()
{
    if (font_)
        DeleteObject(static_cast<HFONT>(font_));
}

void Win32ErrorWindow::create()
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass);
    // Owned by the form: above it, gone with it, and never activated.
    window_ = CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kClassName, kTitle, WS_POPUP | WS_CAPTION | WS_SYSMENU,
        0, 0, 0, 0, owner_, nullptr, instance, nullptr);
    NONCLIENTMETRICSW metrics {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    font_ = CreateFontIndirectW(&metrics.lfMessageFont);
    text_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, kMargin, kMargin, kTextWidth,
        0, window_, nullptr, instance, nullptr);
    HWND close = CreateWindowExW(0, L"BUTTON", L"Close", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0,
        kCloseWidth, kCloseHeight, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCloseId)), instance, nullptr);
    SendMessageW(text_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SendMessageW(close, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
}

void Win32ErrorWindow::showError(const std::string& text)
{
    if (!window_)
        create(); // on first use: a program without errors pays nothing for it
    SetWindowTextW(text_, toWide(text).c_str());
    if (IsWindowVisible(window_))
        return;
    place();
    ShowWindow(window_, SW_SHOWNOACTIVATE);
}

// Sized to its text, then put beside the form where the screen leaves room.
void Win32ErrorWindow::place()
{
    const HDC dc = GetDC(text_);
    const HGDIOBJ previous = SelectObject(dc, static_cast<HFONT>(font_));
    wchar_t text[1024];
    GetWindowTextW(text_, text, static_cast<int>(std::size(text)));
    RECT bounds {0, 0, kTextWidth, 0};
    DrawTextW(dc, text, -1, &bounds, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, previous);
    ReleaseDC(text_, dc);
    const int textHeight = bounds.bottom - bounds.top;
    MoveWindow(text_, kMargin, kMargin, kTextWidth, textHeight, FALSE);
    MoveWindow(GetDlgItem(window_, kCloseId), kMargin + kTextWidth - kCloseWidth, 2 * kMargin + textHeight, kCloseWidth,
        kCloseHeight, FALSE);
    RECT outer {0, 0, kTextWidth + 2 * kMargin, textHeight + kCloseHeight + 3 * kMargin};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
        static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)));
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    RECT owner {};
    GetWindowRect(owner_, &owner);
    MONITORINFO monitor {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner_, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const PixelPoint at = placeBeside({owner.left, owner.top, owner.right - owner.left, owner.bottom - owner.top}, width,
        height, {work.left, work.top, work.right - work.left, work.bottom - work.top});
    SetWindowPos(window_, nullptr, at.x, at.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

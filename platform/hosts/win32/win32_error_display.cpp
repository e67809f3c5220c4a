#include "platform/hosts/win32/win32_error_display.h"

#include "platform/form/form_layout.h"
#include "platform/hosts/win32/win32_text.h"
#include "platform/runner/dialog_placement.h"

#include "platform/hosts/win32/win32_api.h"


namespace {

const wchar_t* const kClassName = L"TessaryErrors";
// In pixels at 96 dots per inch.
constexpr int kMargin = 8;
constexpr int kCloseWidth = 80;
constexpr int kCloseHeight = 26;
constexpr int kTextWidth = 320;
constexpr int kCloseId = 1;

Win32ErrorDisplay* errorDisplayOf(HWND window)
{
    return reinterpret_cast<Win32ErrorDisplay*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrW(window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams));
        break;
    // Closing only hides it: the next error shows it again.
    case WM_CLOSE:
        ShowWindow(window, SW_HIDE);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kCloseId || LOWORD(wParam) == IDCANCEL)
            ShowWindow(window, SW_HIDE);
        return 0;
    // It appears without the activation, but a user who comes to it with the
    // mouse may click it active, as any window, and the keyboard with it:
    // the pointer over it lifts what kept the activation away.
    case WM_SETCURSOR:
        SetWindowLongPtrW(window, GWL_EXSTYLE, GetWindowLongPtrW(window, GWL_EXSTYLE) & ~WS_EX_NOACTIVATE);
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            SetFocus(GetDlgItem(window, kCloseId));
        return 0;
    case WM_ENTERSIZEMOVE:
    case WM_ENTERMENULOOP:
    case WM_EXITSIZEMOVE:
    case WM_EXITMENULOOP:
        if (Win32ErrorDisplay* errors = errorDisplayOf(window))
            errors->modalLoop(message == WM_ENTERSIZEMOVE || message == WM_ENTERMENULOOP);
        return 0;
    // As on the form's title bar: the press is a modal loop of its own.
    case WM_NCLBUTTONDOWN:
        if (Win32ErrorDisplay* errors = errorDisplayOf(window)) {
            errors->modalLoop(true);
            const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
            errors->modalLoop(false);
            return result;
        }
        break;
    case WM_DPICHANGED:
        if (Win32ErrorDisplay* errors = errorDisplayOf(window)) {
            errors->rescale(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

Win32ErrorDisplay::Win32ErrorDisplay(HWND__* const& owner, std::wstring title)
    : owner_(owner)
    , title_(std::move(title))
{
}

Win32ErrorDisplay::~Win32ErrorDisplay()
{
    // Before its owner goes, so that no message reaches it after this.
    if (window_ && IsWindow(window_))
        DestroyWindow(window_);
    if (font_)
        DeleteObject(static_cast<HFONT>(font_));
}

int Win32ErrorDisplay::scaled(int logical) const
{
    return MulDiv(logical, static_cast<int>(dpi_), FormLayout::kLogicalDpi);
}

void Win32ErrorDisplay::create()
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass);
    // Owned by the form: above it and gone with it.
    window_ = CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT, kClassName, title_.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU,
        0, 0, 0, 0, owner_, nullptr, instance, this);
    label_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, window_, nullptr,
        instance, nullptr);
    close_ = CreateWindowExW(0, L"BUTTON", L"Close", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0,
        window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCloseId)), instance, nullptr);
}

void Win32ErrorDisplay::rescale(unsigned dpi, const void* at)
{
    dpi_ = dpi;
    NONCLIENTMETRICSW metrics {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi_);
    const HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(close_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (font_)
        DeleteObject(static_cast<HFONT>(font_));
    font_ = font;
    if (at)
        place(static_cast<const RECT*>(at));
}

bool Win32ErrorDisplay::isDialogMessage(tagMSG* message)
{
    if (!window_ || !IsWindowVisible(window_))
        return false;
    // F6 moves between it and the form, as between the panes of one program:
    // the keyboard's way to a window that is in no Alt+Tab list.
    if (message->message == WM_KEYDOWN && message->wParam == VK_F6) {
        const bool here = message->hwnd == window_ || IsChild(window_, message->hwnd);
        if (!here)
            SetWindowLongPtrW(window_, GWL_EXSTYLE, GetWindowLongPtrW(window_, GWL_EXSTYLE) & ~WS_EX_NOACTIVATE);
        SetForegroundWindow(here ? owner_ : window_);
        return true;
    }
    return IsDialogMessageW(window_, message);
}

void Win32ErrorDisplay::showError(const std::string& text)
{
    if (!window_)
        create(); // on first use: a program without errors pays nothing for it
    text_ = toWide(text);
    SetWindowTextW(label_, text_.c_str());
    if (IsWindowVisible(window_)) {
        // Re-measured for the new text, its top left corner where it stands.
        RECT standing {};
        GetWindowRect(window_, &standing);
        place(&standing);
    } else {
        // At the form's density now, which may have changed since it was last shown.
        const UINT ownerDpi = GetDpiForWindow(owner_);
        rescale(ownerDpi ? ownerDpi : FormLayout::kLogicalDpi, nullptr);
        place(nullptr);
        SetWindowLongPtrW(window_, GWL_EXSTYLE, GetWindowLongPtrW(window_, GWL_EXSTYLE) | WS_EX_NOACTIVATE);
        ShowWindow(window_, SW_SHOWNOACTIVATE);
    }
    // From the text itself, whose name is the error: a screen reader reads what
    // the alert came from.
    NotifyWinEvent(EVENT_SYSTEM_ALERT, label_, OBJID_CLIENT, CHILDID_SELF);
}

int Win32ErrorDisplay::textHeight() const
{
    const HDC dc = GetDC(label_);
    const HGDIOBJ previous = SelectObject(dc, static_cast<HFONT>(font_));
    RECT bounds {0, 0, scaled(kTextWidth), 0};
    DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &bounds, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, previous);
    ReleaseDC(label_, dc);
    return bounds.bottom - bounds.top;
}

// Sized to its text at its density, then put at the corner given, or else
// beside the form where the screen leaves room.
void Win32ErrorDisplay::place(const void* at)
{
    const int margin = scaled(kMargin);
    const int textWidth = scaled(kTextWidth);
    const int textHeight = this->textHeight();
    const int closeWidth = scaled(kCloseWidth);
    const int closeHeight = scaled(kCloseHeight);
    MoveWindow(label_, margin, margin, textWidth, textHeight, FALSE);
    MoveWindow(close_, margin + textWidth - closeWidth, 2 * margin + textHeight, closeWidth, closeHeight, FALSE);
    RECT outer {0, 0, textWidth + 2 * margin, textHeight + closeHeight + 3 * margin};
    AdjustWindowRectExForDpi(&outer, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
        static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)), dpi_);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    InvalidateRect(window_, nullptr, TRUE);
    if (at) {
        const auto& corner = *static_cast<const RECT*>(at);
        SetWindowPos(window_, nullptr, corner.left, corner.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    RECT owner {};
    GetWindowRect(owner_, &owner);
    MONITORINFO monitor {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner_, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const PixelPoint spot = placeBeside({owner.left, owner.top, owner.right - owner.left, owner.bottom - owner.top}, width,
        height, {work.left, work.top, work.right - work.left, work.bottom - work.top});
    SetWindowPos(window_, nullptr, spot.x, spot.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

#include "platform/hosts/win32/win32_form_host.h"

#include "platform/services/colour.h"
#include "platform/hosts/win32/win32_area_accessible.h"
#include "platform/hosts/win32/win32_text.h"
#include "platform/services/raised_error.h"

// Last, so that its RGB macro meets none of the form's code.
#include <windows.h>
#undef RGB

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

namespace {

const wchar_t* const kFormClass = L"TessaryForm";
const wchar_t* const kAreaClass = L"TessaryDrawingArea";
const wchar_t* const kAreaName = L"Drawing area";
// Not in every mingw-w64's headers yet; Windows 10 1803 and later know it.
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
constexpr DWORD CREATE_WAITABLE_TIMER_HIGH_RESOLUTION = 0x00000002;
#endif
constexpr UINT kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
// Its children take part in Tab and the dialog keys.
constexpr UINT kExStyle = WS_EX_CONTROLPARENT;
constexpr long long kHundredNanoseconds = 100;
constexpr COLORREF kBorder = 0x404040;
constexpr COLORREF kCaption = 0x000000;
constexpr COLORREF kBlack = 0x000000;
// Above the dialog manager's own commands (IDOK, IDCANCEL and the like), which
// Return and Escape send to the window.
constexpr unsigned kFirstButtonId = 100;
// The timer that looks at the alarm during Windows' own modal loops.
constexpr UINT_PTR kModalTimerId = 1;
// An accessibility tool's default action on the drawing area.
constexpr UINT kAreaActionMessage = WM_APP + 1;
// The face when pressed: each component halved.
constexpr COLORREF kPressedShade = 0x7F7F7F;

Win32FormHost* hostOf(HWND window)
{
    return reinterpret_cast<Win32FormHost*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Ties a window to its host on creation, then hands it its messages. No
// exception may unwind through Windows' own frames, which may swallow it or
// end the process: one that reaches here goes to the error path instead.
template <std::intptr_t (Win32FormHost::*handle)(HWND, unsigned, std::uintptr_t, std::intptr_t)>
LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    Win32FormHost* host = hostOf(window);
    if (!host)
        return DefWindowProcW(window, message, wParam, lParam);
    try {
        return (host->*handle)(window, message, wParam, lParam);
    } catch (...) {
        host->escaped(std::current_exception());
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// Why a call that starts the program failed, as the system words it.
std::wstring lastErrorText(const wchar_t* what)
{
    const DWORD code = GetLastError();
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring reason = std::wstring(what) + L": " + (text ? text : L"error " + std::to_wstring(code));
    LocalFree(text);
    return reason;
}

void registerClass(const wchar_t* name, WNDPROC procedure, HBRUSH background)
{
    WNDCLASSEXW windowClass {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(1));
    windowClass.lpszClassName = name;
    RegisterClassExW(&windowClass);
}

// 0 where Windows could not tell: then the window keeps to logical pixels.
double ratioOf(UINT dpi)
{
    return dpi ? static_cast<double>(dpi) / FormLayout::kLogicalDpi : kNoDensity;
}

int scaled(int logical, double ratio)
{
    return static_cast<int>(std::lround(logical * ratio));
}

COLORREF toColorRef(Colour colour)
{
    const Colour plain = resolveColour(colour);
    return static_cast<COLORREF>(redOf(plain) | (greenOf(plain) << 8) | (blueOf(plain) << 16));
}

LOGFONTW messageFont(int pixels)
{
    NONCLIENTMETRICSW metrics {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW font = metrics.lfMessageFont;
    font.lfHeight = -pixels;
    font.lfWidth = 0;
    return font;
}

} // namespace

Win32FormHost::Win32FormHost(const ProjectDescription& project, const FormRunner::Decorator& decorate)
    : picture_(*project.startupForm)
    , errors_(form_)
    , runner_(project, picture_, {*this, *this, errors_, clock_}, decorate)
{
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
    if (!timer_)
        timer_ = CreateWaitableTimerW(nullptr, FALSE, nullptr); // before Windows 10 1803
    if (!timer_)
        throw Win32StartFailure(lastErrorText(L"The timer could not be created"));
    // Accessibility tools reach the drawing area's object through COM.
    comStarted_ = SUCCEEDED(OleInitialize(nullptr));
    registerClass(kFormClass, procedure<&Win32FormHost::formMessage>, nullptr);
    registerClass(kAreaClass, procedure<&Win32FormHost::areaMessage>, nullptr);
    const std::wstring caption = toWide(project.startupForm->settings.caption);
    form_ = CreateWindowExW(kExStyle, kFormClass, caption.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
        CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (!form_)
        throw Win32StartFailure(lastErrorText(L"The window could not be created"));
    ratio_ = ratioOf(GetDpiForWindow(form_));
    lookUpRefreshRate();
    const FormLayout& layout = runner_.layout();
    RECT outer {0, 0, scaled(layout.clientWidth(), ratio_), scaled(layout.clientHeight(), ratio_)};
    AdjustWindowRectExForDpi(&outer, kStyle, FALSE, kExStyle, static_cast<UINT>(std::lround(ratio_ * FormLayout::kLogicalDpi)));
    SetWindowPos(form_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    createControls();
    sized();
}

Win32FormHost::~Win32FormHost()
{
    if (form_)
        DestroyWindow(form_);
    if (font_)
        DeleteObject(static_cast<HFONT>(font_));
    if (timer_)
        CloseHandle(timer_);
    if (comStarted_)
        OleUninitialize();
}

// The buttons first, in tab order, then the drawing area: the dialog manager
// tabs in that order, and the area lies beneath them all.
void Win32FormHost::createControls()
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    int id = kFirstButtonId;
    for (const FormLayout::Button* b : runner_.layout().buttonsInTabOrder()) {
        const std::wstring caption = toWide(b->definition->caption);
        HWND button = CreateWindowExW(0, L"BUTTON", caption.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0, 0,
            0, 0, form_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance, nullptr);
        buttons_.push_back({b->definition->name, button});
    }
    area_ = CreateWindowExW(0, kAreaClass, kAreaName, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0, 0, 0, 0,
        form_, nullptr, instance, this);
    layOut();
}

// Places the buttons and sizes their font at the window's density.
void Win32FormHost::layOut()
{
    const FormLayout& layout = runner_.layout();
    const HDC dc = GetDC(form_);
    const int pixels = layout.captionPixelSize([dc](int size, std::string_view caption) {
        const LOGFONTW description = messageFont(size);
        const HFONT font = CreateFontIndirectW(&description);
        const HGDIOBJ previous = SelectObject(dc, font);
        const std::wstring text = toWide(caption);
        SIZE extent {};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        SelectObject(dc, previous);
        DeleteObject(font);
        return std::pair(static_cast<int>(extent.cx), static_cast<int>(extent.cy));
    });
    ReleaseDC(form_, dc);
    if (font_)
        DeleteObject(static_cast<HFONT>(font_));
    const LOGFONTW description = messageFont(scaled(pixels, ratio_));
    font_ = CreateFontIndirectW(&description);
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const HalfOpenRect& at = layout.buttonsInTabOrder()[i]->geometry;
        SendMessageW(buttons_[i].window, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        MoveWindow(buttons_[i].window, scaled(at.left, ratio_), scaled(at.top, ratio_), scaled(at.width, ratio_),
            scaled(at.height, ratio_), TRUE);
    }
}

void Win32FormHost::sized()
{
    RECT client {};
    GetClientRect(form_, &client);
    if (IsIconic(form_) || client.right == 0)
        return;
    runner_.resize(static_cast<int>(std::lround(client.right / ratio_)), static_cast<int>(std::lround(client.bottom / ratio_)),
        ratio_);
    MoveWindow(area_, 0, 0, client.right, client.bottom, TRUE);
}

int Win32FormHost::run()
{
    runner_.start();
    MSG message {};
    for (;;) {
        const HANDLE alarm = timer_;
        const DWORD woken = MsgWaitForMultipleObjectsEx(1, &alarm, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        ++wakeUps_;
        if (woken == WAIT_OBJECT_0)
            runner_.wake();
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                return static_cast<int>(message.wParam);
            if (!errors_.isDialogMessage(&message) && !IsDialogMessageW(form_, &message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
    }
}

HWND__* Win32FormHost::firstInTabOrder() const
{
    return buttons_.empty() ? area_ : buttons_.front().window;
}

void Win32FormHost::show()
{
    ShowWindow(form_, SW_SHOWDEFAULT);
    SetFocus(firstInTabOrder());
    UpdateWindow(form_);
}

void Win32FormHost::showChanges(const InclusiveBox& box)
{
    const InclusiveBox device = picture_.deviceBox(box);
    if (device.empty())
        return;
    RECT changed {static_cast<LONG>(device.left), static_cast<LONG>(device.top), static_cast<LONG>(device.right + 1),
        static_cast<LONG>(device.bottom + 1)};
    InvalidateRect(area_, &changed, FALSE);
    UpdateWindow(area_);
}

FramePacing Win32FormHost::pacing() const
{
    if (!IsWindowVisible(form_) || IsIconic(form_))
        return FramePacing::unseen();
    return FramePacing::refreshRate(refreshRate_);
}

// Asked of the system only when the monitor or its settings change: the
// query walks the display driver's modes.
void Win32FormHost::lookUpRefreshRate()
{
    monitor_ = MonitorFromWindow(form_, MONITOR_DEFAULTTONEAREST);
    MONITORINFOEXW monitor {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(static_cast<HMONITOR>(monitor_), &monitor);
    DEVMODEW mode {};
    mode.dmSize = sizeof mode;
    // 0 and 1 stand for the hardware's default rate, which it does not tell.
    const bool known = EnumDisplaySettingsW(monitor.szDevice, ENUM_CURRENT_SETTINGS, &mode) && mode.dmDisplayFrequency > 1;
    refreshRate_ = known ? mode.dmDisplayFrequency : 0;
}

void Win32FormHost::escaped(std::exception_ptr thrown)
{
    try {
        std::rethrow_exception(thrown);
    } catch (const std::exception& unexpected) {
        reportQuietly(RaisedError::unexpected(unexpected.what()));
    } catch (...) {
        reportQuietly(RaisedError::unexpected("an exception of unknown type"));
    }
}

// The error path must not throw in its turn: what fails there is dropped.
void Win32FormHost::reportQuietly(const RaisedError& error) noexcept
{
    try {
        errors_.report(error);
    } catch (...) {
    }
}

// While Windows runs a modal loop of its own for the window (a move, a
// resize, a menu), the message loop above does not watch the alarm: a timer
// message, which the modal loop does dispatch, looks at it once a frame.
void Win32FormHost::modalLoop(bool entered)
{
    if (!entered) {
        KillTimer(form_, kModalTimerId);
        return;
    }
    const auto frame = std::chrono::duration_cast<std::chrono::milliseconds>(FramePacing::refreshRate(refreshRate_).period());
    SetTimer(form_, kModalTimerId, static_cast<UINT>(std::max<long long>(USER_TIMER_MINIMUM, frame.count())), nullptr);
}

void Win32FormHost::arm(std::optional<MonotonicClock::TimePoint> when)
{
    if (!when) {
        CancelWaitableTimer(timer_);
        return;
    }
    // Negative: relative to now, in 100 ns; never zero, which would not wait at all.
    const long long wait = std::chrono::nanoseconds(*when - clock_.now()).count() / kHundredNanoseconds;
    LARGE_INTEGER due {};
    due.QuadPart = -std::max(1LL, wait);
    SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE);
}

void Win32FormHost::areaClick()
{
    runner_.clickArea();
}

int Win32FormHost::buttonIndex(unsigned id) const
{
    return id >= kFirstButtonId && id < kFirstButtonId + buttons_.size() ? static_cast<int>(id - kFirstButtonId) : -1;
}

std::intptr_t Win32FormHost::formMessage(HWND window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam)
{
    switch (message) {
    case WM_COMMAND: {
        // The second click of a double click comes as a double click: it is a click all the same.
        const int index = buttonIndex(LOWORD(wParam));
        if ((HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == BN_DOUBLECLICKED) && index >= 0)
            runner_.click(buttons_[index].name);
        return 0;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_BUTTON || buttonIndex(item->CtlID) < 0)
            return DefWindowProcW(window, message, wParam, lParam);
        drawButton(item);
        return TRUE;
    }
    case WM_ACTIVATE:
        // As in a dialog: the control that had the focus gets it back, rather
        // than the window itself, where no key does anything.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focused = GetFocus();
            if (focused && IsChild(form_, focused))
                lastFocus_ = focused;
        } else if (!HIWORD(wParam)) {
            SetFocus(lastFocus_ && IsChild(form_, lastFocus_) ? lastFocus_ : firstInTabOrder());
        }
        return 0;
    case WM_ENTERSIZEMOVE:
    case WM_ENTERMENULOOP:
        modalLoop(true);
        return 0;
    case WM_EXITSIZEMOVE:
    case WM_EXITMENULOOP:
        modalLoop(false);
        return 0;
    case WM_TIMER:
        if (wParam == kModalTimerId && WaitForSingleObject(timer_, 0) == WAIT_OBJECT_0) {
            ++wakeUps_;
            runner_.wake();
        }
        return 0;
    case WM_SIZE:
        sized();
        runner_.pacingChanged();
        return 0;
    case WM_MOVE:
        if (MonitorFromWindow(form_, MONITOR_DEFAULTTONEAREST) != monitor_) {
            lookUpRefreshRate();
            runner_.pacingChanged();
        }
        return 0;
    case WM_DISPLAYCHANGE:
        lookUpRefreshRate();
        runner_.pacingChanged();
        return 0;
    case WM_DPICHANGED: {
        ratio_ = ratioOf(HIWORD(wParam));
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        layOut();
        SetWindowPos(form_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
            suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        sized();
        return 0;
    }
    case WM_DESTROY:
        form_ = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void Win32FormHost::drawButton(const void* item)
{
    const auto& draw = *static_cast<const DRAWITEMSTRUCT*>(item);
    const FormLayout::Button& button = *runner_.layout().buttonsInTabOrder()[static_cast<size_t>(buttonIndex(draw.CtlID))];
    COLORREF face = toColorRef(button.definition->backColor);
    if (draw.itemState & ODS_SELECTED)
        face = (face >> 1) & kPressedShade;
    RECT bounds = draw.rcItem;
    const HBRUSH faceBrush = CreateSolidBrush(face);
    FillRect(draw.hDC, &bounds, faceBrush);
    DeleteObject(faceBrush);
    const HBRUSH borderBrush = CreateSolidBrush(kBorder);
    FrameRect(draw.hDC, &bounds, borderBrush);
    DeleteObject(borderBrush);
    wchar_t caption[64];
    GetWindowTextW(draw.hwndItem, caption, static_cast<int>(std::size(caption)));
    SetBkMode(draw.hDC, TRANSPARENT);
    SetTextColor(draw.hDC, kCaption);
    DrawTextW(draw.hDC, caption, -1, &bounds, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (draw.itemState & ODS_FOCUS) {
        InflateRect(&bounds, -2, -2);
        DrawFocusRect(draw.hDC, &bounds);
    }
}

std::intptr_t Win32FormHost::areaMessage(HWND window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam)
{
    switch (message) {
    case WM_PAINT:
        paintArea();
        return 0;
    case WM_GETOBJECT:
        if (const LRESULT answered = Win32AreaAccessible::answer(area_, wParam, lParam, kAreaName, kAreaActionMessage))
            return answered;
        return DefWindowProcW(window, message, wParam, lParam);
    case kAreaActionMessage:
        areaClick();
        return 0;
    case WM_ERASEBKGND:
        return TRUE; // the paint covers every pixel
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        areaFocused_ = message == WM_SETFOCUS;
        InvalidateRect(area_, nullptr, FALSE);
        return 0;
    case WM_GETDLGCODE:
        // Return is the area's own, not the dialog manager's default button.
        return DLGC_WANTCHARS | (lParam && reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN ? DLGC_WANTMESSAGE : 0);
    case WM_KEYDOWN: {
        const bool activates = wParam == VK_SPACE || wParam == VK_RETURN;
        const bool repeated = (lParam & (1 << 30)) != 0;
        const bool modified = GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
        if (activates && !repeated && !modified)
            areaClick();
        return 0;
    }
    case WM_LBUTTONDOWN:
        press_.press(true);
        SetCapture(area_);
        return 0;
    // The area holds the mouse from the press, so the release comes here even
    // over a button: it counts only where nothing stands on the area.
    case WM_LBUTTONUP: {
        POINT at {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        MapWindowPoints(area_, form_, &at, 1);
        // Before the capture goes, which takes the press back.
        const bool clicked = press_.release(true, ChildWindowFromPointEx(form_, at, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT) == area_);
        ReleaseCapture();
        if (clicked)
            areaClick();
        return 0;
    }
    case WM_CAPTURECHANGED:
        press_.cancel();
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// The picture's own rows go to the screen as a top-down 32-bit DIB, one to
// one; whatever of the area the picture does not reach is black.
void Win32FormHost::paintArea()
{
    PAINTSTRUCT paint {};
    const HDC dc = BeginPaint(area_, &paint);
    const RECT& dirty = paint.rcPaint;
    const LONG top = std::max<LONG>(dirty.top, 0);
    const LONG bottom = std::min<LONG>(dirty.bottom, picture_.height());
    const LONG left = std::max<LONG>(dirty.left, 0);
    const LONG right = std::min<LONG>(dirty.right, picture_.width());
    if (top < bottom && left < right) {
        BITMAPINFO band {};
        band.bmiHeader.biSize = sizeof band.bmiHeader;
        band.bmiHeader.biWidth = picture_.width();
        band.bmiHeader.biHeight = -(bottom - top);
        band.bmiHeader.biPlanes = 1;
        band.bmiHeader.biBitCount = 32;
        band.bmiHeader.biCompression = BI_RGB;
        const Picture::Pixel* rows = picture_.pixels() + static_cast<size_t>(top) * static_cast<size_t>(picture_.width());
        SetDIBitsToDevice(dc, left, top, static_cast<DWORD>(right - left), static_cast<DWORD>(bottom - top), left, 0, 0,
            static_cast<UINT>(bottom - top), rows, &band, DIB_RGB_COLORS);
    }
    // The rest of a frame's paint is rare: the one a frame keeps to the picture
    // and asks Windows (and under Wine, its server) for nothing more.
    RECT client {};
    GetClientRect(area_, &client);
    if (dirty.right > picture_.width() || dirty.bottom > picture_.height()) {
        const HBRUSH black = CreateSolidBrush(kBlack);
        RECT beyond {picture_.width(), 0, client.right, client.bottom};
        FillRect(dc, &beyond, black);
        beyond = {0, picture_.height(), client.right, client.bottom};
        FillRect(dc, &beyond, black);
        DeleteObject(black);
    }
    if (areaFocused_) {
        InflateRect(&client, -1, -1);
        DrawFocusRect(dc, &client);
    }
    EndPaint(area_, &paint);
}

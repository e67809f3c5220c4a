#include "platform/hosts/win32/win32_form_window.h"

#include "platform/hosts/win32/win32_focus_frame.h"
#include "platform/hosts/win32/win32_start_failure.h"
#include "platform/hosts/win32/win32_density.h"
#include "platform/hosts/win32/win32_screen.h"
#include "platform/hosts/win32/win32_text.h"
#include "platform/hosts/win32/win32_window_procedure.h"

#include <cmath>

namespace {

const wchar_t* const kFormClass = L"TessaryForm";
constexpr UINT kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
// Its children take part in Tab and the dialog keys.
constexpr UINT kExStyle = WS_EX_CONTROLPARENT;

} // namespace

Win32FormWindow::Win32FormWindow(const FormDefinition& definition, const Picture& picture, const MonotonicClock& clock)
    : picture_(picture)
    , layout_(definition)
    , alarm_(clock)
    , buttons_(layout_)
    , area_(picture)
{
    WNDCLASSEXW windowClass {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = win32WindowProcedure<Win32FormWindow, &Win32FormWindow::message>;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(1));
    windowClass.lpszClassName = kFormClass;
    RegisterClassExW(&windowClass);
    const std::wstring caption = toWide(definition.settings.caption);
    form_ = CreateWindowExW(kExStyle, kFormClass, caption.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
        CW_USEDEFAULT, nullptr, nullptr, windowClass.hInstance, this);
    if (!form_)
        throw Win32StartFailure::fromLastError(L"The window could not be created");
    ratio_ = win32RatioOf(GetDpiForWindow(form_));
    lookUpRefreshRate();
    RECT outer {0, 0, win32DevicePixels(layout_.clientWidth(), ratio_), win32DevicePixels(layout_.clientHeight(), ratio_)};
    AdjustWindowRectExForDpi(&outer, kStyle, FALSE, kExStyle, static_cast<UINT>(std::lround(ratio_ * FormLayout::kLogicalDpi)));
    SetWindowPos(form_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The buttons first, then the drawing area: the dialog manager tabs in
    // that order, and the area lies beneath them all.
    buttons_.create(form_);
    area_.create(form_);
    buttons_.layOut(form_, ratio_);
    contrastMayHaveChanged();
}

void Win32FormWindow::contrastMayHaveChanged()
{
    const bool on = win32HighContrast();
    buttons_.setHighContrast(on);
    area_.setHighContrast(on);
}

Win32FormWindow::~Win32FormWindow()
{
    if (form_)
        DestroyWindow(form_);
}

void Win32FormWindow::onEscaped(std::function<void(std::exception_ptr)> listener)
{
    escapeListener_ = listener;
    area_.onEscaped(std::move(listener));
}

void Win32FormWindow::escaped(std::exception_ptr thrown)
{
    if (escapeListener_)
        escapeListener_(thrown);
}

void Win32FormWindow::sized()
{
    RECT client {};
    GetClientRect(form_, &client);
    if (IsIconic(form_) || client.right == 0 || !area_.handle())
        return;
    if (resizedListener_)
        resizedListener_(static_cast<int>(std::lround(client.right / ratio_)), static_cast<int>(std::lround(client.bottom / ratio_)),
            ratio_);
    MoveWindow(area_.handle(), 0, 0, client.right, client.bottom, TRUE);
}

HWND Win32FormWindow::firstInTabOrder() const
{
    return buttons_.first() ? buttons_.first() : area_.handle();
}

void Win32FormWindow::show()
{
    ShowWindow(form_, SW_SHOWDEFAULT);
    SetFocus(firstInTabOrder());
    UpdateWindow(form_);
}

void Win32FormWindow::showChanges(const InclusiveBox& box)
{
    const InclusiveBox device = picture_.deviceBox(box);
    if (!device.empty())
        area_.showChanges(device);
}

FramePacing Win32FormWindow::pacing() const
{
    if (!IsWindowVisible(form_) || IsIconic(form_))
        return FramePacing::unseen();
    return FramePacing::refreshRate(refreshRate_);
}

void Win32FormWindow::lookUpRefreshRate()
{
    monitor_ = MonitorFromWindow(form_, MONITOR_DEFAULTTONEAREST);
    refreshRate_ = win32RefreshRate(monitor_);
}

// As in a dialog: the control that had the focus gets it back, rather than
// the window itself, where no key does anything.
void Win32FormWindow::activated(WPARAM state)
{
    if (LOWORD(state) == WA_INACTIVE) {
        const HWND focused = GetFocus();
        if (focused && IsChild(form_, focused))
            lastFocus_ = focused;
    } else if (!HIWORD(state)) {
        SetFocus(lastFocus_ && IsChild(form_, lastFocus_) ? lastFocus_ : firstInTabOrder());
    }
}

void Win32FormWindow::modalLoop(bool entered)
{
    alarm_.modalLoop(entered, FramePacing::refreshRate(refreshRate_).period());
}

void Win32FormWindow::changeDpi(UINT dpi, const RECT& suggested)
{
    ratio_ = win32RatioOf(dpi);
    buttons_.layOut(form_, ratio_);
    SetWindowPos(form_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
        suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    sized();
}

LRESULT Win32FormWindow::message(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: {
        // Return on a focused button comes as the dialog's IDOK: it presses
        // that button, as on any push button.
        if (LOWORD(wParam) == IDOK && HIWORD(wParam) == BN_CLICKED) {
            const HWND focused = GetFocus();
            const auto pressed = focused && IsChild(form_, focused) ? buttons_.nameOf(static_cast<UINT>(GetDlgCtrlID(focused)))
                                                                    : std::nullopt;
            if (pressed && buttonListener_)
                buttonListener_(*pressed);
            return 0;
        }
        // The second click of a double click comes as a double click: it is a click all the same.
        const auto name = buttons_.nameOf(LOWORD(wParam));
        if ((HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == BN_DOUBLECLICKED) && name && buttonListener_)
            buttonListener_(*name);
        return 0;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_BUTTON || !buttons_.nameOf(item->CtlID))
            break;
        buttons_.draw(*item);
        return TRUE;
    }
    case WM_ACTIVATE:
        activated(wParam);
        return 0;
    case WM_ENTERSIZEMOVE:
    case WM_ENTERMENULOOP:
    case WM_EXITSIZEMOVE:
    case WM_EXITMENULOOP:
        modalLoop(message == WM_ENTERSIZEMOVE || message == WM_ENTERMENULOOP);
        return 0;
    case WM_NCLBUTTONDOWN: {
        // Windows waits about half a second on a press on the title bar before
        // it says that a move began, and says nothing of holding its buttons:
        // the press itself is a modal loop, as long as DefWindowProc keeps it.
        modalLoop(true);
        const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
        modalLoop(false);
        return result;
    }
    case WM_SIZE:
        sized();
        if (pacingListener_)
            pacingListener_();
        return 0;
    case WM_MOVE:
        if (MonitorFromWindow(form_, MONITOR_DEFAULTTONEAREST) == monitor_)
            return 0;
        [[fallthrough]];
    case WM_DISPLAYCHANGE:
        lookUpRefreshRate();
        if (pacingListener_)
            pacingListener_();
        return 0;
    // The user's colours or their contrast changed.
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        contrastMayHaveChanged();
        break;
    case WM_DPICHANGED:
        changeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DESTROY:
        form_ = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

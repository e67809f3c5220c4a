#include "platform/hosts/win32/win32_form_window.h"

#include "platform/hosts/win32/win32_density.h"
#include "platform/hosts/win32/win32_focus_frame.h"
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
    : Win32Window(clock)
    , picture_(picture)
    , layout_(definition)
    , buttons_(layout_)
    , area_(picture)
{
    registerClass(kFormClass, win32WindowProcedure<Win32FormWindow, &Win32FormWindow::message>, LoadCursorW(nullptr, IDC_ARROW));
    const std::wstring caption = toWide(definition.settings.caption);
    adopt(CreateWindowExW(kExStyle, kFormClass, caption.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
              CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), this),
        L"The window could not be created");
    RECT outer {0, 0, win32DevicePixels(layout_.clientWidth(), ratio()), win32DevicePixels(layout_.clientHeight(), ratio())};
    AdjustWindowRectExForDpi(&outer, kStyle, FALSE, kExStyle, static_cast<UINT>(std::lround(ratio() * FormLayout::kLogicalDpi)));
    SetWindowPos(handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The buttons first, then the drawing area: the dialog manager tabs in
    // that order, and the area lies beneath them all.
    buttons_.create(handle());
    area_.create(handle());
    buttons_.layOut(handle(), ratio());
    contrastMayHaveChanged();
}

void Win32FormWindow::reportTo(RunnerEvents& runner)
{
    Win32Window::reportTo(runner);
    area_.reportTo(runner);
}

void Win32FormWindow::onModalAlarm(std::function<void()> listener)
{
    alarm().onModalRing(std::move(listener));
}

void Win32FormWindow::contrastMayHaveChanged()
{
    const bool on = win32HighContrast();
    buttons_.setHighContrast(on);
    area_.setHighContrast(on);
}

void Win32FormWindow::sized()
{
    RECT client {};
    GetClientRect(handle(), &client);
    if (IsIconic(handle()) || client.right == 0 || !area_.handle())
        return;
    if (runner())
        runner()->resize(static_cast<int>(std::lround(client.right / ratio())), static_cast<int>(std::lround(client.bottom / ratio())),
            ratio());
    MoveWindow(area_.handle(), 0, 0, client.right, client.bottom, TRUE);
}

HWND Win32FormWindow::firstInTabOrder() const
{
    return buttons_.first() ? buttons_.first() : area_.handle();
}

void Win32FormWindow::show()
{
    ShowWindow(handle(), SW_SHOWDEFAULT);
    SetFocus(firstInTabOrder());
    UpdateWindow(handle());
}

void Win32FormWindow::showChanges(const InclusiveBox& box)
{
    const InclusiveBox device = picture_.deviceBox(box);
    if (!device.empty())
        area_.showChanges(device);
}

// As in a dialog: the control that had the focus gets it back, rather than
// the window itself, where no key does anything.
void Win32FormWindow::activated(WPARAM state)
{
    if (LOWORD(state) == WA_INACTIVE) {
        const HWND focused = GetFocus();
        if (focused && IsChild(handle(), focused))
            lastFocus_ = focused;
    } else if (!HIWORD(state)) {
        SetFocus(lastFocus_ && IsChild(handle(), lastFocus_) ? lastFocus_ : firstInTabOrder());
    }
}

void Win32FormWindow::modalLoop(bool entered)
{
    alarm().modalLoop(entered, FramePacing::refreshRate(refreshRate()).period());
}

void Win32FormWindow::changeDpi(UINT dpi, const RECT& suggested)
{
    setRatio(win32RatioOf(dpi));
    buttons_.layOut(handle(), ratio());
    SetWindowPos(handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
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
            const auto pressed = focused && IsChild(handle(), focused)
                ? buttons_.nameOf(static_cast<UINT>(GetDlgCtrlID(focused)))
                : std::nullopt;
            if (pressed && runner())
                runner()->click(*pressed);
            return 0;
        }
        // The second click of a double click comes as a double click: it is a click all the same.
        const auto name = buttons_.nameOf(LOWORD(wParam));
        if ((HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == BN_DOUBLECLICKED) && name && runner())
            runner()->click(*name);
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
        if (runner())
            runner()->pacingChanged();
        return 0;
    case WM_MOVE:
        if (MonitorFromWindow(handle(), MONITOR_DEFAULTTONEAREST) != monitor())
            refreshRateMayHaveChanged();
        return 0;
    // The user's colours or their contrast changed.
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        contrastMayHaveChanged();
        break;
    case WM_DPICHANGED:
        changeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    default:
        break;
    }
    if (const std::optional<LRESULT> common = commonMessage(message))
        return *common;
    return DefWindowProcW(window, message, wParam, lParam);
}

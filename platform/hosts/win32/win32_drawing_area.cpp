#include "platform/hosts/win32/win32_drawing_area.h"

#include "platform/form/form_look.h"
#include "platform/hosts/win32/win32_area_accessible.h"
#include "platform/hosts/win32/win32_density.h"
#include "platform/hosts/win32/win32_focus_frame.h"
#include "platform/hosts/win32/win32_screen.h"
#include "platform/hosts/win32/win32_window_procedure.h"

namespace {

const wchar_t* const kAreaClass = L"TessaryDrawingArea";
const wchar_t* const kAreaName = L"Drawing area";
// An accessibility tool's default action on the drawing area.
constexpr UINT kAreaActionMessage = WM_APP + 1;
// Bit 30 of a key message's flags: the key was down before.
constexpr LPARAM kRepeatedKey = LPARAM(1) << 30;

FormLook::Key keyOf(WPARAM key)
{
    switch (key) {
    case VK_SPACE:
        return FormLook::Key::Space;
    case VK_RETURN:
        return FormLook::Key::Return;
    default:
        return FormLook::Key::Other;
    }
}

} // namespace

Win32DrawingArea::Win32DrawingArea(const Picture& picture)
    : picture_(picture)
{
    // Accessibility tools reach the area's object through COM.
    comStarted_ = SUCCEEDED(OleInitialize(nullptr));
}

Win32DrawingArea::~Win32DrawingArea()
{
    if (comStarted_)
        OleUninitialize();
}

void Win32DrawingArea::create(HWND parent)
{
    parent_ = parent;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = win32WindowProcedure<Win32DrawingArea, &Win32DrawingArea::message>;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kAreaClass;
    RegisterClassExW(&windowClass);
    area_ = CreateWindowExW(0, kAreaClass, kAreaName, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0, 0, 0, 0,
        parent, nullptr, instance, this);
}

void Win32DrawingArea::showChanges(const InclusiveBox& device)
{
    RECT changed {static_cast<LONG>(device.left), static_cast<LONG>(device.top), static_cast<LONG>(device.right + 1),
        static_cast<LONG>(device.bottom + 1)};
    InvalidateRect(area_, &changed, FALSE);
    UpdateWindow(area_);
}

void Win32DrawingArea::setHighContrast(bool on)
{
    highContrast_ = on;
    InvalidateRect(area_, nullptr, FALSE);
}

void Win32DrawingArea::escaped(std::exception_ptr thrown)
{
    if (runner_)
        runner_->escaped(thrown);
}

void Win32DrawingArea::click()
{
    if (runner_)
        runner_->clickArea();
}

LRESULT Win32DrawingArea::message(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_GETOBJECT:
        if (const LRESULT answered = Win32AreaAccessible::answer(area_, wParam, lParam, kAreaName, kAreaActionMessage))
            return answered;
        break;
    case kAreaActionMessage:
        click();
        return 0;
    case WM_ERASEBKGND:
        return TRUE; // the paint covers every pixel
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        focused_ = message == WM_SETFOCUS;
        InvalidateRect(area_, nullptr, FALSE);
        return 0;
    case WM_GETDLGCODE:
        // Return is the area's own, not the dialog manager's default button.
        return DLGC_WANTCHARS | (lParam && reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN ? DLGC_WANTMESSAGE : 0);
    case WM_KEYDOWN:
        key(wParam, lParam);
        return 0;
    case WM_LBUTTONDOWN:
        press_.press(true);
        SetCapture(area_);
        return 0;
    case WM_LBUTTONUP:
        release(lParam);
        return 0;
    case WM_CAPTURECHANGED:
        press_.cancel();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Win32DrawingArea::key(WPARAM key, LPARAM flags)
{
    const bool modified = GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
    if (runner_)
        runner_->areaKey(keyOf(key), modified, (flags & kRepeatedKey) != 0);
}

// The area holds the mouse from the press, so the release comes here even
// over a button: it counts only where nothing stands on the area.
void Win32DrawingArea::release(LPARAM at)
{
    POINT point {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    MapWindowPoints(area_, parent_, &point, 1);
    // Before the capture goes, which takes the press back.
    const HWND under = ChildWindowFromPointEx(parent_, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    const bool clicked = press_.release(true, under == area_);
    ReleaseCapture();
    if (clicked)
        click();
}

void Win32DrawingArea::paint()
{
    win32PaintPicture(area_, picture_, [this](HDC dc, const RECT& client) {
        if (focused_) {
            drawWin32FocusFrame(dc, client, FormLook::kAreaFocus,
                win32DevicePixels(FormLook::kAreaFocusInset, picture_.devicePixelRatio()), highContrast_);
        }
    });
}

#include "platform/hosts/win32/win32_buttons.h"

#include "platform/form/form_look.h"
#include "platform/hosts/win32/win32_focus_frame.h"
#include "platform/hosts/win32/win32_density.h"
#include "platform/hosts/win32/win32_text.h"
#include "platform/services/colour.h"

#include <cmath>
#include <iterator>
#include <utility>

namespace {

// Above the dialog manager's own commands (IDOK, IDCANCEL and the like), which
// Return and Escape send to the window.
constexpr UINT kFirstButtonId = 100;

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

void fill(HDC dc, const RECT& box, COLORREF colour, bool frameOnly)
{
    const HBRUSH brush = CreateSolidBrush(colour);
    if (frameOnly)
        FrameRect(dc, &box, brush);
    else
        FillRect(dc, &box, brush);
    DeleteObject(brush);
}

} // namespace

Win32Buttons::Win32Buttons(const FormLayout& layout)
    : layout_(layout)
{
}

Win32Buttons::~Win32Buttons()
{
    if (font_)
        DeleteObject(font_);
}

void Win32Buttons::create(HWND parent)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    UINT id = kFirstButtonId;
    for (const FormLayout::Button* b : layout_.buttonsInTabOrder()) {
        const std::wstring caption = toWide(b->definition->caption);
        windows_.push_back(CreateWindowExW(0, L"BUTTON", caption.c_str(),
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0, 0, 0, 0, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance, nullptr));
    }
}

void Win32Buttons::layOut(HWND parent, double ratio)
{
    ratio_ = ratio;
    const HDC dc = GetDC(parent);
    const int pixels = layout_.captionPixelSize([dc](int size, std::string_view caption) {
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
    ReleaseDC(parent, dc);
    if (font_)
        DeleteObject(font_);
    const LOGFONTW description = messageFont(win32DevicePixels(pixels, ratio));
    font_ = CreateFontIndirectW(&description);
    for (size_t i = 0; i < windows_.size(); ++i) {
        const HalfOpenRect& at = layout_.buttonsInTabOrder()[i]->geometry;
        SendMessageW(windows_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        MoveWindow(windows_[i], win32DevicePixels(at.left, ratio), win32DevicePixels(at.top, ratio),
            win32DevicePixels(at.width, ratio), win32DevicePixels(at.height, ratio), TRUE);
    }
}

void Win32Buttons::setHighContrast(bool on)
{
    highContrast_ = on;
    for (HWND button : windows_)
        InvalidateRect(button, nullptr, TRUE);
}

int Win32Buttons::indexOf(UINT id) const
{
    return id >= kFirstButtonId && id < kFirstButtonId + windows_.size() ? static_cast<int>(id - kFirstButtonId) : -1;
}

std::optional<std::string_view> Win32Buttons::nameOf(UINT id) const
{
    const int index = indexOf(id);
    if (index < 0)
        return std::nullopt;
    return layout_.buttonsInTabOrder()[static_cast<size_t>(index)]->definition->name;
}

void Win32Buttons::draw(const DRAWITEMSTRUCT& item) const
{
    const FormLayout::Button& button = *layout_.buttonsInTabOrder()[static_cast<size_t>(indexOf(item.CtlID))];
    const Colour face = resolveColour(button.definition->backColor);
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    RECT bounds = item.rcItem;
    if (highContrast_) {
        fill(item.hDC, bounds, GetSysColor(pressed ? COLOR_HIGHLIGHT : COLOR_BTNFACE), false);
        fill(item.hDC, bounds, GetSysColor(COLOR_WINDOWTEXT), true);
    } else {
        fill(item.hDC, bounds, toWin32Colour(pressed ? FormLook::pressedFace(face) : face), false);
        fill(item.hDC, bounds, toWin32Colour(FormLook::kButtonBorder), true);
    }
    wchar_t caption[64];
    GetWindowTextW(item.hwndItem, caption, static_cast<int>(std::size(caption)));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, highContrast_ ? GetSysColor(pressed ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT)
                                         : toWin32Colour(FormLook::kCaption));
    DrawTextW(item.hDC, caption, -1, &bounds, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS)
        drawWin32FocusFrame(
            item.hDC, bounds, FormLook::kButtonFocus, win32DevicePixels(FormLook::kButtonFocusInset, ratio_), highContrast_);
}

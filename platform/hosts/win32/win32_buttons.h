#pragma once

#include "platform/form/form_layout.h"
#include "platform/hosts/win32/win32_api.h"

#include <optional>
#include <string_view>
#include <vector>

// The form's buttons on Windows: owner-drawn push buttons, so that
// accessibility tools see push buttons named by their captions, made in tab
// order (the dialog manager tabs in the order of creation) and drawn in the
// definition's faces and the look of FormLook, or in the system's colours
// where the user asked for high contrast. Laid out at the window's
// density, their caption font sized so that every caption fits.
class Win32Buttons {
public:
    explicit Win32Buttons(const FormLayout& layout);
    ~Win32Buttons();
    Win32Buttons(const Win32Buttons&) = delete;
    Win32Buttons& operator=(const Win32Buttons&) = delete;

    // Makes them, children of the window.
    void create(HWND parent);
    // Places them and sizes their font at this density.
    void layOut(HWND parent, double ratio);
    // The button's name, for a WM_COMMAND or WM_DRAWITEM control id; none for
    // any other control.
    std::optional<std::string_view> nameOf(UINT id) const;
    // WM_DRAWITEM for one of them.
    void draw(const DRAWITEMSTRUCT& item) const;
    HWND first() const { return windows_.empty() ? nullptr : windows_.front(); }
    // In high contrast they take the system's button colours, as Windows' own do.
    void setHighContrast(bool on);

private:
    // The index in tab order of this control id, or -1.
    int indexOf(UINT id) const;

    const FormLayout& layout_;
    std::vector<HWND> windows_;
    HFONT font_ = nullptr;
    double ratio_ = 1;
    bool highContrast_ = false;
};

#pragma once

#include "platform/hosts/win32/win32_api.h"
#include "platform/picture/picture.h"
#include "platform/runner/form_host.h"
#include "platform/runner/runner_events.h"

#include <exception>

// The client area on Windows: a child window beneath the buttons that copies
// the picture's own memory to the screen one to one (SetDIBitsToDevice), and
// takes what counts as a click on the bare area: the left button pressed and
// released on it where no button stands, the keys FormLook names while it has
// the focus, and an accessibility tool's default action (it answers as
// Win32AreaAccessible, a push button named "Drawing area"). Its focus frame is
// drawn on the screen, never into the picture. It knows nothing of handlers:
// the runner it reports to says which keys are the area's.
class Win32DrawingArea {
public:
    explicit Win32DrawingArea(const Picture& picture);
    ~Win32DrawingArea();
    Win32DrawingArea(const Win32DrawingArea&) = delete;
    Win32DrawingArea& operator=(const Win32DrawingArea&) = delete;

    // Makes it, a child of the window, after the buttons in tab order.
    void create(HWND parent);
    void reportTo(RunnerEvents& runner) { runner_ = &runner; }

    HWND handle() const { return area_; }
    // Its focus frame in the system's colours, where the user asked for high contrast.
    void setHighContrast(bool on);
    // Puts this device box of the picture on the screen, now.
    void showChanges(const InclusiveBox& device);

    LRESULT message(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void escaped(std::exception_ptr thrown);

private:
    void paint();
    void click();
    void key(WPARAM key, LPARAM flags);
    void release(LPARAM at);

    const Picture& picture_;
    HWND area_ = nullptr;
    HWND parent_ = nullptr;
    bool focused_ = false;
    bool highContrast_ = false;
    bool comStarted_ = false;
    AreaPress press_;
    RunnerEvents* runner_ = nullptr;
};

#pragma once

#include "platform/runner/form_host.h"

struct HWND__;

// The default error handling on Windows: one modeless window, owned by the
// form's, that shows the last error that left a handler and how many have.
// It opens beside its owner where the screen leaves room, never takes the
// activation, and a further error only updates it. Closed, it hides until the
// next error; it goes with its owner.
class Win32ErrorWindow final : public ErrorDisplay {
public:
    // owner is where the form's window handle is kept once it exists.
    explicit Win32ErrorWindow(HWND__* const& owner);
    ~Win32ErrorWindow() override;
    Win32ErrorWindow(const Win32ErrorWindow&) = delete;
    Win32ErrorWindow& operator=(const Win32ErrorWindow&) = delete;

private:
    void showError(const std::string& text) override;
    void create();
    void place();

    HWND__* const& owner_;
    HWND__* window_ = nullptr;
    HWND__* text_ = nullptr;
    void* font_ = nullptr;
};

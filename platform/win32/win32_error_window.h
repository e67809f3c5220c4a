#pragma once

#include "platform/error_reporter.h"

struct HWND__;

// The default error handling on Windows: one modeless window, owned by the
// form's, that shows the last error that left a handler and how many have.
// It opens beside its owner where the screen leaves room, never takes the
// activation, and a further error only updates it. Closed, it hides until the
// next error; it goes with its owner.
class Win32ErrorWindow final : public ErrorReporter {
public:
    // owner is where the form's window handle is kept once it exists.
    explicit Win32ErrorWindow(HWND__* const& owner);
    ~Win32ErrorWindow() override;
    Win32ErrorWindow(const Win32ErrorWindow&) = delete;
    Win32ErrorWindow& operator=(const Win32ErrorWindow&) = delete;

    void report(const RaisedError& error) override;

    int count() const { return count_; }

private:
    void create();
    void place();

    HWND__* const& owner_;
    HWND__* window_ = nullptr;
    HWND__* text_ = nullptr;
    void* font_ = nullptr;
    int count_ = 0;
};

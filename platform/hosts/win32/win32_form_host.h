#pragma once

#include "platform/form/runtime.h"
#include "platform/hosts/win32/win32_error_window.h"
#include "platform/picture/picture.h"
#include "platform/runner/form_host.h"
#include "platform/runner/form_runner.h"
#include "platform/runner/monotonic_clock.h"

#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct HWND__;
class RaisedError;

// The program could not start: no window, or no timer. Says why, in the
// system's own words.
class Win32StartFailure : public std::runtime_error {
public:
    explicit Win32StartFailure(std::wstring reason)
        : std::runtime_error("start-up failed")
        , reason_(std::move(reason))
    {
    }
    const std::wstring& reason() const { return reason_; }

private:
    std::wstring reason_;
};

// The form as a native Windows program.
// Supplies:
// - the window: resizable, placed by the system, its client area at the
//   definition's size scaled with the monitor's dpi (per-monitor aware);
// - the drawing area: a child window under the buttons that copies the
//   picture's own memory to the screen one to one, the changed box at once;
// - the buttons: owner-drawn push buttons with pink faces, in tab order;
// - the wake-ups: one waitable timer watched by the message loop beside the
//   messages, paced by the frame of the window's monitor;
// - the errors: Win32ErrorWindow.
// - accessibility: the buttons are Windows' own; the drawing area answers as
//   Win32AreaAccessible.
// Leaves out: what Windows does itself: Tab, Space on a button and the
//   accessibility of push buttons come from the dialog manager and the system.
// Limitations: needs Windows 10 version 1607 or later (GetDpiForWindow).
//   During Windows' own modal loops (a move, a resize, a menu) the alarm is
//   looked at once a frame through a timer message, no more often.
class Win32FormHost final : public FormSurface, public WakeUpAlarm {
public:
    explicit Win32FormHost(const ProjectDescription& project, const FormRunner::Decorator& decorate = {});
    ~Win32FormHost() override;
    Win32FormHost(const Win32FormHost&) = delete;
    Win32FormHost& operator=(const Win32FormHost&) = delete;

    // Starts the form and runs the message loop until the window is closed.
    int run();
    // How often the message loop woke, and what it drew, for measuring.
    long wakeUps() const { return wakeUps_; }
    const Picture& picture() const { return picture_; }
    HWND__* window() const { return form_; }

    void show() override;
    void showChanges(const InclusiveBox& box) override;
    FramePacing pacing() const override;

    void arm(std::optional<MonotonicClock::TimePoint> when) override;

    // What was thrown inside a window procedure goes to the error path.
    void escaped(std::exception_ptr thrown);

    // The window procedures' work, by the message's own types.
    std::intptr_t formMessage(HWND__* window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
    std::intptr_t areaMessage(HWND__* window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

private:
    void createControls();
    void layOut();
    void sized();
    void paintArea();
    void drawButton(const void* item);
    void areaClick();
    void lookUpRefreshRate();
    void modalLoop(bool entered);
    void reportQuietly(const RaisedError& error) noexcept;
    // Of the button with this control id, in tab order; -1 for none of ours.
    int buttonIndex(unsigned id) const;
    HWND__* firstInTabOrder() const;

    struct NamedButton {
        std::string_view name;
        HWND__* window;
    };

    SteadyClock clock_;
    Picture picture_;
    HWND__* form_ = nullptr;
    HWND__* area_ = nullptr;
    HWND__* lastFocus_ = nullptr;
    void* monitor_ = nullptr;
    unsigned refreshRate_ = 0;
    bool areaFocused_ = false;
    bool comStarted_ = false;
    Win32ErrorWindow errors_;
    FormRunner runner_;
    std::vector<NamedButton> buttons_;
    void* timer_ = nullptr;
    void* font_ = nullptr;
    double ratio_ = 1;
    AreaPress press_;
    long wakeUps_ = 0;
};

#pragma once

#include "platform/form/project_description.h"
#include "platform/hosts/win32/win32_error_display.h"
#include "platform/hosts/win32/win32_form_window.h"
#include "platform/picture/picture.h"
#include "platform/runner/form_runner.h"
#include "platform/runner/monotonic_clock.h"

// The form as a native Windows program, its parts put together:
// - the window: Win32FormWindow, with its Win32Buttons (owner-drawn, pink),
//   its Win32DrawingArea (the picture one to one, the changed box at once)
//   and its Win32Alarm (a waitable timer paced by the monitor's frames);
// - the errors: Win32ErrorDisplay, one window beside the form;
// - the entry: win32_entry.cpp, which says in a message box why it could
//   not start;
// - run(), the message loop, which waits on the alarm beside the messages.
// Leaves out: what Windows does itself: Tab, Space on a button and the
//   accessibility of push buttons come from the dialog manager and the system.
// Limitations: needs Windows 10 version 1607 or later (GetDpiForWindow).
//   During Windows' own modal loops (a move, a resize, a menu) the alarm is
//   looked at once a frame through a timer message, no more often.
class Win32FormHost {
public:
    // Throws Win32StartFailure where the window or its timer cannot be made.
    explicit Win32FormHost(const ProjectDescription& project, HostProbe* probe = nullptr);

    // Starts the form and runs the message loop until the window is closed.
    int run();
    const Picture& picture() const { return picture_; }
    Win32FormWindow& window() { return window_; }

private:
    void wake();

    SteadyClock clock_;
    Picture picture_;
    Win32FormWindow window_;
    Win32ErrorDisplay errors_;
    FormRunner runner_;
    HostProbe* probe_;
};

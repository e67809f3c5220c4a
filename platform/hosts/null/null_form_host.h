#pragma once

#include "platform/form/form_layout.h"
#include "platform/form/project_description.h"
#include "platform/hosts/null/null_error_display.h"
#include "platform/hosts/null/null_form_window.h"
#include "platform/picture/picture.h"
#include "platform/runner/form_runner.h"
#include "platform/runner/monotonic_clock.h"

#include <chrono>

// The smallest host that keeps the whole contract of form_host.h, and shows
// nothing: the template a new host is copied from. Its parts are those of
// every host:
// - NullFormWindow, the window (NullWindow with the buttons): where a new
//   host shows the picture and the buttons and passes the platform's input,
//   resizes and escapes to the runner;
// - NullErrorDisplay, the errors, on standard error;
// - this class, the parts put together with a picture, the clock and the
//   runner, and run(), its event loop;
// - null_entry.cpp, the entry.
// Leaves out: a screen and input devices: nothing calls its window's input.
// Limitations: no one can close its window, so its loop ends kShownFor after
//   the start. It waits by sleeping on its HeldAlarm, where a real host waits
//   on its platform's events beside its timer.
class NullFormHost {
public:
    static constexpr std::chrono::seconds kShownFor {1};

    explicit NullFormHost(const ProjectDescription& project);

    // Runs the Load handler, then shows the window and lets the timer tick.
    void start() { runner_.start(); }
    // Starts, then wakes at every wake-up asked for, for kShownFor. Returns
    // the exit status: 0, or 1 where any error reached the default handling.
    int run();

    NullFormWindow& window() { return window_; }
    const Picture& picture() const { return picture_; }

private:
    SteadyClock clock_;
    FormLayout layout_;
    Picture picture_;
    NullFormWindow window_;
    NullErrorDisplay errors_;
    FormRunner runner_;
};

#pragma once

#include "platform/form/project_description.h"
#include "platform/hosts/x11/x11_saver_window.h"
#include "platform/picture/picture.h"
#include "platform/runner/monotonic_clock.h"
#include "platform/runner/saver_runner.h"

#include <X11/Xlib.h>

#include <chrono>

// The program as an XScreenSaver module, its parts put together:
// - the window: X11SaverWindow, in the window it is given, the picture one
//   to one at its size;
// - the errors: UnseenErrorDisplay;
// - SaverRunner, at the change period it was given;
// - the entry: x11_saver_entry.cpp, which reads the arguments and says on
//   standard error why it could not start;
// - run(), its loop: it waits with ppoll on the display's connection and on
//   SIGTERM, SIGINT and SIGHUP (taken through a signalfd), until the alarm.
// Leaves out: input, which XScreenSaver watches; XScreenSaver's frame rate
//   display and its resources (-fps, -install, -visual).
// Limitations: plain Xlib and a true-colour visual; no refresh rate
//   from the display (XRandR is left out): the frames are paced at 60 Hz.
class X11SaverHost {
public:
    // Throws std::runtime_error where the window cannot be drawn into or
    // the signals cannot be watched.
    X11SaverHost(const ProjectDescription& project, Display* display, Window window, std::chrono::seconds changeEvery,
        HostProbe* probe = nullptr);
    ~X11SaverHost();
    X11SaverHost(const X11SaverHost&) = delete;
    X11SaverHost& operator=(const X11SaverHost&) = delete;

    // The window XScreenSaver gives its modules (XSCREENSAVER_WINDOW), or the
    // root window where it names none.
    static Window givenWindow(Display* display);

    // Starts the saver and runs until a signal ends it or its window goes.
    // Returns the exit status.
    int run();
    const Picture& picture() const { return picture_; }

private:
    Display* display_;
    int signals_ = -1;
    SteadyClock clock_;
    Picture picture_;
    X11SaverWindow window_;
    UnseenErrorDisplay errors_;
    SaverRunner saver_;
    HostProbe* probe_;
};

#pragma once

#include "platform/form/project_description.h"
#include "platform/hosts/qt/qt_error_display.h"
#include "platform/hosts/qt/qt_form_window.h"
#include "platform/picture/picture.h"
#include "platform/runner/form_runner.h"

// The desktop host of one form, on Qt 6 Widgets.
// Supplies:
// - the window: QtFormWindow, whose drawing area shows the picture one to
//   one at the screen's device pixels, paced by its screen's refresh rate,
//   with QPushButtons in pink faces in tab order, woken by its QtAlarm (a
//   kernel timer on Linux, Qt's precise timer elsewhere);
// - the errors: QtErrorDisplay, one dialog beside the window;
// - the entry: qt_entry.cpp, which starts Qt and says in one line why it
//   could not.
// Leaves out: what Qt does itself: focus, Tab, Space on a button and the
//   accessibility of the buttons (the drawing area's is in qt_accessibility).
// Limitations: needs Qt 6; the wake-ups are whole milliseconds on the
//   portable timer. Closing the window ends the event loop with status 0.
// Creating it runs nothing; start() and run() do.
class QtFormHost {
public:
    QtFormHost(const ProjectDescription& project, const MonotonicClock& clock, HostProbe* probe = nullptr);

    // Runs the Load handler, then shows the window and lets the timer tick.
    void start() { runner_.start(); }
    // Starts, then runs the event loop until the window is closed.
    int run();

    QtFormWindow& window() { return window_; }
    QtErrorDisplay& errors() { return errors_; }
    FormRunner& runner() { return runner_; }
    const Picture& picture() const { return picture_; }

private:
    Picture picture_;
    QtFormWindow window_;
    QtErrorDisplay errors_;
    FormRunner runner_;
};

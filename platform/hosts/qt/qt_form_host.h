#pragma once

#include "platform/runner/form_runner.h"
#include "platform/picture/picture.h"
#include "platform/hosts/qt/qt_alarm.h"
#include "platform/hosts/qt/qt_error_dialog.h"
#include "platform/hosts/qt/qt_form_window.h"
#include "platform/form/runtime.h"

// The desktop host of one form, on Qt 6 Widgets.
// Supplies:
// - the surface: QtFormWindow, whose drawing area shows the picture one to
//   one at the screen's device pixels, paced by its screen's refresh rate;
// - the buttons: QPushButtons with pink faces, in tab order;
// - the wake-ups: QtAlarm, a kernel timer on Linux, Qt's precise timer elsewhere;
// - the errors: QtErrorDialog.
// Leaves out: what Qt does itself: focus, Tab, Space on a button and the
//   accessibility of the buttons (the drawing area's is in qt_accessibility).
// Limitations: needs Qt 6; the wake-ups are whole milliseconds on the
//   portable timer. Closing the window ends the event loop with status 0.
// Creating it runs nothing; start() and run() do.
class QtFormHost {
public:
    QtFormHost(const ProjectDescription& project, const MonotonicClock& clock, const FormRunner::Decorator& decorate = {});

    // Runs the Load handler, then shows the window and lets the timer tick.
    void start() { runner_.start(); }
    // Starts, then runs the event loop until the window is closed.
    int run();

    QtFormWindow& window() { return window_; }
    QtAlarm& alarm() { return alarm_; }
    QtErrorDialog& errors() { return errors_; }
    FormRunner& runner() { return runner_; }
    const Picture& picture() const { return picture_; }

private:
    Picture picture_;
    QtFormWindow window_;
    QtErrorDialog errors_;
    QtAlarm alarm_;
    FormRunner runner_;
};

#pragma once

#include "platform/form_runner.h"
#include "platform/picture.h"
#include "platform/qt/qt_alarm.h"
#include "platform/qt/qt_error_dialog.h"
#include "platform/qt/qt_form_window.h"
#include "platform/runtime.h"

// The desktop host of one form: a Qt window that shows the picture, its
// buttons, an alarm watched by Qt's event loop and the error dialog, with a
// FormRunner over them that runs the form's code. It forwards clicks, keys,
// resizes and changes of frame to the runner. Closing the window ends the
// event loop with status 0. Creating it runs nothing; start() and run() do.
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

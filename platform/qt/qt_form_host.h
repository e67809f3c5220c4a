#pragma once

#include "platform/event_dispatcher.h"
#include "platform/mersenne_sequence.h"
#include "platform/qt/qt_cadence_timer.h"
#include "platform/qt/qt_error_dialog.h"
#include "platform/qt/qt_form_window.h"
#include "platform/runtime.h"

#include <memory>

// One running form on the desktop: builds the window and timer from the
// project's start-up form, attaches the form's code through its wiring table,
// and routes clicks and ticks to it one at a time. Errors that leave a handler
// go to the error dialog. Creating it runs nothing; load() and start() do.
class QtFormHost {
public:
    // windowOperations, where given, stands between the form's code and the
    // window (to observe or fail its calls); by default the code calls the
    // window directly.
    explicit QtFormHost(const ProjectDescription& project, WindowOperations* windowOperations = nullptr);

    // Runs the Load handler, then shows the window and lets the timer tick.
    void start();

    QtFormWindow& window() { return *window_; }
    QtCadenceTimer& timer() { return timer_; }
    QtErrorDialog& errors() { return errors_; }
    EventDispatcher& dispatcher() { return dispatcher_; }

private:
    const FormDefinition& definition_;
    std::unique_ptr<QtFormWindow> window_;
    QtErrorDialog errors_;
    EventDispatcher dispatcher_;
    MersenneSequence rnd_;
    std::function<void()> tickHandler_;
    QtCadenceTimer timer_;
    FormWindow formWindow_;
    FormTimer formTimer_;
};

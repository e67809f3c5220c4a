#pragma once

#include "platform/form_session.h"
#include "platform/mersenne_sequence.h"
#include "platform/monotonic_clock.h"
#include "platform/qt/qt_cadence_timer.h"
#include "platform/qt/qt_error_dialog.h"
#include "platform/qt/qt_form_window.h"
#include "platform/runtime.h"

#include <memory>

// The desktop host of one form: builds its window and timer from the project's
// start-up form, opens a session of the form's code on them, and forwards
// clicks and ticks to it. The timer wakes at most once per frame of the
// window's screen, and 25 times a second (CadenceTimer::kLongestWake) while none
// of the window can be seen; each wake-up, and each click, brings the screen up
// to date once. Every tick that fell due before a click is delivered before
// the click's handler runs. Errors that leave a handler go to the error
// dialog; closing the window ends the event loop with status 0. Creating it
// runs nothing; start() and run() do.
class QtFormHost {
public:
    // windowOperations, where given, stands between the form's code and the
    // window (to observe or fail its calls); by default the code calls the
    // window directly.
    QtFormHost(const ProjectDescription& project, const MonotonicClock& clock, WindowOperations* windowOperations = nullptr);

    // Runs the Load handler, then shows the window and lets the timer tick.
    void start();
    // Starts, then runs the event loop until the window is closed.
    int run();

    QtFormWindow& window() { return window_; }
    QtCadenceTimer& timer() { return timer_; }
    QtErrorDialog& errors() { return errors_; }
    FormSession& session() { return *session_; }

private:
    void paceTicks();
    void click(std::string_view source);

    QtFormWindow window_;
    QtErrorDialog errors_;
    MersenneSequence rnd_;
    QtCadenceTimer timer_;
    const std::unique_ptr<FormSession> session_;
};

#pragma once

#include "platform/form/project_description.h"
#include "platform/hosts/null/null_error_display.h"
#include "platform/hosts/null/null_form_window.h"
#include "platform/picture/picture.h"
#include "platform/runner/held_alarm.h"
#include "platform/runner/saver_runner.h"

#include <chrono>
#include <string>
#include <vector>

// The null host as a screen saver: the smallest saver host, the template a
// new one is copied from, and where SaverRunner's own tests run. Its parts are
// those of every saver host:
// - the window: NullFormWindow, which shows no buttons anyway, over a screen
//   of the form's size at kNoDensity;
// - the errors: NullErrorDisplay, a log line each (a real saver shows them to
//   no one: UnseenErrorDisplay);
// - this class, the parts put together with SaverRunner at the change period
//   given, and run(), its loop.
// Leaves out: input that ends the saver (StillPointer and any key or button,
//   on a host with input devices) and settings (its owner gives the period).
// Limitations: as NullFormHost's, no one ends it: its loop ends at a time it
//   is given, and with a clock moved by hand its owner rings alarm() itself.
class NullSaverHost {
public:
    NullSaverHost(const ProjectDescription& project, const MonotonicClock& clock, std::chrono::seconds changeEvery,
        const FormRunner::Decorator& decorate = {});

    void start() { saver_.start(); }
    // Starts, then wakes at every wake-up asked for until `until`. Returns the
    // exit status: 0, or 1 where any error reached the default handling.
    int run(MonotonicClock::TimePoint until);

    HeldAlarm& alarm() { return window_.alarm(); }
    SaverRunner& saver() { return saver_; }
    const Picture& picture() const { return picture_; }
    NullErrorDisplay& errors() { return errors_; }

private:
    const MonotonicClock& clock_;
    std::vector<std::string> log_;
    Picture picture_;
    NullFormWindow window_ {log_};
    NullErrorDisplay errors_ {log_};
    SaverRunner saver_;
};

#pragma once

#include "platform/form/project_description.h"
#include "platform/hosts/null/null_error_display.h"
#include "platform/hosts/null/null_form_window.h"
#include "platform/picture/picture.h"
#include "platform/runner/form_host.h"
#include "platform/runner/form_runner.h"

#include <string>
#include <string_view>
#include <vector>

// The smallest host that keeps the whole contract of form_host.h, and shows
// nothing: the template a new host is copied from, and the host FormRunner's
// own tests run on. Its parts are those of every host:
// - NullFormWindow, the window: a log of what it was asked to show, the
//   pacing it is told, one pending wake-up;
// - NullErrorDisplay, the errors: a line in the same log for each;
// - this class, the parts put together with a picture at kNoDensity and the
//   clock it is given, and run(), its event loop;
// - null_entry.cpp, the entry.
// Leaves out: buttons (click() stands in for them), a screen and input devices.
// Limitations: no one can close its window, so its loop ends at a time it is
//   given, or when no wake-up is to come. It waits by sleeping, so run() is for
//   a clock that moves by itself; with a clock moved by hand, the owner moves
//   it and calls wakeIfDue(), as an event loop would.
class NullFormHost {
public:
    NullFormHost(const ProjectDescription& project, const MonotonicClock& clock, const FormRunner::Decorator& decorate = {});

    // Runs the Load handler, then shows the window and lets the timer tick.
    void start() { runner_.start(); }
    // Starts, then wakes at every wake-up asked for until `until`. Returns the
    // exit status: 0, or 1 where any error reached the default handling.
    int run(MonotonicClock::TimePoint until);
    // Rings the alarm if its time has come; returns whether it rang.
    bool wakeIfDue();
    void click(std::string_view button) { runner_.click(button); }
    void clickArea() { runner_.clickArea(); }
    void setPacing(FramePacing pacing);
    void setDensity(double devicePixelRatio);

    FormRunner& runner() { return runner_; }
    const Picture& picture() const { return picture_; }
    NullErrorDisplay& errors() { return errors_; }
    HeldAlarm& alarm() { return window_.alarm(); }
    const HeldAlarm& alarm() const { return window_.alarm(); }
    // Everything the runner asked of its parts, in order: "show", "changes L
    // T R B", "error TEXT"; an owner may note its own lines between.
    const std::vector<std::string>& log() const { return log_; }
    void note(std::string line) { log_.push_back(std::move(line)); }

private:
    const MonotonicClock& clock_;
    std::vector<std::string> log_;
    Picture picture_;
    NullFormWindow window_ {log_};
    NullErrorDisplay errors_ {log_};
    FormRunner runner_;
};

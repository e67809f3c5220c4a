#pragma once

#include "platform/form/pixel_geometry.h"
#include "platform/form/project_description.h"
#include "platform/runner/monotonic_clock.h"
#include "platform/services/error_reporter.h"

#include <chrono>
#include <optional>
#include <span>
#include <string>

// The contract between a host and the way its program runs, in one place. A
// host runs the form (FormRunner) or the screen saver (SaverRunner), or both:
// - null: both, showing nothing: the templates a new host is copied from;
// - qt: the form, on the Linux desktop;
// - web: both, as a page (Tessary.html, and Tessary.html#saver);
// - win32: both, as Windows programs (Tessary.exe, Tessary.scr);
// - x11: the screen saver, as an XScreenSaver module.
// (The trace driver runs the form's code on the services recorded, in
// tools/recording/: no host, and no runner.)
//
// Every form host has the same four parts, named after it:
// - <Host>FormWindow, a HostWindow: its window, which shows the picture and
//   the buttons (built from a FormLayout), says how its frames are paced
//   (FramePacing), holds the one pending wake-up on the monotonic clock
//   (WakeUpAlarm), and passes every event of its platform to the runner it
//   is given (reportTo(), a RunnerEvents: runner_events.h says which events
//   and what their answers mean);
// - <Host>ErrorDisplay, an ErrorDisplay: the default error handling, which
//   shows the text of each error, numbered by ErrorDisplay;
// - <Host>FormHost: the picture, those two parts, a MonotonicClock and the
//   FormRunner, put together, the window given the runner; its run() starts
//   the form and runs the platform's event loop until the window is closed;
// - <host>_entry.cpp: the platform's RunProject, the program's entry, which
//   builds a <Host>FormHost and runs it; it is linked into the program alone,
//   so a bench or a test brings an entry of its own, and passes the host a
//   HostProbe where it watches it.
//
// A saver host has the same parts for SaverRunner (its window, the errors as
// UnseenErrorDisplay shows them, <Host>SaverHost, and an entry), and supplies:
// - a window over the screen, or the one its platform gives it, showing the
//   picture and no buttons;
// - the input that ends it, passed to SaverRunner like any other, which
//   answers InputAnswer::Ends for any key, any button, and a move of the
//   pointer its StillPointer takes for a person's; the host then ends as its
//   platform ends a screen saver;
// - its settings: the change period, read where its platform keeps it and
//   kept within SaverRunner::changePeriod().
// It leaves to SaverRunner when the clicks that bring new centres and colours
// come, the waking for them, and which input ends it.
//
// A window without buttons is the host's window as it stands; a form window
// is that window with its buttons added on top (NullFormWindow on NullWindow,
// WebFormWindow on WebWindow, Win32FormWindow and Win32SaverWindow on
// Win32Window). That way the saver's window carries nothing of the form's,
// and what both do alike (on Windows: class registration, dpi, refresh rate,
// the display's changes, the window's end, escapes) is written once, where a
// flag would have left one class doing two jobs.
//
// A host whose own loop waits (no platform timer) holds its wake-up in a
// HeldAlarm. hosts/null/ has the smallest form host and saver host that keep
// all of this, with the places a new host fills marked: a new host starts
// from there.

// How often the window can show something new, as the host says it.
class FramePacing {
public:
    enum class Kind {
        // No part of the window can be seen: wake at CadenceTimer::kLongestWake.
        Unseen,
        // The platform calls back once a frame by itself (a browser's
        // animation frames): wake whenever a tick is due.
        ByThePlatform,
        // A screen that refreshes every period(): wake at most that often.
        EveryPeriod,
    };

    static FramePacing unseen() { return FramePacing(Kind::Unseen, {}); }
    static FramePacing byThePlatform() { return FramePacing(Kind::ByThePlatform, {}); }
    // A screen's refresh rate in hertz; one that does not say (0 or less, or
    // not a number) is taken as kFallbackRefreshRate.
    static FramePacing refreshRate(double hertz);

    Kind kind() const { return kind_; }
    std::chrono::nanoseconds period() const { return period_; }
    bool operator==(const FramePacing&) const = default;

    static constexpr double kFallbackRefreshRate = 60;

private:
    FramePacing(Kind kind, std::chrono::nanoseconds period)
        : kind_(kind)
        , period_(period)
    {
    }

    Kind kind_;
    std::chrono::nanoseconds period_;
};

// The ratio of a host that draws one device pixel per logical pixel.
inline constexpr double kNoDensity = 1;

// What a host's window does for FormRunner. Buttons, input and the picture's
// memory stay the host's own business.
class FormSurface {
public:
    virtual ~FormSurface() = default;

    // Shows the window for the first time, the first control in tab order focused.
    virtual void show() = 0;
    // Puts this logical box of the picture on the screen, now.
    virtual void showChanges(const InclusiveBox& box) = 0;
    virtual FramePacing pacing() const = 0;
};

// A host's way to be woken: one pending wake-up at a time. Arming again
// replaces it; arming with nothing cancels it.
class WakeUpAlarm {
public:
    virtual ~WakeUpAlarm() = default;
    virtual void arm(std::optional<MonotonicClock::TimePoint> when) = 0;
};

// A host's window, as FormRunner sees it: what it shows, and when it wakes.
class HostWindow : public FormSurface, public WakeUpAlarm {};

// The default error handling as every host shows it: the error's text with
// how many have come so far.
class ErrorDisplay : public ErrorReporter {
public:
    void report(const RaisedError& error) final;
    int count() const { return count_; }

protected:
    virtual void showError(const std::string& text) = 0;

private:
    int count_ = 0;
};

// The press of a click on the bare area: only the primary button pressed and
// released there counts, and a press the platform takes back counts for nothing.
class AreaPress {
public:
    void press(bool primary) { pressed_ = primary; }
    // Whether this release completes a click on the bare area.
    bool release(bool primary, bool overTheBareArea);
    void cancel() { pressed_ = false; }

private:
    bool pressed_ = false;
};

// The words the program was started with, its own name first, as main() has
// them. Most hosts take none; a host reads them where its platform starts
// programs with some (the desktop's --version and --help, a screen saver's
// window).
using CommandLine = std::span<char* const>;

// The program's entry on this platform: builds the host for the project's
// start-up form and runs it until its window is closed. Returns the process's
// exit status. Each host defines it once, in its <host>_entry.cpp.
int RunProject(const ProjectDescription& project, CommandLine commandLine);

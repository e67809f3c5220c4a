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
// - x11: the screen saver, as an XScreenSaver module;
// - recording: neither, but the services the form's code calls, recorded
//   for the trace driver.
//
// Every form host has the same four parts, named after it:
// - <Host>FormWindow, a HostWindow: its window, which shows the picture and
//   the buttons (built from FormRunner::layout()), takes the input, says how
//   its frames are paced (FramePacing), and holds the one pending wake-up on
//   the monotonic clock (WakeUpAlarm);
// - <Host>ErrorDisplay, an ErrorDisplay: the default error handling, which
//   shows the text of each error, numbered by ErrorDisplay;
// - <Host>FormHost: the picture, those two parts, a MonotonicClock and the
//   FormRunner, put together; its run() starts the form and runs the
//   platform's event loop until the window is closed;
// - <host>_entry.cpp: the platform's RunProject, the program's entry, which
//   builds a <Host>FormHost and runs it; it is linked into the program alone,
//   so a bench or a test brings an entry of its own.
// A host calls FormRunner:
// - start(), once, from run();
// - wake(), when its alarm rings;
// - click(name) for a button, clickArea() for the bare area (AreaPress keeps
//   the press of a mouse click on it, FormLook::areaKey() which keys count);
// - resize() when its client area changes size or density (a host without a
//   density of its own passes kNoDensity);
// - pacingChanged() when its screen, refresh rate or visibility changes.
//
// A saver host has the same parts for SaverRunner (its window, the errors as
// UnseenErrorDisplay shows them, <Host>SaverHost, and an entry), and supplies:
// - a window over the screen, or the one its platform gives it, showing the
//   picture and no buttons;
// - the input that ends it: any key, any button, and a move of the pointer
//   that StillPointer takes for a person's; it then ends as its platform ends
//   a screen saver;
// - its settings: the change period, read where its platform keeps it and
//   kept within SaverRunner::changePeriod().
// It calls SaverRunner's start() and wake(), and FormRunner's resize(),
// pacingChanged() and escaped() through SaverRunner::runner(); it leaves to
// SaverRunner when the clicks that bring new centres and colours come, and
// the waking for them.
//
// A host whose own loop waits (no platform timer) holds its wake-up in a
// HeldAlarm. hosts/null/ has the smallest form host and saver host that keep
// all of this: a new host starts from there.

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

#pragma once

#include "platform/error_reporter.h"
#include "platform/form_runner.h"
#include "platform/form_surface.h"
#include "platform/monotonic_clock.h"
#include "platform/picture.h"
#include "platform/runtime.h"
#include "platform/wake_up_alarm.h"

#include <optional>
#include <string>

// The browser's clock: performance.now(), which never goes back.
class BrowserClock final : public MonotonicClock {
public:
    TimePoint now() const override;
};

// The page as a host of one form. It supplies:
// - the surface: a canvas at the screen's device pixels that shows the
//   picture one to one, the changed box put on it once a frame;
// - the buttons, as <button> elements at their place, built from the layout;
// - the wake-ups: the browser's animation frames, asked for only while the
//   timer has a tick to come;
// - the errors: one panel beside the drawing area, announced, with a count.
// It leaves out everything the browser does itself: focus, tab order and the
// accessibility tree follow from the page's elements.
class WebFormHost final : public FormSurface, public WakeUpAlarm, public ErrorReporter {
public:
    WebFormHost(const ProjectDescription& project, const FormRunner::Decorator& decorate = {});

    void start() { runner_.start(); }
    // An animation frame came: wakes the runner if its time has come.
    void animationFrame();
    void input(const std::string& source) { runner_.input(source); }
    void areaInput() { runner_.areaInput(); }
    // The page was hidden or shown again.
    void visibilityChanged() { runner_.frameChanged(); }
    // The screen's density changed, by a move or a zoom.
    void densityChanged(double devicePixelRatio);

    const Picture& picture() const { return picture_; }

    void show() override;
    void showChanges(const PixelBox& box) override;
    std::optional<std::chrono::nanoseconds> frame() const override;

    void arm(std::optional<MonotonicClock::TimePoint> when) override;

    void report(const RaisedError& error) override;

private:
    void putOnCanvas(const PixelBox& device);

    BrowserClock clock_;
    Picture picture_;
    FormRunner runner_;
    std::optional<MonotonicClock::TimePoint> wakeAt_;
    int errors_ = 0;
};

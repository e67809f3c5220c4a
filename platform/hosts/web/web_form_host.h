#pragma once

#include "platform/form/runtime.h"
#include "platform/picture/picture.h"
#include "platform/runner/form_host.h"
#include "platform/runner/form_runner.h"

#include <optional>
#include <string>

// The browser's clock: performance.now(), which never goes back.
class BrowserClock final : public MonotonicClock {
public:
    TimePoint now() const override;
};

// The page as a host of one form.
// Supplies:
// - the surface: a canvas at the device pixels the browser gives its box
//   (where the engine tells them; else its size times the density), that
//   shows the picture one to one, the changed box put on it once a frame;
// - the buttons, as <button> elements at their place, built from the layout;
// - the wake-ups: a plain timer until a frame before the next tick is due,
//   then the browser's animation frames; neither while no tick is to come;
// - the errors: one panel beside the drawing area, announced, with a count.
// Leaves out: focus, tab order and the accessibility tree, which the browser
//   makes from the page's elements.
// Limitations: a hidden tab gets no animation frames, so its ticks are dropped
//   but for the last catch-up burst when it is shown again.
class WebFormHost final : public FormSurface, public WakeUpAlarm, public ErrorDisplay {
public:
    WebFormHost(const ProjectDescription& project, const FormRunner::Decorator& decorate = {});

    void start() { runner_.start(); }
    // An animation frame came: wakes the runner if its time has come.
    void animationFrame();
    void click(const std::string& source) { runner_.click(source); }
    void areaClick() { runner_.clickArea(); }
    void areaPress(bool primary) { press_.press(primary); }
    void areaRelease(bool primary, bool overTheBareArea);
    // The browser took the pointer back (a scroll, a system gesture).
    void areaPressCancelled() { press_.cancel(); }
    // The page was hidden or shown again.
    void visibilityChanged() { runner_.pacingChanged(); }
    // The area's box has this many device pixels at this density: at the
    // start, and after a move to another screen or a zoom.
    void areaSized(double devicePixelRatio, int deviceWidth, int deviceHeight);

    const Picture& picture() const { return picture_; }

    void show() override;
    void showChanges(const InclusiveBox& box) override;
    FramePacing pacing() const override;

    void arm(std::optional<MonotonicClock::TimePoint> when) override;

protected:
    void showError(const std::string& text) override;

private:
    void requestFrameBeforeDue();

    BrowserClock clock_;
    Picture picture_;
    FormRunner runner_;
    AreaPress press_;
    std::optional<MonotonicClock::TimePoint> wakeAt_;
    int canvasWidth_ = 0;
    int canvasHeight_ = 0;
};

#pragma once

#include "platform/picture/picture.h"
#include "platform/runner/form_host.h"
#include "platform/runner/runner_events.h"

#include <cstdint>
#include <optional>
#include <vector>

// The browser's clock: performance.now(), which never goes back.
class BrowserClock final : public MonotonicClock {
public:
    TimePoint now() const override;
};

// The page's window without buttons, as the screen saver shows it; the
// form's window adds its buttons. Built through the page's script
// (Module.page in shell.html), and the one window the page's calls reach.
// Supplies: a canvas at the device pixels the browser gives its box, that
//   shows the picture one to one, the changed box put on it at once; the
//   wake-ups: a plain timer until a frame before the next tick is due, then
//   the browser's animation frames, neither while no tick is to come; the
//   page's input, passed to the runner, with the press of a click on the
//   area kept (AreaPress) until its release.
// Leaves out: focus, tab order and the accessibility tree, which the browser
//   makes from the page's elements.
// Limitations: a hidden tab gets no animation frames.
class WebWindow : public HostWindow {
public:
    WebWindow(const Picture& picture, const BrowserClock& clock);
    WebWindow(const WebWindow&) = delete;
    WebWindow& operator=(const WebWindow&) = delete;

    // The runner the page's calls go to; until it is given, they are dropped.
    void reportTo(RunnerEvents& runner) { runner_ = &runner; }
    RunnerEvents* runner() const { return runner_; }
    // Starts the runner once the page first says the area's size, rather
    // than at once: a saver's full-screen size comes only after the page's
    // start button.
    void startWhenSized() { startWhenSized_ = true; }

    // An animation frame came: wakes the runner if its time has come.
    void animationFrame();
    // The area's box has this logical (CSS) size, density and device pixels.
    virtual void areaSized(int logicalWidth, int logicalHeight, double devicePixelRatio, int deviceWidth, int deviceHeight);
    void areaPress(bool primary) { press_.press(primary); }
    InputAnswer areaRelease(bool primary, bool overTheBareArea);
    // The browser took the pointer back (a scroll, a system gesture).
    void areaPressCancelled() { press_.cancel(); }

    void show() override;
    void showChanges(const InclusiveBox& box) override;
    FramePacing pacing() const override;
    void arm(std::optional<MonotonicClock::TimePoint> when) override;

private:
    void requestFrameBeforeDue();

    const Picture& picture_;
    const BrowserClock& clock_;
    // The canvas's pixels in its own byte order (red, green, blue, alpha),
    // one buffer for each canvas size, which the page shows through one image
    // over it.
    std::vector<std::uint32_t> canvasPixels_;
    RunnerEvents* runner_ = nullptr;
    AreaPress press_;
    bool startWhenSized_ = false;
    std::optional<MonotonicClock::TimePoint> wakeAt_;
    int canvasWidth_ = 0;
    int canvasHeight_ = 0;
};

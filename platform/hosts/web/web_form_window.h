#pragma once

#include "platform/form/form_definition.h"
#include "platform/picture/picture.h"
#include "platform/runner/form_host.h"

#include <functional>
#include <cstdint>
#include <optional>
#include <vector>

// The browser's clock: performance.now(), which never goes back.
class BrowserClock final : public MonotonicClock {
public:
    TimePoint now() const override;
};

// The page's window: the form as elements of the page, built through the
// page's script (Module.page in shell.html).
// Supplies: a canvas at the device pixels the browser gives its box, that
//   shows the picture one to one, the changed box put on it at once; the
//   buttons as <button> elements at their place, in tab order, in the look
//   of FormLook; the wake-ups: a plain timer until a frame before the next
//   tick is due, then the browser's animation frames, neither while no tick
//   is to come.
// Leaves out: focus, tab order and the accessibility tree, which the browser
//   makes from the page's elements.
// Limitations: a hidden tab gets no animation frames.
class WebFormWindow final : public HostWindow {
public:
    // Without buttons, as a screen saver shows the drawing area alone.
    enum class Buttons { Shown, None };

    WebFormWindow(const FormDefinition& definition, const Picture& picture, const BrowserClock& clock,
        Buttons buttons = Buttons::Shown);

    // The wake-up it was armed for has come.
    void onAlarm(std::function<void()> listener) { alarmListener_ = std::move(listener); }
    // An animation frame came: rings the alarm if its time has come.
    void animationFrame();

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
    std::function<void()> alarmListener_;
    std::optional<MonotonicClock::TimePoint> wakeAt_;
    int canvasWidth_ = 0;
    int canvasHeight_ = 0;
};

#pragma once

#include "platform/form/form_look.h"
#include "platform/picture/picture.h"
#include "platform/runner/form_host.h"
#include "platform/runner/held_alarm.h"
#include "platform/runner/runner_events.h"

#include <exception>
#include <optional>

// The null host's window without buttons: the screen saver's window, and what
// its form window builds on. It shows nothing; each place a new host fills is
// marked. The platform's events, which nothing sends here, reach the runner
// through the functions below, as a real window's event handlers would call
// them; a saver host ends where an answer says Ends (the null host has no
// platform to end, and leaves that to its owner).
class NullWindow : public HostWindow {
public:
    // Its client area, in logical pixels: a real window takes what the
    // platform gives it.
    NullWindow(const Picture& picture, int logicalWidth, int logicalHeight);

    // The runner the events go to; until it is given, they are dropped.
    void reportTo(RunnerEvents& runner) { runner_ = &runner; }
    HeldAlarm& alarm() { return alarm_; }

    // The client area's size or density changed, or is first known.
    void sized();
    // A key on the area.
    InputAnswer keyPressed(FormLook::Key key, bool modified, bool repeated);
    // A completed click on the bare area: AreaPress keeps a mouse's press
    // until its release. A saver host passes a press of any button.
    InputAnswer areaClicked();
    // The pointer moved, to here on the screen (logical pixels).
    InputAnswer pointerMoved(double logicalX, double logicalY);
    // Something was thrown in a platform callback, which must not reach the
    // platform's loop.
    void escaped(std::exception_ptr thrown);

    // Here a real window shows itself, the first control in tab order focused.
    void show() override {}
    // Here it puts the picture's device pixels of picture().deviceBox(box) on
    // the screen, at once.
    void showChanges(const InclusiveBox&) override {}
    // Here it says its screen's refresh rate, or unseen while hidden.
    FramePacing pacing() const override { return FramePacing::refreshRate(FramePacing::kFallbackRefreshRate); }
    // A host whose platform has timers arms one here; the null host's loop
    // waits for the held alarm.
    void arm(std::optional<MonotonicClock::TimePoint> when) override { alarm_.arm(when); }

protected:
    RunnerEvents* runner() const { return runner_; }
    const Picture& picture() const { return picture_; }

private:
    const Picture& picture_;
    int logicalWidth_;
    int logicalHeight_;
    RunnerEvents* runner_ = nullptr;
    HeldAlarm alarm_;
};

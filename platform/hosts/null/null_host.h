#pragma once

#include "platform/form/runtime.h"
#include "platform/picture/picture.h"
#include "platform/runner/form_host.h"
#include "platform/runner/form_runner.h"

#include <optional>
#include <string>
#include <vector>

// The smallest host that keeps the whole contract of form_host.h, and shows
// nothing: the template a new host is copied from, and the host FormRunner's
// own tests run on.
// Supplies:
// - the surface: notes that it was shown and each box it was asked to show,
//   and reports the pacing it is told;
// - the alarm: holds its one wake-up until its owner calls wakeIfDue();
// - the errors: keeps each text, numbered by ErrorDisplay;
// - the clock it is given, and a picture at kNoDensity.
// Leaves out: buttons (click() stands in for them), a screen, input devices,
//   and a RunProject of its own (a real host adds one, as hosts/qt/runtime.cpp).
// Limitations: nothing wakes it by itself: its owner moves the clock and
//   calls wakeIfDue(), as an event loop would.
class NullHost final : public FormSurface, public WakeUpAlarm, public ErrorDisplay {
public:
    NullHost(const ProjectDescription& project, const MonotonicClock& clock, const FormRunner::Decorator& decorate = {});

    void start() { runner_.start(); }
    // Rings the alarm if its time has come; returns whether it rang.
    bool wakeIfDue();
    void click(std::string_view button) { runner_.click(button); }
    void clickArea() { runner_.clickArea(); }
    void setPacing(FramePacing pacing);
    void setDensity(double devicePixelRatio);

    FormRunner& runner() { return runner_; }
    const Picture& picture() const { return picture_; }
    // Everything the runner asked of it, in order: "show", "changes L T R B"
    // (a logical box), "error TEXT"; an owner may note its own lines between.
    const std::vector<std::string>& log() const { return log_; }
    void note(std::string line) { log_.push_back(std::move(line)); }
    std::optional<MonotonicClock::TimePoint> alarm() const { return alarm_; }

    void show() override;
    void showChanges(const InclusiveBox& box) override;
    FramePacing pacing() const override { return pacing_; }

    void arm(std::optional<MonotonicClock::TimePoint> when) override { alarm_ = when; }

private:
    void showError(const std::string& text) override;

    const MonotonicClock& clock_;
    Picture picture_;
    FramePacing pacing_ = FramePacing::refreshRate(FramePacing::kFallbackRefreshRate);
    std::optional<MonotonicClock::TimePoint> alarm_;
    std::vector<std::string> log_;
    FormRunner runner_;
};

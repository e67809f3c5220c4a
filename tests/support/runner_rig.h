#pragma once

#include "platform/form/form_layout.h"
#include "platform/form/project_description.h"
#include "platform/picture/picture.h"
#include "platform/runner/form_host.h"
#include "platform/runner/form_runner.h"
#include "platform/runner/held_alarm.h"
#include "platform/runner/host_probe.h"
#include "tests/support/manual_clock.h"

#include <string>
#include <utility>
#include <vector>

// Where the runners' own tests run: a window and an error display that note in
// one log what the runner asked of them, the pacing a test sets, the one
// pending wake-up held for the test's loop (ManualLoop) to ring, on a clock
// the test moves. Runner is FormRunner or SaverRunner; extra are what the
// runner takes after its host's parts (a saver's change period).
template <class Runner>
class RunnerRig {
public:
    template <class... Extra>
    RunnerRig(const ProjectDescription& project, ManualClock& clock, HostProbe* probe, Extra... extra)
        : project_(project)
        , clock_(clock)
        , picture_(*project.startupForm)
        , runner_(project, picture_, {window_, errors_, clock, probe}, extra...)
    {
        setDensity(kNoDensity);
    }

    Runner& runner() { return runner_; }
    const Picture& picture() const { return picture_; }
    const ErrorDisplay& errors() const { return errors_; }
    HeldAlarm& alarm() { return window_.alarm; }
    const HeldAlarm& alarm() const { return window_.alarm; }
    // How often the runner has armed the alarm: each is a system call to a real host.
    int armings() const { return window_.armings; }

    // The window's screen, refresh rate or visibility changed.
    void setPacing(FramePacing pacing)
    {
        window_.pacing_ = pacing;
        runner_.pacingChanged();
    }
    // The window at the form's own size, at another density.
    void setDensity(double devicePixelRatio)
    {
        const FormLayout layout(*project_.startupForm);
        runner_.resize(layout.clientWidth(), layout.clientHeight(), devicePixelRatio);
    }
    // Rings the alarm if its time has come, as an event loop would; returns whether it rang.
    bool wakeIfDue() { return window_.alarm.ringIfDue(clock_.now(), [this] { runner_.wake(); }); }

    // Everything the runner asked of its parts, in order: "show", "changes L
    // T R B", "error TEXT"; a test may note its own lines between.
    const std::vector<std::string>& log() const { return log_; }
    void note(std::string line) { log_.push_back(std::move(line)); }

private:
    struct Window final : HostWindow {
        explicit Window(std::vector<std::string>& log)
            : log_(log)
        {
        }
        void show() override { log_.emplace_back("show"); }
        void showChanges(const InclusiveBox& box) override
        {
            log_.push_back("changes " + std::to_string(box.left) + " " + std::to_string(box.top) + " "
                + std::to_string(box.right) + " " + std::to_string(box.bottom));
        }
        FramePacing pacing() const override { return pacing_; }
        void arm(std::optional<MonotonicClock::TimePoint> when) override
        {
            ++armings;
            alarm.arm(when);
        }

        std::vector<std::string>& log_;
        FramePacing pacing_ = FramePacing::refreshRate(FramePacing::kFallbackRefreshRate);
        HeldAlarm alarm;
        int armings = 0;
    };
    struct Errors final : ErrorDisplay {
        explicit Errors(std::vector<std::string>& log)
            : log_(log)
        {
        }
        void showError(const std::string& text) override { log_.push_back("error " + text); }
        std::vector<std::string>& log_;
    };

    const ProjectDescription& project_;
    const ManualClock& clock_;
    std::vector<std::string> log_;
    Picture picture_;
    Window window_ {log_};
    Errors errors_ {log_};
    Runner runner_;
};

#pragma once

#include "platform/form/project_description.h"
#include "platform/picture/picture.h"
#include "platform/runner/form_host.h"
#include "platform/runner/form_runner.h"
#include "platform/runner/runner_events.h"
#include "platform/runner/still_pointer.h"

#include <chrono>
#include <optional>
#include <string>

// A screen saver's error display: the errors are counted and shown to no one,
// and the rings go on.
class UnseenErrorDisplay final : public ErrorDisplay {
private:
    void showError(const std::string&) override {}
};

// The program run as a screen saver: the same FormRunner, picture, pacing and
// random sequence as in its window, with nobody at the buttons. Every change
// period it clicks the project's saver clicks (for Tessary, Move and then
// Color), as a person at the buttons would, so that new centres and colours
// come; between, the ticks go on at the form's interval.
// Responsible for when the clicks come, for waking its host for them as well
// as for the ticks, and for saying which input ends the saver: any key, any
// button, and a move its StillPointer takes for a person's. Not responsible
// for the screen, for ending, or for settings: its host gives it a window that
// covers the screen and shows no buttons, an error display that shows nothing
// (no window stands over a screen saver), and the change period it read, and
// ends as its platform ends a saver when an input's answer says so.
class SaverRunner final : public RunnerEvents {
public:
    // The change period a user may set, in whole seconds.
    static constexpr std::chrono::seconds kShortestChange {1};
    static constexpr std::chrono::seconds kLongestChange {60};
    static constexpr std::chrono::seconds kDefaultChange {5};
    // Any number of seconds a setting held, kept within what a user may set.
    static std::chrono::seconds changePeriod(long long seconds);

    SaverRunner(const ProjectDescription& project, Picture& picture, FormRunner::Host host, std::chrono::seconds changeEvery);
    SaverRunner(const SaverRunner&) = delete;
    SaverRunner& operator=(const SaverRunner&) = delete;

    // Runs the Load handler, shows the window and lets the timer tick; the
    // first change comes one period from now.
    void start() override;
    // The host's alarm rang: the clicks, if their time has come, then every
    // tick due by now.
    void wake() override;
    void resize(int logicalWidth, int logicalHeight, double devicePixelRatio) override
    {
        runner_.resize(logicalWidth, logicalHeight, devicePixelRatio);
    }
    void resize(int logicalWidth, int logicalHeight, double devicePixelRatio, int deviceWidth, int deviceHeight) override
    {
        runner_.resize(logicalWidth, logicalHeight, devicePixelRatio, deviceWidth, deviceHeight);
    }
    void pacingChanged() override { runner_.pacingChanged(); }
    void escaped(std::exception_ptr thrown) noexcept override { runner_.escaped(thrown); }
    InputAnswer click(std::string_view) override { return InputAnswer::Ends; }
    InputAnswer clickArea() override { return InputAnswer::Ends; }
    InputAnswer areaKey(FormLook::Key, bool, bool) override { return InputAnswer::Ends; }
    // The first position told is where the pointer rests.
    InputAnswer pointerMoved(double logicalX, double logicalY) override
    {
        return pointer_.movedAway(logicalX, logicalY) ? InputAnswer::Ends : InputAnswer::PassedOn;
    }

private:
    // The host's window, with the alarm armed for the sooner of the form's
    // next wake-up and the next change.
    class Window final : public HostWindow {
    public:
        Window(HostWindow& host, const std::optional<MonotonicClock::TimePoint>& nextChange);
        void show() override { host_.show(); }
        void showChanges(const InclusiveBox& box) override { host_.showChanges(box); }
        FramePacing pacing() const override { return host_.pacing(); }
        void arm(std::optional<MonotonicClock::TimePoint> when) override;
        // Arms the host again for what is due next.
        void rearm() { arm(formWake_); }
        const std::optional<MonotonicClock::TimePoint>& formWake() const { return formWake_; }

    private:
        HostWindow& host_;
        const std::optional<MonotonicClock::TimePoint>& nextChange_;
        std::optional<MonotonicClock::TimePoint> formWake_;
    };

    const ProjectDescription& project_;
    const MonotonicClock& clock_;
    const std::chrono::seconds changeEvery_;
    std::optional<MonotonicClock::TimePoint> nextChange_;
    Window window_;
    FormRunner runner_;
    StillPointer pointer_;
};

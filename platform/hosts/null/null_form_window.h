#pragma once

#include "platform/runner/form_host.h"
#include "platform/runner/held_alarm.h"

#include <optional>
#include <string>
#include <vector>

// The null host's window: shows nothing, and notes what it is asked to show.
// Supplies: a log line "show" when shown and "changes L T R B" (a logical
//   box) for each box put on the screen; the pacing it is told; one pending
//   wake-up, held until its owner asks for it.
// Leaves out: a screen, buttons and input devices.
// Limitations: its alarm rings only when its owner says so.
class NullFormWindow final : public HostWindow {
public:
    explicit NullFormWindow(std::vector<std::string>& log)
        : log_(log)
    {
    }

    void setPacing(FramePacing pacing) { pacing_ = pacing; }
    HeldAlarm& alarm() { return alarm_; }
    const HeldAlarm& alarm() const { return alarm_; }

    void show() override;
    void showChanges(const InclusiveBox& box) override;
    FramePacing pacing() const override { return pacing_; }
    void arm(std::optional<MonotonicClock::TimePoint> when) override { alarm_.arm(when); }

private:
    std::vector<std::string>& log_;
    FramePacing pacing_ = FramePacing::refreshRate(FramePacing::kFallbackRefreshRate);
    HeldAlarm alarm_;
};

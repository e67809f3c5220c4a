#pragma once

#include "bench/ring_counting_window.h"
#include "platform/runner/host_probe.h"

#include <memory>

// What the bench watches of every host it measures: the rings the form's
// code draws, counted on their way to the window (RingCountingWindow), and
// how often the host's own loop woke.
class RingProbe final : public HostProbe {
public:
    std::unique_ptr<WindowOperations> wrap(WindowOperations& target) override
    {
        auto made = std::make_unique<RingCountingWindow>(target);
        window_ = made.get();
        return made;
    }
    void wokeUp() override { ++wakeUps_; }

    RingCountingWindow& window() { return *window_; }
    long rings() const { return window_ ? window_->rings() : 0; }
    long wakeUps() const { return wakeUps_; }

private:
    RingCountingWindow* window_ = nullptr;
    long wakeUps_ = 0;
};

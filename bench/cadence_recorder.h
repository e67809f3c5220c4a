#pragma once

#include <chrono>

// Watches one run of ticks: how many came, the longest wait between two, and
// how much processor time and memory the process used meanwhile.
class CadenceRecorder {
public:
    CadenceRecorder();

    void tick();

    long ticks() const { return ticks_; }
    double seconds() const;
    double longestGapMs() const { return std::chrono::duration<double, std::milli>(longestGap_).count(); }
    // Processor time used since construction, as a share of one core.
    double cpuShare() const;

    static double peakResidentMb();
    static double processorSeconds();

private:
    using Clock = std::chrono::steady_clock;

    Clock::time_point start_;
    Clock::time_point last_;
    Clock::duration longestGap_ {};
    double cpuAtStart_;
    long ticks_ = 0;
};

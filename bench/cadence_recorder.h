#pragma once

#include <chrono>
#include <vector>

// Watches one run of ticks: how many came, the longest wait between two, the
// delay from when a tick fell due to when it was delivered (the longest, and
// the one that 99 in 100 ticks stay within), and how
// much processor time, how many wake-ups and how much memory the process used
// meanwhile.
class CadenceRecorder {
public:
    using Clock = std::chrono::steady_clock;

    CadenceRecorder();

    void tick();
    void tick(Clock::time_point due);

    long ticks() const { return ticks_; }
    double seconds() const;
    double longestGapMs() const { return std::chrono::duration<double, std::milli>(longestGap_).count(); }
    double longestLatencyMs() const { return std::chrono::duration<double, std::milli>(longestLatency_).count(); }
    double latencyP99Ms() const;
    // Context switches of every thread of the process, voluntary and not, per second.
    double wakeUpsPerSecond() const;
    // Processor time used since construction, as a share of one core.
    double cpuShare() const;

    static double peakResidentMb();
    static double processorSeconds();
    static long contextSwitches();

private:
    Clock::time_point start_;
    Clock::time_point last_;
    Clock::duration longestGap_ {};
    Clock::duration longestLatency_ {};
    mutable std::vector<Clock::duration> latencies_;
    double cpuAtStart_;
    long switchesAtStart_;
    long ticks_ = 0;
};

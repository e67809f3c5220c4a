#include "bench/cadence_recorder.h"

#include <sys/resource.h>
#include <time.h>

namespace {
constexpr double kKbPerMb = 1024.0;
constexpr double kNano = 1e-9;
} // namespace

CadenceRecorder::CadenceRecorder()
    : start_(Clock::now())
    , last_(start_)
    , cpuAtStart_(processorSeconds())
{
}

void CadenceRecorder::tick()
{
    const Clock::time_point now = Clock::now();
    if (ticks_ > 0 && now - last_ > longestGap_)
        longestGap_ = now - last_;
    last_ = now;
    ++ticks_;
}

double CadenceRecorder::seconds() const
{
    return std::chrono::duration<double>(Clock::now() - start_).count();
}

double CadenceRecorder::cpuShare() const
{
    return (processorSeconds() - cpuAtStart_) / seconds();
}

// The scheduler's own count: getrusage samples at the kernel's tick, which for
// a process that wakes on a millisecond timer can be off by half or more.
double CadenceRecorder::processorSeconds()
{
    timespec used {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return static_cast<double>(used.tv_sec) + static_cast<double>(used.tv_nsec) * kNano;
}

double CadenceRecorder::peakResidentMb()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / kKbPerMb;
}

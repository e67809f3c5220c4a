#include "bench/cadence_recorder.h"

#include <sys/resource.h>

namespace {
constexpr double kKbPerMb = 1024.0;
constexpr double kMicro = 1e-6;
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

double CadenceRecorder::processorSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * kMicro;
}

double CadenceRecorder::peakResidentMb()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / kKbPerMb;
}

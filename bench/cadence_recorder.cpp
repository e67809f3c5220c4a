#include "bench/cadence_recorder.h"

#include <algorithm>
#include <dirent.h>
#include <sys/resource.h>
#include <time.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {
constexpr double kKbPerMb = 1024.0;
constexpr double kNano = 1e-9;
} // namespace

CadenceRecorder::CadenceRecorder()
    : start_(Clock::now())
    , last_(start_)
    , cpuAtStart_(processorSeconds())
    , switchesAtStart_(contextSwitches())
{
}

void CadenceRecorder::tick(Clock::time_point due)
{
    const Clock::duration latency = Clock::now() - due;
    longestLatency_ = std::max(longestLatency_, latency);
    latencies_.push_back(latency);
    tick();
}

double CadenceRecorder::latencyP99Ms() const
{
    constexpr double kShare = 0.99;
    if (latencies_.empty())
        return 0;
    const auto at = latencies_.begin() + static_cast<std::ptrdiff_t>(kShare * static_cast<double>(latencies_.size() - 1));
    std::nth_element(latencies_.begin(), at, latencies_.end());
    return std::chrono::duration<double, std::milli>(*at).count();
}

double CadenceRecorder::wakeUpsPerSecond() const
{
    return static_cast<double>(contextSwitches() - switchesAtStart_) / seconds();
}

// Every thread counts: the toolkit's event reader wakes for the display too.
long CadenceRecorder::contextSwitches()
{
    long total = 0;
    DIR* tasks = opendir("/proc/self/task");
    if (!tasks)
        return 0;
    while (const dirent* task = readdir(tasks)) {
        if (task->d_name[0] == '.')
            continue;
        const std::string path = std::string("/proc/self/task/") + task->d_name + "/status";
        FILE* status = std::fopen(path.c_str(), "r");
        if (!status)
            continue;
        char line[256];
        while (std::fgets(line, sizeof line, status)) {
            long count = 0;
            if (std::sscanf(line, "voluntary_ctxt_switches: %ld", &count) == 1
                || std::sscanf(line, "nonvoluntary_ctxt_switches: %ld", &count) == 1)
                total += count;
        }
        std::fclose(status);
    }
    closedir(tasks);
    return total;
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

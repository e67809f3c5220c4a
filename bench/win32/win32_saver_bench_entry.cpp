// The entry of Tessary-saver-bench.scr: the screen saver full screen, as
// with /s, counting the rings on their way to the picture. At the end it
// writes them, the message loop's wake-ups and its own processor time to the
// file named by TESSARY_BENCH_OUT, as Tessary-bench.exe does.
#include "bench/ring_probe.h"
#include "bench/win32/bench_counts.h"
#include "platform/hosts/win32/win32_saver_host.h"
#include "platform/hosts/win32/win32_start_failure.h"

#include <chrono>
#include <cstdio>

namespace {

RingProbe gProbe;
Win32SaverHost* gHost = nullptr;
std::chrono::steady_clock::time_point gStarted;

void writeCounts()
{
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - gStarted).count();
    if (std::FILE* out = writeBenchCounts(seconds, gProbe.rings(), gProbe.wakeUps())) {
        std::fprintf(out, "picture %d %d\n", gHost->picture().width(), gHost->picture().height());
        std::fclose(out);
    }
}

} // namespace

int RunProject(const ProjectDescription& project, CommandLine)
{
    gStarted = std::chrono::steady_clock::now();
    try {
        Win32SaverHost host(project, nullptr, SaverRunner::kDefaultChange, &gProbe);
        gHost = &host;
        const bool endsInTime = endBenchRunInTime(writeCounts);
        const int status = host.run();
        if (!endsInTime)
            writeCounts();
        return status;
    } catch (const Win32StartFailure&) {
        return 1;
    }
}

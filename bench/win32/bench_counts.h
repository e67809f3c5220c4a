#pragma once

// What a bench build of a Windows program writes at its end, for the bench
// under Wine to read: the seconds it ran, what it drew (rings, or frames),
// its message loop's wake-ups and its own processor time, one per line.
// Returns the file, still open for what else the program leaves, or null
// when TESSARY_BENCH_OUT names none.

#include <windows.h>

#include <cstdio>
#include <cstdlib>

inline std::FILE* writeBenchCounts(double seconds, long drawn, long wakeUps)
{
    const char* path = std::getenv("TESSARY_BENCH_OUT");
    std::FILE* out = path ? std::fopen(path, "wb") : nullptr;
    if (!out)
        return nullptr;
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    const auto seconds100ns = [](FILETIME time) {
        ULARGE_INTEGER count {};
        count.LowPart = time.dwLowDateTime;
        count.HighPart = time.dwHighDateTime;
        constexpr double kPerSecond = 1e7;
        return static_cast<double>(count.QuadPart) / kPerSecond;
    };
    std::fprintf(out, "seconds %.3f\nrings %ld\nwakeups %ld\nprocessor %.3f\n", seconds, drawn, wakeUps,
        seconds100ns(kernel) + seconds100ns(user));
    return out;
}

// With TESSARY_BENCH_SECONDS set, the program writes its counts that many
// seconds in and posts itself the end, even in the middle of a move loop,
// where nothing outside can reach it. Wine's move loop takes the end for
// itself rather than passing it on as Windows does, so there the counts are
// all that comes of it. Returns whether the run ends so; if not, the program
// writes its counts when it ends.
inline bool endBenchRunInTime(void (*writeCounts)())
{
    static void (*write)() = nullptr;
    const char* seconds = std::getenv("TESSARY_BENCH_SECONDS");
    if (!seconds)
        return false;
    write = writeCounts;
    constexpr double kMilliseconds = 1000;
    SetTimer(nullptr, 0, static_cast<UINT>(std::atof(seconds) * kMilliseconds), [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        write();
        PostQuitMessage(0);
    });
    return true;
}

// The entry of Tessary-bench.exe: the program's own host, counting the rings
// on their way to the picture. At the end it writes them, the message loop's
// wake-ups, its own processor time and the picture itself to the file named
// by TESSARY_BENCH_OUT, since Wine's own traffic with its server hides the
// wake-ups from outside. With TESSARY_TEST_DPI set, it tells its window, half
// a second in, that its monitor now has that many dots per inch, as Windows
// does when a window moves to another monitor: only a message sent from inside
// the process carries the suggested rectangle with it.
#include "bench/ring_probe.h"
#include "bench/win32/bench_counts.h"
#include "platform/hosts/win32/win32_form_host.h"
#include "platform/hosts/win32/win32_start_failure.h"
#include "platform/hosts/win32/win32_text.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

RingProbe gProbe;
Win32FormHost* gHost = nullptr;
std::chrono::steady_clock::time_point gStarted;
constexpr UINT kTestDpiDelayMs = 500;

void writeCounts()
{
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - gStarted).count();
    std::FILE* out = writeBenchCounts(seconds, gProbe.rings(), gProbe.wakeUps());
    if (!out)
        return;
    const Picture& picture = gHost->picture();
    std::fprintf(out, "picture %d %d\n", picture.width(), picture.height());
    std::fwrite(picture.pixels(), sizeof(Picture::Pixel), static_cast<size_t>(picture.width()) * picture.height(), out);
    std::fclose(out);
}

void CALLBACK changeDpi(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    const HWND form = gHost->window().handle();
    const UINT dpi = static_cast<UINT>(std::atoi(std::getenv("TESSARY_TEST_DPI")));
    RECT outer {};
    GetWindowRect(form, &outer);
    RECT client {};
    GetClientRect(form, &client);
    const UINT before = GetDpiForWindow(form);
    // The client area scaled, the frame around it as thick as it is now: what
    // Windows suggests for a frame it draws at every density alike, as Wine does.
    const RECT suggested {outer.left, outer.top,
        outer.right + MulDiv(client.right, static_cast<int>(dpi), static_cast<int>(before)) - client.right,
        outer.bottom + MulDiv(client.bottom, static_cast<int>(dpi), static_cast<int>(before)) - client.bottom};
    SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

} // namespace

int RunProject(const ProjectDescription& project, CommandLine)
{
    gStarted = std::chrono::steady_clock::now();
    try {
        Win32FormHost host(project, &gProbe);
        gHost = &host;
        if (std::getenv("TESSARY_TEST_DPI"))
            SetTimer(nullptr, 0, kTestDpiDelayMs, changeDpi);
        const bool endsInTime = endBenchRunInTime(writeCounts);
        const int status = host.run();
        if (!endsInTime)
            writeCounts();
        return status;
    } catch (const Win32StartFailure& failure) {
        MessageBoxW(nullptr, failure.reason().c_str(), toWide(project.name).c_str(), MB_OK | MB_ICONERROR);
        return 1;
    }
}

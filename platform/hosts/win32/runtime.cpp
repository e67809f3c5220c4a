#include "platform/form/runtime.h"

#include "platform/hosts/win32/win32_form_host.h"

// Last, so that its RGB macro meets none of the form's code.
#include <windows.h>
#undef RGB

#ifdef TESSARY_BENCH_BUILD
#include "platform/hosts/win32/win32_bench_counts.h"
#include "platform/runner/ring_counting_window.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#endif

namespace {

#ifdef TESSARY_BENCH_BUILD
// The bench's build counts the rings on their way to the picture; at the end
// it writes them, the message loop's wake-ups, its own processor time and the
// picture itself to the file named by TESSARY_BENCH_OUT, since Wine's own
// traffic with its server hides the wake-ups from outside. With
// TESSARY_TEST_DPI set, it tells its window, half a second in, that its
// monitor now has that many dots per inch, as Windows does when a window
// moves to another monitor: only a message sent from inside the process
// carries the suggested rectangle with it.
RingCountingWindow* gCounter = nullptr;
HWND gForm = nullptr;
const Win32FormHost* gHost = nullptr;
std::chrono::steady_clock::time_point gStarted;
constexpr UINT kTestDpiDelayMs = 500;

void writeCounts()
{
    const Win32FormHost& host = *gHost;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - gStarted).count();
    std::FILE* out = writeBenchCounts(seconds, gCounter ? gCounter->rings() : 0L, host.wakeUps());
    if (!out)
        return;
    const Picture& picture = host.picture();
    std::fprintf(out, "picture %d %d\n", picture.width(), picture.height());
    std::fwrite(picture.pixels(), sizeof(Picture::Pixel), static_cast<size_t>(picture.width()) * picture.height(), out);
    std::fclose(out);
}

void CALLBACK changeDpi(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    const UINT dpi = static_cast<UINT>(std::atoi(std::getenv("TESSARY_TEST_DPI")));
    RECT outer {};
    GetWindowRect(gForm, &outer);
    RECT client {};
    GetClientRect(gForm, &client);
    const UINT before = GetDpiForWindow(gForm);
    // The client area scaled, the frame around it as thick as it is now: what
    // Windows suggests for a frame it draws at every density alike, as Wine does.
    const RECT suggested {outer.left, outer.top,
        outer.right + MulDiv(client.right, static_cast<int>(dpi), static_cast<int>(before)) - client.right,
        outer.bottom + MulDiv(client.bottom, static_cast<int>(dpi), static_cast<int>(before)) - client.bottom};
    SendMessageW(gForm, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

int runHost(const ProjectDescription& project)
{
    gStarted = std::chrono::steady_clock::now();
    Win32FormHost host(project, RingCountingWindow::into(gCounter));
    gHost = &host;
    gForm = host.window();
    if (std::getenv("TESSARY_TEST_DPI"))
        SetTimer(nullptr, 0, kTestDpiDelayMs, changeDpi);
    const bool endsInTime = endBenchRunInTime(writeCounts);
    const int status = host.run();
    if (!endsInTime)
        writeCounts();
    return status;
}
#else
int runHost(const ProjectDescription& project)
{
    Win32FormHost host(project);
    return host.run();
}
#endif

} // namespace

int RunProject(const ProjectDescription& project)
{
    try {
        return runHost(project);
    } catch (const Win32StartFailure& failure) {
        MessageBoxW(nullptr, failure.reason().c_str(), L"Tessary", MB_OK | MB_ICONERROR);
        return 1;
    }
}

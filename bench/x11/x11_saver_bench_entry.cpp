// The entry of tessary-xscreensaver-bench: the XScreenSaver module on the
// root window (or XSCREENSAVER_WINDOW), counting the rings on their way to the
// picture. When a signal ends it, it writes the seconds it ran, the rings,
// its loop's wake-ups and its own processor time to standard output.
#include "bench/ring_probe.h"
#include "bench/x11/processor_seconds.h"
#include "platform/hosts/x11/x11_saver_host.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>

int RunProject(const ProjectDescription& project, CommandLine)
{
    const auto started = std::chrono::steady_clock::now();
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return EXIT_FAILURE;
    const Window window = X11SaverHost::givenWindow(display);
    RingProbe probe;
    int status = EXIT_FAILURE;
    try {
        // Gone, with everything it holds of the display, before the display closes.
        X11SaverHost host(project, display, window, SaverRunner::kDefaultChange, &probe);
        status = host.run();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::printf("seconds %.3f\nrings %ld\nwakeups %ld\nprocessor %.3f\npicture %d %d\n", seconds, probe.rings(),
            probe.wakeUps(), processorSeconds(), host.picture().width(), host.picture().height());
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "%s\n", failure.what());
    }
    XCloseDisplay(display);
    return status;
}

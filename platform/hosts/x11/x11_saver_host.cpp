#include "platform/hosts/x11/x11_saver_host.h"

#include "platform/hosts/x11/x11_saver_arguments.h"

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <system_error>

namespace {

// What ends the module: XScreenSaver sends SIGTERM; a person at a terminal, SIGINT.
sigset_t endingSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGHUP);
    return set;
}

} // namespace

Window X11SaverHost::givenWindow(Display* display)
{
    const char* named = std::getenv("XSCREENSAVER_WINDOW");
    if (named && *named) {
        if (const std::optional<unsigned long> window = x11WindowIdOf(named))
            return *window;
    }
    return DefaultRootWindow(display);
}

X11SaverHost::X11SaverHost(const ProjectDescription& project, Display* display, Window window,
    std::chrono::seconds changeEvery, HostProbe* probe)
    : display_(display)
    , picture_(*project.startupForm)
    , window_(display, window, picture_)
    , saver_(project, picture_, {window_, errors_, clock_, probe}, changeEvery)
    , probe_(probe)
{
    const sigset_t ending = endingSignals();
    if (sigprocmask(SIG_BLOCK, &ending, nullptr) != 0 || (signals_ = signalfd(-1, &ending, SFD_CLOEXEC)) < 0)
        throw std::system_error(errno, std::generic_category(), "the signals cannot be watched");
    window_.reportTo(saver_);
    window_.sized();
}

X11SaverHost::~X11SaverHost()
{
    if (signals_ >= 0)
        close(signals_);
}

int X11SaverHost::run()
{
    saver_.start();
    pollfd watched[] = {{ConnectionNumber(display_), POLLIN, 0}, {signals_, POLLIN, 0}};
    for (;;) {
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            if (!window_.handle(event))
                return 0;
        }
        const std::optional<MonotonicClock::Duration> left = window_.alarm().left(clock_.now());
        timespec wait {};
        if (left) {
            const long long nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(*left).count();
            wait = {static_cast<time_t>(nanoseconds / 1'000'000'000), static_cast<long>(nanoseconds % 1'000'000'000)};
        }
        const int ready = ppoll(watched, 2, left ? &wait : nullptr, nullptr);
        if (ready < 0 && errno != EINTR)
            throw std::system_error(errno, std::generic_category(), "waiting failed");
        if (probe_)
            probe_->wokeUp();
        if (watched[1].revents & POLLIN)
            return 0;
        if (watched[0].revents & (POLLHUP | POLLERR))
            return 1; // the display went away
        window_.alarm().ringIfDue(clock_.now(), [this] { saver_.wake(); });
    }
}

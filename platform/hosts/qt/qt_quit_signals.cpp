#include "platform/hosts/qt/qt_quit_signals.h"

#include <QtGlobal>

#if defined(Q_OS_UNIX)

#include <QCoreApplication>
#include <QSocketNotifier>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace {

// The handler only writes a byte; the event loop does the rest.
int gQuitPipe[2] = {-1, -1};

void requestQuit(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const auto written = write(gQuitPipe[1], &byte, 1);
    errno = saved;
}

bool closeOnExecNonBlocking(int fd)
{
    return fcntl(fd, F_SETFD, FD_CLOEXEC) == 0 && fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK) == 0;
}

} // namespace

void quitOnTermination(QObject* owner)
{
    if (pipe(gQuitPipe) != 0)
        return;
    if (!closeOnExecNonBlocking(gQuitPipe[0]) || !closeOnExecNonBlocking(gQuitPipe[1])) {
        close(gQuitPipe[0]);
        close(gQuitPipe[1]);
        return;
    }
    auto* notifier = new QSocketNotifier(gQuitPipe[0], QSocketNotifier::Read, owner);
    QObject::connect(notifier, &QSocketNotifier::activated, [] { QCoreApplication::exit(0); });
    struct sigaction action {};
    action.sa_handler = requestQuit;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

#else

void quitOnTermination(QObject*)
{
}

#endif

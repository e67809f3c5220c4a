#include "platform/runtime.h"

#include "platform/qt/qt_form_host.h"
#include "platform/qt/qt_strings.h"

#include <QApplication>
#include <QIcon>
#include <QSocketNotifier>
#include <QStringList>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string gProgramName;
QStringList gStartUpMessages;

// Qt ends the process with abort() and a page of advice when it cannot reach a
// display. Hold its messages back while it starts; if it gives up, say so in one
// line with a way forward and leave with a plain failure status instead.
void holdStartUpMessage(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtFatalMsg) {
        gStartUpMessages.append(message);
        return;
    }
    std::fprintf(stderr, "%s: no display could be reached; run it in a desktop session, or headless as: xvfb-run %s\n",
        gProgramName.c_str(), gProgramName.c_str());
    std::_Exit(EXIT_FAILURE);
}

// A session that ends sends SIGTERM; leave the event loop as a closed window
// would, so that the program ends with status 0. The handler only writes a
// byte; the event loop does the rest.
int gQuitPipe[2] = {-1, -1};

void requestQuit(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = write(gQuitPipe[1], &byte, 1);
}

void quitOnTermination(QObject* owner)
{
    if (pipe2(gQuitPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(gQuitPipe[0], QSocketNotifier::Read, owner);
    QObject::connect(notifier, &QSocketNotifier::activated, [] { QApplication::quit(); });
    struct sigaction action {};
    action.sa_handler = requestQuit;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

} // namespace

int RunProject(const ProjectDescription& project)
{
    // Inside a Wayland session, run on Wayland where Qt's plugin for it is
    // installed (some desktops would otherwise get X11 through XWayland), and
    // on X11 where it is not.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "wayland;xcb");

    // The program takes no command line; Qt sees only the program's name.
    gProgramName = project.name;
    std::string name(project.name);
    int argc = 1;
    char* argv[] = {name.data(), nullptr};

    const QtMessageHandler previous = qInstallMessageHandler(holdStartUpMessage);
    QApplication application(argc, argv);
    qInstallMessageHandler(previous);
    for (const QString& message : std::as_const(gStartUpMessages))
        qWarning("%s", qPrintable(message));
    QApplication::setApplicationName(toQString(project.name));
    QApplication::setApplicationVersion(toQString(project.version));
    const QString desktopId = toQString(project.desktopId);
    QGuiApplication::setDesktopFileName(desktopId);
    QApplication::setWindowIcon(QIcon::fromTheme(desktopId, QIcon(QStringLiteral(":/icons/%1.png").arg(desktopId))));
    quitOnTermination(&application);

    QtFormHost host(project);
    host.start();
    return QApplication::exec();
}

#include "platform/hosts/qt/qt_command_line.h"
#include "platform/hosts/qt/qt_form_host.h"
#include "platform/hosts/qt/qt_platform.h"
#include "platform/hosts/qt/qt_quit_signals.h"
#include "platform/hosts/qt/qt_strings.h"

#include <QApplication>
#include <QIcon>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace {

// What Qt said while it started, held back until it has. Qt may log from
// threads of its own (the X11 event reader), so the list has a lock.
struct StartUpMessages {
    std::mutex lock;
    QStringList held;
    std::string programName;
};

StartUpMessages& startUpMessages()
{
    // Never destroyed: Qt may still log while the process ends.
    static auto* messages = new StartUpMessages;
    return *messages;
}

bool saysNoDisplay(const QString& message)
{
    return message.contains(QLatin1String("could not connect to display"), Qt::CaseInsensitive)
        || message.contains(QLatin1String("Failed to create wl_display"), Qt::CaseInsensitive);
}

// Only X11 and Wayland name their display in the environment; elsewhere the
// variables are always empty and say nothing.
bool noDisplayNamed()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return false;
#endif
}

QString firstLine(const QString& message)
{
    return message.section(QLatin1Char('\n'), 0, 0).trimmed();
}

// Qt ends the process with abort() and a page of advice when it cannot start
// its platform. Say what went wrong in one line instead, and leave with a plain
// failure status: with a way forward where the cause is that no display could
// be reached, and with what Qt said otherwise.
void holdStartUpMessage(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    StartUpMessages& messages = startUpMessages();
    const std::lock_guard<std::mutex> guard(messages.lock);
    if (type != QtFatalMsg) {
        messages.held.append(message);
        return;
    }
    const char* name = messages.programName.c_str();
    const bool noDisplay = noDisplayNamed() || std::any_of(messages.held.cbegin(), messages.held.cend(), saysNoDisplay);
    if (noDisplay) {
        std::fprintf(stderr, "%s: no display could be reached; run it in a desktop session, or headless as: xvfb-run %s\n",
            name, name);
    } else {
        const QString cause = messages.held.isEmpty() ? firstLine(message) : firstLine(messages.held.last());
        std::fprintf(stderr, "%s: the window system could not be started: %s\n", name, qPrintable(cause));
    }
    std::_Exit(EXIT_FAILURE);
}

} // namespace

int RunProject(const ProjectDescription& project, CommandLine commandLine)
{
    std::string name(project.name);
    const CommandLine arguments = commandLine.empty() ? commandLine : commandLine.subspan(1);
    switch (QtCommandLine::read(arguments)) {
    case QtCommandLine::Answer::Help:
        std::fputs(QtCommandLine::help(project, name).c_str(), stdout);
        return EXIT_SUCCESS;
    case QtCommandLine::Answer::Version:
        std::fputs(QtCommandLine::version(project).c_str(), stdout);
        return EXIT_SUCCESS;
    case QtCommandLine::Answer::Run:
        break;
    }

    prepareQtPlatform();
    startUpMessages().programName = name;
    // Qt takes its own options out of these, so they are a copy: the
    // program's name first, as Qt names its windows' class after it.
    std::vector<char*> words {name.data()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    words.push_back(nullptr);
    int argc = static_cast<int>(words.size() - 1);

    const QtMessageHandler previous = qInstallMessageHandler(holdStartUpMessage);
    QApplication application(argc, words.data());
    qInstallMessageHandler(previous);
    {
        StartUpMessages& messages = startUpMessages();
        const std::lock_guard<std::mutex> guard(messages.lock);
        for (const QString& message : std::as_const(messages.held))
            qWarning("%s", qPrintable(message));
        messages.held.clear();
    }
    if (argc > 1) {
        std::fputs(QtCommandLine::refusal(name, words[1]).c_str(), stderr);
        return EXIT_FAILURE;
    }
    QApplication::setApplicationName(toQString(project.name));
    QApplication::setApplicationVersion(toQString(project.version));
    const QString desktopId = toQString(project.desktopId);
    QGuiApplication::setDesktopFileName(desktopId);
    QApplication::setWindowIcon(QIcon::fromTheme(desktopId, QIcon(QStringLiteral(":/icons/%1.png").arg(desktopId))));
    quitOnTermination(&application);

    const SteadyClock clock;
    std::unique_ptr<QtFormHost> host;
    try {
        host = std::make_unique<QtFormHost>(project, clock);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "%s: %s\n", name.c_str(), failure.what());
        return EXIT_FAILURE;
    }
    return host->run();
}

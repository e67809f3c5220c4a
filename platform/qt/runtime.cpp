#include "platform/runtime.h"

#include "platform/qt/qt_form_host.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char* gProgramName = "";
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
        gProgramName, gProgramName);
    std::_Exit(EXIT_FAILURE);
}

} // namespace

int RunProject(const ProjectDescription& project)
{
    // The program takes no command line; Qt sees only the program's name.
    std::string name(project.name);
    gProgramName = name.c_str();
    int argc = 1;
    char* argv[] = {name.data(), nullptr};

    const QtMessageHandler previous = qInstallMessageHandler(holdStartUpMessage);
    QApplication application(argc, argv);
    qInstallMessageHandler(previous);
    for (const QString& message : std::as_const(gStartUpMessages))
        qWarning("%s", qPrintable(message));
    QApplication::setApplicationName(QString::fromUtf8(project.name.data(), static_cast<qsizetype>(project.name.size())));
    QApplication::setApplicationVersion(QString::fromUtf8(project.version.data(), static_cast<qsizetype>(project.version.size())));

    QtFormHost host(project);
    host.start();
    return QApplication::exec();
}

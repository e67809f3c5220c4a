#include "tests/e2e/desktop_session.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QThread>

namespace {

constexpr int kWaitMs = 10000;
constexpr int kPollMs = 100;

} // namespace

DesktopSession::DesktopSession()
{
    // Xvfb picks a free display itself and writes its number to standard output.
    // It must not reset when its last client leaves: the tools run one after
    // another, and one that connects during a reset is refused.
    server_.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                              QStringLiteral("0"), QStringLiteral("640x480x24"), QStringLiteral("-nolisten"),
                                              QStringLiteral("tcp"), QStringLiteral("-noreset")});
    if (server_.waitForStarted(kWaitMs) && server_.waitForReadyRead(kWaitMs)) {
        const QString number = QString::fromUtf8(server_.readLine()).trimmed();
        if (!number.isEmpty())
            display_ = QStringLiteral(":") + number;
    }
    if (display_.isEmpty())
        error_ = QStringLiteral("Xvfb could not be started: ") + QString::fromUtf8(server_.readAllStandardError());
    scratch_ = QDir::tempPath() + QStringLiteral("/tessary-e2e-") + QString::number(QCoreApplication::applicationPid());
    QDir().mkpath(scratch_);
}

DesktopSession::~DesktopSession()
{
    if (program_.state() != QProcess::NotRunning) {
        program_.kill();
        program_.waitForFinished();
    }
    if (windowManager_.state() != QProcess::NotRunning) {
        windowManager_.terminate();
        windowManager_.waitForFinished();
    }
    server_.terminate();
    server_.waitForFinished();
    QDir(scratch_).removeRecursively();
}

QString DesktopSession::run(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display_);
    process.setProcessEnvironment(environment);
    process.start(tool, arguments);
    if (!process.waitForFinished(kWaitMs) || process.exitCode() != 0)
        error_ = tool + QStringLiteral(" failed: ") + QString::fromUtf8(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

bool DesktopSession::startWindowManager()
{
    if (display_.isEmpty())
        return false;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display_);
    windowManager_.setProcessEnvironment(environment);
    windowManager_.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    if (!windowManager_.waitForStarted(kWaitMs)) {
        error_ = QStringLiteral("openbox could not be started");
        return false;
    }
    for (int waited = 0; waited < kWaitMs; waited += kPollMs) {
        QProcess probe;
        probe.setProcessEnvironment(environment);
        probe.start(QStringLiteral("wmctrl"), {QStringLiteral("-m")});
        if (probe.waitForFinished(kWaitMs) && probe.exitCode() == 0)
            return true;
        QThread::msleep(kPollMs);
    }
    error_ = QStringLiteral("openbox did not answer as a window manager");
    return false;
}

bool DesktopSession::launch(const QString& program, const QString& windowTitle)
{
    if (display_.isEmpty())
        return false;
    windowTitle_ = windowTitle;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display_);
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    program_.setProcessEnvironment(environment);
    program_.start(program, {});
    if (!program_.waitForStarted(kWaitMs)) {
        error_ = QStringLiteral("could not start ") + program;
        return false;
    }
    windowId_ = run(QStringLiteral("xdotool"),
        {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
            QStringLiteral("^%1$").arg(windowTitle)})
                    .section('\n', 0, 0);
    if (windowId_.isEmpty())
        return false;
    const QString geometry = run(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), windowId_});
    const QRegularExpression pattern(QStringLiteral("Position: (\\d+),(\\d+).*Geometry: (\\d+)x(\\d+)"),
        QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = pattern.match(geometry);
    if (!match.hasMatch()) {
        error_ = QStringLiteral("unexpected geometry: ") + geometry;
        return false;
    }
    window_ = QRect(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt(), match.captured(4).toInt());
    return true;
}

QImage DesktopSession::screenshot()
{
    const QString file = scratch_ + QStringLiteral("/screen.png");
    QFile::remove(file);
    run(QStringLiteral("scrot"), {QStringLiteral("--overwrite"), file});
    return QImage(file).copy(window_).convertToFormat(QImage::Format_RGB32);
}

void DesktopSession::click(QPoint inWindow)
{
    const QPoint at = window_.topLeft() + inWindow;
    run(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                                       QStringLiteral("click"), QStringLiteral("1")});
}

int DesktopSession::closeWindow()
{
    run(QStringLiteral("wmctrl"), {QStringLiteral("-F"), QStringLiteral("-c"), windowTitle_});
    if (!program_.waitForFinished(kWaitMs))
        return -1;
    return program_.exitStatus() == QProcess::NormalExit ? program_.exitCode() : -1;
}

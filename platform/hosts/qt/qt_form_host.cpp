#include "platform/hosts/qt/qt_form_host.h"

#include <QApplication>

QtFormHost::QtFormHost(const ProjectDescription& project, const MonotonicClock& clock, HostProbe* probe)
    : picture_(*project.startupForm)
    , window_(*project.startupForm, picture_, clock)
    , errors_(window_)
    , runner_(project, picture_, {window_, errors_, clock, probe})
{
    runner_.resize(window_.width(), window_.height(), window_.devicePixelRatioF());
    window_.reportTo(runner_);
}

int QtFormHost::run()
{
    // The window ends the program as it closes, not the last window.
    QApplication::setQuitOnLastWindowClosed(false);
    start();
    return QApplication::exec();
}

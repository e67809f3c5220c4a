#include "platform/hosts/qt/qt_form_host.h"

#include <QApplication>

QtFormHost::QtFormHost(const ProjectDescription& project, const MonotonicClock& clock, const FormRunner::Decorator& decorate)
    : picture_(*project.startupForm)
    , window_(*project.startupForm, picture_, clock)
    , errors_(window_)
    , runner_(project, picture_, {window_, errors_, clock}, decorate)
{
    runner_.resize(window_.width(), window_.height(), window_.devicePixelRatioF());
    window_.onResized([this](int width, int height, qreal ratio) { runner_.resize(width, height, ratio); });
    window_.onButtonClicked([this](std::string_view name) { runner_.click(name); });
    window_.onFormClicked([this] { runner_.clickArea(); });
    window_.onPacingChanged([this] { runner_.pacingChanged(); });
    window_.onAlarm([this] { runner_.wake(); });
}

int QtFormHost::run()
{
    // The program ends with its window, whatever else is open, such as the
    // error dialog.
    QApplication::setQuitOnLastWindowClosed(false);
    window_.onClosed([] { QApplication::exit(0); });
    start();
    return QApplication::exec();
}

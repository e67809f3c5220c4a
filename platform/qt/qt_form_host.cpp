#include "platform/qt/qt_form_host.h"

#include <QApplication>

QtFormHost::QtFormHost(const ProjectDescription& project, const MonotonicClock& clock, WindowOperations* windowOperations)
    : window_(project.startupForm)
    , errors_(window_)
    , timer_(project.startupForm.timer, clock)
    , session_(project.openStartupForm({windowOperations ? *windowOperations : window_, timer_, rnd_, errors_}))
{
    window_.onButtonClicked([this](std::string_view name) { click(name); });
    window_.onFormClicked([this] { click(session_->definition().name); });
    window_.onFrameChanged([this] { paceTicks(); });
}

void QtFormHost::start()
{
    session_->load();
    window_.focusFirstControl();
    window_.show();
    paceTicks();
    timer_.start([this] { session_->tick(); }, [this] { window_.flushChanges(); });
}

void QtFormHost::paceTicks()
{
    const auto frame = window_.frame();
    timer_.setShortestWake(frame ? *frame : CadenceTimer::kLongestWake);
}

void QtFormHost::click(std::string_view source)
{
    timer_.catchUp();
    session_->click(source);
    window_.flushChanges();
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

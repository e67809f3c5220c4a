#include "platform/qt/qt_form_host.h"

QtFormHost::QtFormHost(const ProjectDescription& project, WindowOperations* windowOperations)
    : definition_(project.startupForm)
    , window_(std::make_unique<QtFormWindow>(definition_))
    , errors_(window_.get())
    , dispatcher_(errors_)
    , timer_(definition_.timer.interval, definition_.timer.enabled, [this] { dispatcher_.dispatch(tickHandler_); })
    , formWindow_(windowOperations ? *windowOperations : *window_, std::string(definition_.name))
    , formTimer_(timer_, std::string(definition_.timer.name))
{
    dispatcher_.setWiring(project.attachCode({formWindow_, formTimer_, rnd_}));
    tickHandler_ = dispatcher_.handlerFor(definition_.timer.name, FormEvent::Timer);

    window_->onButtonClicked([this](std::string_view name) {
        dispatcher_.dispatch(dispatcher_.handlerFor(name, FormEvent::Click));
    });
    auto formClick = dispatcher_.handlerFor(definition_.name, FormEvent::Click);
    window_->onFormClicked([this, formClick] { dispatcher_.dispatch(formClick); });
}

void QtFormHost::start()
{
    dispatcher_.dispatch(dispatcher_.handlerFor(definition_.name, FormEvent::Load));
    window_->focusFirstControl();
    window_->show();
    timer_.start();
}

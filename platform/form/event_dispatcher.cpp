#include "platform/form/event_dispatcher.h"

#include "platform/services/error_reporter.h"
#include "platform/services/raised_error.h"

#include <optional>

EventDispatcher::EventDispatcher(ErrorReporter& reporter)
    : reporter_(reporter)
{
}

void EventDispatcher::setWiring(std::vector<BoundHandler> wiring)
{
    wiring_ = std::move(wiring);
}

const std::function<void()>* EventDispatcher::handlerFor(std::string_view source, FormEvent event) const
{
    for (const BoundHandler& row : wiring_) {
        if (row.source == source && row.event == event)
            return &row.handler;
    }
    return nullptr;
}

bool EventDispatcher::deliver(std::string_view source, FormEvent event)
{
    const std::function<void()>* handler = handlerFor(source, event);
    return handler && dispatch(*handler);
}

bool EventDispatcher::dispatch(const std::function<void()>& handler)
{
    if (busy_ || !handler)
        return false;
    busy_ = true;
    std::optional<RaisedError> escaped;
    try {
        handler();
    } catch (const RaisedError& error) {
        escaped = error;
    } catch (...) {
        busy_ = false;
        throw;
    }
    busy_ = false;
    if (escaped)
        reporter_.report(*escaped);
    return true;
}

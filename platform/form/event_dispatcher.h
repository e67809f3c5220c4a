#pragma once

#include "platform/form/wiring.h"

class ErrorReporter;

// Delivers events to the handlers of a wiring table, one at a time, and sends
// any error that leaves a handler to the default error handling. It does not
// decide when events happen; the host's widgets and timer do.
class EventDispatcher {
public:
    explicit EventDispatcher(ErrorReporter& reporter);

    void setWiring(std::vector<BoundHandler> wiring);

    // The handler wired to this event, or nullptr where none is.
    const std::function<void()>* handlerFor(std::string_view source, FormEvent event) const;

    // Runs the handler wired to this event; returns whether one ran.
    bool deliver(std::string_view source, FormEvent event);

    // Runs the handler unless another is still running: an event that arrives
    // while a handler runs (from a nested event loop) is dropped, never nested.
    // Returns whether the handler ran.
    bool dispatch(const std::function<void()>& handler);

    bool busy() const { return busy_; }

private:
    ErrorReporter& reporter_;
    std::vector<BoundHandler> wiring_;
    bool busy_ = false;
};

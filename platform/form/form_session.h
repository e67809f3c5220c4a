#pragma once

#include "platform/services/error_reporter.h"
#include "platform/form/event_dispatcher.h"
#include "platform/form/form_definition.h"
#include "platform/services/timer_calls.h"
#include "platform/services/window_calls.h"
#include "platform/services/random_sequence.h"
#include "platform/form/wiring.h"

#include <memory>
#include <span>
#include <string>

// What a session of a form runs on: the operations of its window and timer,
// the random sequence and the default error handling. FormRunner gathers them
// from a host's parts; a headless stand-in for the whole runtime (the trace
// driver's recorded services) gives them itself.
struct SessionServices {
    WindowOperations& window;
    TimerOperations& timer;
    RandomSequence& rnd;
    ErrorReporter& errors;
};

// One form at run time, the same on every host: the call-site wrappers that
// turn a failed operation into a raised error (named after the definition's
// window and timer), the dispatcher, and the wiring of events to the form's
// code. Responsible for which handler runs for which event, and for running
// one at a time. Not responsible for when events happen, for pixels, or for
// showing errors: the host decides those. The code itself lives in
// FormSessionOf, which owns it.
class FormSession {
public:
    virtual ~FormSession() = default;
    FormSession(const FormSession&) = delete;
    FormSession& operator=(const FormSession&) = delete;

    const FormDefinition& definition() const { return definition_; }

    // Runs the handler wired to this event of this source; returns whether one ran.
    bool deliver(std::string_view source, FormEvent event) { return dispatcher_.deliver(source, event); }
    bool load() { return deliver(definition_.name, FormEvent::Load); }
    bool tick() { return deliver(definition_.timer.name, FormEvent::Timer); }
    // A click on the named button, or on the bare client area by the form's own name.
    bool click(std::string_view source) { return deliver(source, FormEvent::Click); }

protected:
    FormSession(const FormDefinition& definition, SessionServices host)
        : definition_(definition)
        , window_(host.window, std::string(definition.name))
        , timer_(host.timer, std::string(definition.timer.name))
        , rnd_(host.rnd)
        , dispatcher_(host.errors)
    {
    }

    FormServices services() { return {window_, timer_, rnd_}; }
    EventDispatcher& dispatcher() { return dispatcher_; }

private:
    const FormDefinition& definition_;
    WindowCalls window_;
    TimerCalls timer_;
    RandomSequence& rnd_;
    EventDispatcher dispatcher_;
};

// A session with the form's code of type Code, built after the services it is
// given and wired through the table.
template <class Code>
class FormSessionOf final : public FormSession {
public:
    FormSessionOf(const FormDefinition& definition, std::span<const WiringEntry<Code>> wiring, SessionServices host)
        : FormSession(definition, host)
        , code_(services())
    {
        dispatcher().setWiring(bindWiring(code_, wiring));
    }

    const Code& code() const { return code_; }

    // Runs one handler of the code as an event would, wired or not.
    bool run(void (Code::*handler)())
    {
        return dispatcher().dispatch([this, handler] { (code_.*handler)(); });
    }

private:
    Code code_;
};

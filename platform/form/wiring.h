#pragma once

#include "platform/services/timer_calls.h"
#include "platform/services/window_calls.h"
#include "platform/services/random_sequence.h"

#include <functional>
#include <span>
#include <string_view>
#include <vector>

enum class FormEvent { Load, Click, Timer };

// What the form's code may reach of the platform once its window exists.
struct FormServices {
    WindowCalls& window;
    TimerCalls& timer;
    RandomSequence& rnd;
};

// One row of a wiring table: which member of the form's code handles which
// event of which source (the form's own name for its own events).
template <class Code>
struct WiringEntry {
    std::string_view source;
    FormEvent event;
    void (Code::*handler)();
};

struct BoundHandler {
    std::string_view source;
    FormEvent event;
    std::function<void()> handler;
};

// The table's handlers bound to one instance of the code, which must outlive them.
template <class Code>
std::vector<BoundHandler> bindWiring(Code& code, std::span<const WiringEntry<Code>> table)
{
    std::vector<BoundHandler> bound;
    bound.reserve(table.size());
    for (const WiringEntry<Code>& row : table)
        bound.push_back({row.source, row.event, [&code, handler = row.handler] { (code.*handler)(); }});
    return bound;
}

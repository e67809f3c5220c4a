#pragma once

#include "platform/services/form_operations.h"

#include <memory>

// What a bench or a test watches of a running host. Only their own entries
// pass one to a host; the programs that ship pass none, and then a host
// neither wraps nor counts anything.
class HostProbe {
public:
    virtual ~HostProbe() = default;

    // What stands between the form's code and the window, built around the
    // window given, to watch its calls or fail them; none where null.
    virtual std::unique_ptr<WindowOperations> wrap(WindowOperations& window) = 0;
    // The host's own loop woke, whether its alarm rang or not.
    virtual void wokeUp() {}
};

#pragma once

#include "platform/form/forwarding_window.h"

#include <stdexcept>
#include <utility>

// Notes the rings the form's code asks for on their way to the real window,
// and fails them instead, or throws something that is no raised error, while
// told to.
struct WatchedWindow : ForwardingWindow {
    using ForwardingWindow::ForwardingWindow;

    ErrorNumber circle(Single x, Single y, Single radius, Colour colour) override
    {
        if (failing)
            return ErrorNumber::OperationFailed;
        if (throwing)
            throw std::runtime_error("thrown by a test");
        ++rings;
        centre = {x, y};
        lastColour = colour;
        return ForwardingWindow::circle(x, y, radius, colour);
    }
    bool failing = false;
    bool throwing = false;
    long rings = 0;
    std::pair<Single, Single> centre;
    Colour lastColour = 0;
};

#pragma once

#include "platform/forwarding_window.h"

#include <QPointF>

// Notes the rings the form's code asks for on their way to the real window,
// and fails them instead while told to.
struct WatchedWindow : ForwardingWindow {
    ErrorNumber circle(Single x, Single y, Single radius, Colour colour) override
    {
        if (failing)
            return ErrorNumber::OperationFailed;
        ++rings;
        centre = {x, y};
        lastColour = colour;
        return ForwardingWindow::circle(x, y, radius, colour);
    }
    bool failing = false;
    long rings = 0;
    QPointF centre;
    Colour lastColour = 0;
};

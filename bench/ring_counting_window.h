#pragma once

#include "platform/form/forwarding_window.h"

#include <functional>

// Counts the rings the form's code draws on their way to the window, and
// tells each one as it comes: what the bench builds of every host measure.
class RingCountingWindow final : public ForwardingWindow {
public:
    using ForwardingWindow::ForwardingWindow;

    ErrorNumber circle(Single x, Single y, Single radius, Colour colour) override
    {
        ++rings_;
        if (onRing)
            onRing(rings_);
        return ForwardingWindow::circle(x, y, radius, colour);
    }

    long rings() const { return rings_; }

    // Before each ring is drawn, with how many there have been, it included.
    std::function<void(long ring)> onRing;

private:
    long rings_ = 0;
};

#pragma once

#include "platform/services/form_operations.h"

// Stands between the form's code and a window, passing every call on; derive
// from it to watch or change one of them.
class ForwardingWindow : public WindowOperations {
public:
    explicit ForwardingWindow(WindowOperations& target)
        : target_(target)
    {
    }

    ErrorNumber getScaleWidth(Single& width) override { return target_.getScaleWidth(width); }
    ErrorNumber getScaleHeight(Single& height) override { return target_.getScaleHeight(height); }
    ErrorNumber setFillColor(Colour colour) override { return target_.setFillColor(colour); }
    ErrorNumber circle(Single x, Single y, Single radius, Colour colour) override
    {
        return target_.circle(x, y, radius, colour);
    }
    ErrorNumber lineBox(Single x1, Single y1, Single x2, Single y2, Colour colour) override
    {
        return target_.lineBox(x1, y1, x2, y2, colour);
    }

private:
    WindowOperations& target_;
};

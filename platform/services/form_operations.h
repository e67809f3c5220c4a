#pragma once

#include "platform/services/error_table.h"
#include "platform/services/scalar_types.h"

// What the host supplies for the window and its timer. Every call reports
// success (ErrorNumber::None) or why it failed; it never throws. The form's code
// does not call these directly but through WindowCalls and TimerCalls, which turn
// a failure into a raised error at the call site.
class WindowOperations {
public:
    virtual ~WindowOperations() = default;

    [[nodiscard]] virtual ErrorNumber getScaleWidth(Single& width) = 0;
    [[nodiscard]] virtual ErrorNumber getScaleHeight(Single& height) = 0;
    [[nodiscard]] virtual ErrorNumber setFillColor(Colour colour) = 0;
    // A full circle, aspect 1, its outline in the colour, its interior in FillColor.
    [[nodiscard]] virtual ErrorNumber circle(Single x, Single y, Single radius, Colour colour) = 0;
    // A box with corners (x1, y1) and (x2, y2), outline in the colour, interior in FillColor.
    [[nodiscard]] virtual ErrorNumber lineBox(Single x1, Single y1, Single x2, Single y2, Colour colour) = 0;
};

class TimerOperations {
public:
    virtual ~TimerOperations() = default;

    [[nodiscard]] virtual ErrorNumber getInterval(Long& interval) = 0;
    // Refuses, with InvalidPropertyValue, what timerAcceptsInterval refuses.
    [[nodiscard]] virtual ErrorNumber setInterval(Long interval) = 0;
    [[nodiscard]] virtual ErrorNumber setEnabled(Boolean enabled) = 0;
};

#pragma once

#include "platform/disc_raster.h"

#include <chrono>
#include <optional>

// What a host's window does for FormRunner: it shows itself, puts the changed
// part of the picture on the screen, and knows how long a frame of its screen
// lasts. Buttons, input and the picture's memory stay the host's own business.
class FormSurface {
public:
    virtual ~FormSurface() = default;

    // Shows the window for the first time, the first control in tab order focused.
    virtual void show() = 0;
    // Puts this logical box of the picture on the screen, now.
    virtual void showChanges(const PixelBox& box) = 0;
    // One frame of the screen the window is on, or nothing while no part of
    // it can be seen.
    virtual std::optional<std::chrono::nanoseconds> frame() const = 0;
};

#pragma once

#include "platform/form/form_class.h"
#include "platform/form/lifelong.h"

#include <span>
#include <string_view>

// Everything the runtime needs to start a program: its name and version, its
// start-up form, and what a screen saver of it clicks.
struct ProjectDescription {
    std::string_view name;
    std::string_view version;
    // The name of its desktop entry and icon.
    std::string_view desktopId;
    Lifelong<FormClass> startupForm;
    // The start-up form's buttons that a screen saver of the program clicks,
    // in this order, every so often, as a person at them would.
    std::span<const std::string_view> saverClicks;
};

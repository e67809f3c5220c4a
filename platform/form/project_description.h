#pragma once

#include "platform/form/form_class.h"
#include "platform/form/lifelong.h"

#include <string_view>

// Everything the runtime needs to start a program: its name and version, and
// its start-up form.
struct ProjectDescription {
    std::string_view name;
    std::string_view version;
    // The name of its desktop entry and icon.
    std::string_view desktopId;
    Lifelong<FormClass> startupForm;
};

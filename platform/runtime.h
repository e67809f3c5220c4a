#pragma once

#include "platform/form_definition.h"
#include "platform/wiring.h"

#include <string_view>
#include <vector>

// Everything the runtime needs to start a program: its name and version, the
// start-up window, and how to attach the window's code to the services of the
// window once it exists.
struct ProjectDescription {
    std::string_view name;
    std::string_view version;
    // The name of its desktop entry and icon.
    std::string_view desktopId;
    const FormDefinition& startupForm;
    std::vector<BoundHandler> (*attachCode)(FormServices services);
};

// Builds the start-up window, runs its Load handler, shows it and runs the event
// loop until it is closed. Returns the process's exit status.
int RunProject(const ProjectDescription& project);

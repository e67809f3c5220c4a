#pragma once

#include "platform/form/form_definition.h"
#include "platform/form/form_session.h"

#include <memory>
#include <string_view>

// Everything the runtime needs to start a program: its name and version, the
// start-up window, and how to open a session of that window's code on the
// services of a host.
struct ProjectDescription {
    std::string_view name;
    std::string_view version;
    // The name of its desktop entry and icon.
    std::string_view desktopId;
    Lifelong<FormDefinition> startupForm;
    std::unique_ptr<FormSession> (*openStartupForm)(HostServices host);
};

// Builds the start-up window, runs its Load handler, shows it and runs the event
// loop until it is closed. Returns the process's exit status.
int RunProject(const ProjectDescription& project);

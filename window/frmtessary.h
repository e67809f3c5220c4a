#pragma once

#include "logic/drawing_state.h"
#include "platform/form/runtime.h"

#include <memory>

// The program's one window, as data: its settings, its controls and the table
// that wires their events to the handlers of DrawingState.
extern const FormDefinition frmtessary;

std::span<const WiringEntry<DrawingState>> frmtessaryWiring();

// The window's code running on a host's services.
std::unique_ptr<FormSessionOf<DrawingState>> openFrmtessary(HostServices host);

extern const ProjectDescription tessaryProject;

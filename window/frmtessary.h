#pragma once

#include "platform/runtime.h"

// The program's one window, as data: its settings, its controls and the table
// that wires their events to the handlers of DrawingState.
extern const FormDefinition frmtessary;

std::span<const WiringEntry<class DrawingState>> frmtessaryWiring();

std::vector<BoundHandler> attachFrmtessaryCode(FormServices services);

extern const ProjectDescription tessaryProject;

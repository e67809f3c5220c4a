#pragma once

#include "logic/drawing_state.h"
#include "platform/form/form_class.h"
#include "platform/form/project_description.h"

// The program's one window, as data: its settings, its controls and the table
// that wires their events to the handlers of DrawingState.
extern const FormOf<DrawingState> frmtessary;

extern const ProjectDescription tessaryProject;

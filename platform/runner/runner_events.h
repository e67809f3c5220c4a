#pragma once

#include "platform/form/form_look.h"

#include <exception>
#include <string_view>

// What became of an input a host passed on, as the runner answers it.
enum class InputAnswer {
    // Not the program's: the platform does with it what it does.
    PassedOn = 0,
    // The program's: the platform leaves it alone.
    Taken = 1,
    // A screen saver ends: the host ends as its platform ends a saver.
    Ends = 2,
};

// The one way in from a host to the runner of its program, whichever runs:
// FormRunner and SaverRunner both take every event here, so that a window is
// given its runner whole and a host wires nothing event by event. Each input
// answers what became of it: a form takes its buttons' clicks, the area's
// completed click and the keys FormLook::areaKey() gives the area, and passes
// the rest on; a saver ends on any of them, and on a move of the pointer its
// StillPointer takes for a person's.
// Not here: the press-and-release bookkeeping of a click on the area
// (AreaPress, the host's), and a platform's own loops (a modal loop's timer,
// an error window's), which the host keeps to itself.
class RunnerEvents {
public:
    virtual ~RunnerEvents() = default;

    // Once, from the host's run().
    virtual void start() = 0;
    // The host's alarm rang.
    virtual void wake() = 0;
    // The area's logical size or density changed (a host without a density of
    // its own passes kNoDensity); with the device pixels, where the platform
    // gives them.
    virtual void resize(int logicalWidth, int logicalHeight, double devicePixelRatio) = 0;
    virtual void resize(int logicalWidth, int logicalHeight, double devicePixelRatio, int deviceWidth, int deviceHeight) = 0;
    // Its screen, refresh rate or visibility changed.
    virtual void pacingChanged() = 0;
    // Something was thrown in the host's own code, where no call of the
    // runner's stood (a window procedure): reported as any other error.
    virtual void escaped(std::exception_ptr thrown) noexcept = 0;

    // A click on the named button.
    virtual InputAnswer click(std::string_view button) = 0;
    // A completed click on the bare area (a saver host passes a press of any
    // mouse button here: nothing waits for its release).
    virtual InputAnswer clickArea() = 0;
    // A key pressed on the area.
    virtual InputAnswer areaKey(FormLook::Key key, bool modified, bool repeated) = 0;
    // The pointer is here now, in logical pixels of the screen.
    virtual InputAnswer pointerMoved(double logicalX, double logicalY) = 0;
};

#pragma once

#include "platform/form/wiring.h"

// The code behind the window frmtessary: the five variables of the drawing
// state and every event handler of the window. Responsible for where the next
// ring goes, in which colour, and how the pace buttons change the timer.
// Not responsible for pixels, widgets, timing or reporting errors: it reaches
// the window, the timer and the random sequence only through FormServices, and
// lets every error it does not handle leave the handler.
class DrawingState {
public:
    explicit DrawingState(FormServices services);

    // The window's own events.
    void Form_Load();
    void Form_Click();

    // Timer.
    void tmrtime_Timer();

    // Picture commands.
    void cmdmove_Click();
    void cmdcolor_Click();
    void cmdclear_Click();

    // Pace and run control.
    void cmdslow_Click();
    void cmdfast_Click();
    void cmdstop_Click();

    Single centerx = 0;
    Single centery = 0;
    Integer red = 0;
    Integer green = 0;
    Integer blue = 0;

private:
    void CircleDemo();
    void pickCentre();
    void pickColour();
    Integer randomComponent();

    FormServices services_;
};

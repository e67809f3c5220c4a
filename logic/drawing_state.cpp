#include "logic/drawing_state.h"

#include "platform/services/colour.h"
#include "platform/services/conversions.h"
#include "platform/services/raised_error.h"

namespace {

constexpr Single kFullComponent = 255.0f;
constexpr Double kRadiusPerDepth = 0.5;
constexpr Double kRadiusAtTop = 1.0;
constexpr Colour kBlack = 0;
constexpr Long kPaceStep = 100;
constexpr Long kFastestInterval = 1;

} // namespace

DrawingState::DrawingState(FormServices services)
    : services_(services)
{
}

void DrawingState::Form_Load()
{
    pickCentre();
    pickColour();
}

// Each random number is drawn before the size it scales is read: the order of
// the draws is what makes a run reproducible, so it must not be left to the
// compiler's order of evaluating arguments.
void DrawingState::pickCentre()
{
    const Single r1 = services_.rnd.Rnd();
    centerx = toSingle(exactProduct(r1, services_.window.ScaleWidth()));
    const Single r2 = services_.rnd.Rnd();
    centery = toSingle(exactProduct(r2, services_.window.ScaleHeight()));
}

void DrawingState::pickColour()
{
    red = randomComponent();
    green = randomComponent();
    blue = randomComponent();
}

Integer DrawingState::randomComponent()
{
    return toInteger(exactProduct(services_.rnd.Rnd(), kFullComponent));
}

void DrawingState::tmrtime_Timer()
{
    CircleDemo();
}

// The bound on the radius follows the depth of the centre, not the width: rings
// near the top stay tiny and grow towards the bottom of the window.
void DrawingState::CircleDemo()
{
    const Single r = services_.rnd.Rnd();
    const Double radius = floatResult((static_cast<Double>(centery) * kRadiusPerDepth + kRadiusAtTop) * r);
    const Colour colour = RGB(red, green, blue);
    services_.window.Circle(centerx, centery, toSingle(radius), colour);
}

void DrawingState::cmdmove_Click()
{
    pickCentre();
}

void DrawingState::cmdcolor_Click()
{
    pickColour();
}

void DrawingState::cmdclear_Click()
{
    services_.window.setFillColor(RGB(0, 0, 0));
    const Single width = services_.window.ScaleWidth();
    const Single height = services_.window.ScaleHeight();
    services_.window.LineBox(0, 0, width, height, kBlack);
}

void DrawingState::cmdslow_Click()
{
    const Long interval = services_.timer.Interval();
    services_.timer.setInterval(longAdd(interval, kPaceStep));
}

// The only handler that catches its own errors: whatever goes wrong on the way
// to a shorter interval (in practice the timer refusing a negative one), the
// timer ends at its fastest pace.
void DrawingState::cmdfast_Click()
{
    try {
        const Long interval = services_.timer.Interval();
        services_.timer.setInterval(longSubtract(interval, kPaceStep));
    } catch (const RaisedError&) {
        services_.timer.setInterval(kFastestInterval);
    }
}

void DrawingState::cmdstop_Click()
{
    services_.timer.setEnabled(kFalse);
}

void DrawingState::Form_Click()
{
    services_.timer.setEnabled(kTrue);
}

#include "platform/runner/form_host.h"

#include "platform/services/raised_error.h"

#include <cmath>
#include <utility>

FramePacing FramePacing::refreshRate(double hertz)
{
    const double rate = hertz > 0 && std::isfinite(hertz) ? hertz : kFallbackRefreshRate;
    return FramePacing(Kind::EveryPeriod,
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::duration<double>(1 / rate)));
}

void ErrorDisplay::report(const RaisedError& error)
{
    showError(describeError(error, ++count_));
}

bool AreaPress::release(bool primary, bool overTheBareArea)
{
    return std::exchange(pressed_, false) && primary && overTheBareArea;
}

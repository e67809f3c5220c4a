#include "platform/services/form_timer.h"

#include "platform/services/raised_error.h"

FormTimer::FormTimer(TimerOperations& host, std::string name)
    : host_(host)
    , name_(std::move(name))
{
}

Long FormTimer::Interval()
{
    Long interval = 0;
    raiseOnFailure(host_.getInterval(interval), name_, "Interval");
    return interval;
}

void FormTimer::setInterval(Long interval)
{
    raiseOnFailure(host_.setInterval(interval), name_, "Interval");
}

void FormTimer::setEnabled(Boolean enabled)
{
    raiseOnFailure(host_.setEnabled(enabled), name_, "Enabled");
}

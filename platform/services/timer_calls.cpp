#include "platform/services/timer_calls.h"

#include "platform/services/raised_error.h"

TimerCalls::TimerCalls(TimerOperations& host, std::string name)
    : host_(host)
    , name_(std::move(name))
{
}

Long TimerCalls::Interval()
{
    Long interval = 0;
    raiseOnFailure(host_.getInterval(interval), name_, "Interval");
    return interval;
}

void TimerCalls::setInterval(Long interval)
{
    raiseOnFailure(host_.setInterval(interval), name_, "Interval");
}

void TimerCalls::setEnabled(Boolean enabled)
{
    raiseOnFailure(host_.setEnabled(enabled), name_, "Enabled");
}

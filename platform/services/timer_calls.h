#pragma once

#include "platform/services/form_operations.h"

#include <string>

// The timer as the form's code calls it: Interval and Enabled, raising on
// failure or refusal, naming this timer and the property.
class TimerCalls {
public:
    TimerCalls(TimerOperations& host, std::string name);

    Long Interval();
    void setInterval(Long interval);
    void setEnabled(Boolean enabled);

private:
    TimerOperations& host_;
    std::string name_;
};

#pragma once

#include "platform/runner/form_host.h"

#include <string>
#include <vector>

// The null host's default error handling: a log line "error TEXT" for each
// error, numbered by ErrorDisplay. Shows nothing to anyone.
class NullErrorDisplay final : public ErrorDisplay {
public:
    explicit NullErrorDisplay(std::vector<std::string>& log)
        : log_(log)
    {
    }

private:
    void showError(const std::string& text) override { log_.push_back("error " + text); }

    std::vector<std::string>& log_;
};

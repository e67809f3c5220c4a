#pragma once

#include "platform/runner/form_host.h"

#include <cstdio>
#include <string>

// The null host's default error handling: where a real host shows the text of
// each error (numbered by ErrorDisplay) to its user, the null host writes it
// on standard error.
class NullErrorDisplay final : public ErrorDisplay {
private:
    void showError(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
};

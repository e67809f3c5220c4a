#pragma once

#include "platform/runner/form_host.h"

// The page's default error handling: one panel beside the drawing area,
// with the text and the count, announced through a live region of its own;
// its Close hides it until the next error. The panel is the page's (shell.html).
class WebErrorDisplay final : public ErrorDisplay {
private:
    void showError(const std::string& text) override;
};

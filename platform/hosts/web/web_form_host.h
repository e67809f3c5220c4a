#pragma once

#include "platform/form/project_description.h"
#include "platform/hosts/web/web_error_display.h"
#include "platform/hosts/web/web_form_window.h"
#include "platform/picture/picture.h"
#include "platform/runner/form_runner.h"

// The page as a host of one form, its parts put together:
// - the window: WebFormWindow, a canvas and buttons paced by the browser's
//   animation frames, which the page's input reaches;
// - the errors: WebErrorDisplay, a panel beside the drawing area;
// - the entry: web_entry.cpp.
// Leaves out: an event loop of its own: the browser runs it, so run() starts
//   the form and returns.
// Limitations: a hidden tab's ticks are dropped but for the last catch-up
//   burst when it is shown again. The page holds one host, which lives as long
//   as its tab.
class WebFormHost {
public:
    explicit WebFormHost(const ProjectDescription& project, HostProbe* probe = nullptr);

    // Starts the form; the browser's loop runs it from there.
    int run();

    const Picture& picture() const { return picture_; }

private:
    BrowserClock clock_;
    Picture picture_;
    WebFormWindow window_;
    WebErrorDisplay errors_;
    FormRunner runner_;
};

#pragma once

#include "platform/form/project_description.h"
#include "platform/hosts/web/web_error_display.h"
#include "platform/hosts/web/web_form_window.h"
#include "platform/picture/picture.h"
#include "platform/runner/form_host.h"
#include "platform/runner/form_runner.h"

#include <string>

// The page as a host of one form, its parts put together:
// - the window: WebFormWindow, a canvas and buttons paced by the browser's
//   animation frames;
// - the errors: WebErrorDisplay, a panel beside the drawing area;
// - the entry: web_entry.cpp; the page's input comes through the functions
//   this file exports to the page's script, to the one host of the page.
// Leaves out: an event loop of its own: the browser runs it, so run() starts
//   the form and returns.
// Limitations: a hidden tab's ticks are dropped but for the last catch-up
//   burst when it is shown again. The page holds one host, which lives as long
//   as its tab.
class WebFormHost {
public:
    explicit WebFormHost(const ProjectDescription& project, const FormRunner::Decorator& decorate = {});

    // Starts the form; the browser's loop runs it from there.
    int run();
    void click(const std::string& source) { runner_.click(source); }
    void areaClick() { runner_.clickArea(); }
    void areaPress(bool primary) { press_.press(primary); }
    void areaRelease(bool primary, bool overTheBareArea);
    // The browser took the pointer back (a scroll, a system gesture).
    void areaPressCancelled() { press_.cancel(); }
    // The page was hidden or shown again.
    void visibilityChanged() { runner_.pacingChanged(); }
    // The area's box has this many device pixels at this density: at the
    // start, and after a move to another screen or a zoom.
    void areaSized(double devicePixelRatio, int deviceWidth, int deviceHeight);

    const Picture& picture() const { return picture_; }

private:
    BrowserClock clock_;
    Picture picture_;
    WebFormWindow window_;
    WebErrorDisplay errors_;
    FormRunner runner_;
    AreaPress press_;
};

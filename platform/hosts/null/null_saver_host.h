#pragma once

#include "platform/form/project_description.h"
#include "platform/hosts/null/null_window.h"
#include "platform/picture/picture.h"
#include "platform/runner/monotonic_clock.h"
#include "platform/runner/saver_runner.h"

#include <chrono>

// The null host as a screen saver: the smallest saver host, the template a
// new one is copied from. Its parts are those of every saver host:
// - the window: NullWindow, the form's window without its buttons, over a
//   screen of the form's size; where a new host covers the screen, shows the
//   picture and passes the input that ends it;
// - the errors: UnseenErrorDisplay, as every saver shows them;
// - this class, the parts put together with SaverRunner at the change period
//   given, and run(), its loop.
// Leaves out: settings, which a real saver reads where its platform keeps
//   them (its entry gives the period here), and ending: its window passes
//   the input that ends it, whose answer a real host acts on.
// Limitations: as NullFormHost's, its loop ends kShownFor after the start.
class NullSaverHost {
public:
    static constexpr std::chrono::seconds kShownFor {1};

    NullSaverHost(const ProjectDescription& project, std::chrono::seconds changeEvery);

    void start() { saver_.start(); }
    // Starts, then wakes at every wake-up asked for, for kShownFor. Returns 0.
    int run();

    NullWindow& window() { return window_; }
    const Picture& picture() const { return picture_; }

private:
    SteadyClock clock_;
    Picture picture_;
    NullWindow window_;
    UnseenErrorDisplay errors_;
    SaverRunner saver_;
};

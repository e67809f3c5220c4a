#pragma once

#include "platform/form/project_description.h"
#include "platform/hosts/web/web_window.h"
#include "platform/picture/picture.h"
#include "platform/runner/saver_runner.h"

// The page as a screen saver (Tessary.html#saver), its parts put together:
// - the window: WebWindow, the drawing area alone, full screen at the
//   screen's device pixels once the page's start button has put it there
//   (the Fullscreen API needs that gesture);
// - the errors: UnseenErrorDisplay;
// - SaverRunner, with the default change period.
// Leaves out: the start button and leaving full screen, which are the page's
//   (shell.html): it asks the program whether each key, click or move ends
//   the saver, and then starts afresh with its start button. It never asks
//   for a wake lock: a saver lets the screen sleep.
// Limitations: the saver starts when the page first says the drawing area's
//   full-screen size.
class WebSaverHost {
public:
    explicit WebSaverHost(const ProjectDescription& project);

    // Waits for the page to size the drawing area; the browser's loop runs it.
    int run();

private:
    BrowserClock clock_;
    Picture picture_;
    WebWindow window_;
    UnseenErrorDisplay errors_;
    SaverRunner saver_;
};

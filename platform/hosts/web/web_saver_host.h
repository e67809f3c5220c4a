#pragma once

#include "platform/form/project_description.h"
#include "platform/hosts/web/web_window.h"
#include "platform/picture/picture.h"
#include "platform/runner/saver_runner.h"
#include "platform/services/scalar_types.h"

// The page as a screen saver (Tessary.html#saver), its parts put together:
// - the window: WebWindow, the drawing area alone, full screen at the
//   screen's device pixels once the page's start button has put it there
//   (the Fullscreen API needs that gesture);
// - the errors: UnseenErrorDisplay;
// - SaverRunner, with the default change period.
// - the start page's button, in the face of the form's buttons.
// Leaves out: the start page, full screen (or, where the browser gives none,
//   the page's whole view) and leaving it, which are the page's (shell.html):
//   it asks the program whether each key, click or move ends the saver, and
//   then starts afresh with its start page. It never asks
//   for a wake lock: a saver lets the screen sleep.
// Limitations: the saver starts when the page first says the drawing area's
//   full-screen size.
class WebSaverHost {
public:
    explicit WebSaverHost(const ProjectDescription& project);

    // Offers the start page, and waits for the page to size the drawing area;
    // the browser's loop runs it.
    int run();

private:
    Colour startFace_;
    BrowserClock clock_;
    Picture picture_;
    WebWindow window_;
    UnseenErrorDisplay errors_;
    SaverRunner saver_;
};

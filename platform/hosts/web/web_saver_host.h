#pragma once

#include "platform/form/project_description.h"
#include "platform/hosts/web/web_form_window.h"
#include "platform/picture/picture.h"
#include "platform/runner/saver_runner.h"
#include "platform/runner/still_pointer.h"

// The page as a screen saver (Tessary.html#saver), its parts put together:
// - the window: WebFormWindow without its buttons, the drawing area full
//   screen at the screen's device pixels once the page's start button has
//   put it there (the Fullscreen API needs that gesture);
// - the errors: UnseenErrorDisplay;
// - SaverRunner, with the default change period.
// Leaves out: input, the start button and leaving full screen, which are the
//   page's (shell.html): any key or click leaves, and so does a move of the
//   pointer that the program's StillPointer takes for a person's; the page
//   then starts afresh with its start button. It never asks for a wake lock:
//   a saver lets the screen sleep.
// Limitations: the saver starts when the page first says the drawing area's
//   full-screen size.
class WebSaverHost {
public:
    explicit WebSaverHost(const ProjectDescription& project);

    // Waits for the page to size the drawing area; the browser's loop runs it.
    int run() { return 0; }
    // The drawing area has this logical (CSS) size and these device pixels.
    void areaSized(int logicalWidth, int logicalHeight, double devicePixelRatio, int deviceWidth, int deviceHeight);
    // The pointer is here (CSS pixels): whether a person moved it.
    bool pointerMoved(double x, double y) { return pointer_.movedAway(x, y); }

private:
    BrowserClock clock_;
    Picture picture_;
    WebFormWindow window_;
    UnseenErrorDisplay errors_;
    SaverRunner saver_;
    StillPointer pointer_;
    bool started_ = false;
};

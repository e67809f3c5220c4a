#pragma once

#include "platform/form/project_description.h"
#include "platform/hosts/win32/win32_saver_window.h"
#include "platform/picture/picture.h"
#include "platform/runner/monotonic_clock.h"
#include "platform/runner/saver_runner.h"

#include <chrono>

// The program as a Windows screen saver (Tessary.scr), its parts put together:
// - the window: Win32SaverWindow, full screen or the preview, the picture
//   one to one, with its Win32Alarm paced by the monitor's frames;
// - the errors: UnseenErrorDisplay;
// - SaverRunner, at the change period the settings hold;
// - the entry: win32_saver_entry.cpp, which reads Windows' arguments, shows
//   the settings (Win32SaverSettings) and says why it could not start;
// - run(), the message loop.
// Leaves out: a password on resume (Windows' own since Windows 2000) and
//   the mouse and keyboard hooks of old savers.
// Limitations: one window over the whole virtual screen, at the dpi of the
//   monitor most of it lies on; the picture's memory spans every monitor.
class Win32SaverHost {
public:
    // Full screen where parent is null, else the preview inside it. Throws
    // Win32StartFailure where the window or its timer cannot be made.
    Win32SaverHost(const ProjectDescription& project, HWND parent, std::chrono::seconds changeEvery, HostProbe* probe = nullptr);

    // Starts the saver and runs the message loop until its window closes.
    int run();
    const Picture& picture() const { return picture_; }

private:
    SteadyClock clock_;
    Picture picture_;
    Win32SaverWindow window_;
    UnseenErrorDisplay errors_;
    SaverRunner saver_;
    HostProbe* probe_;
};

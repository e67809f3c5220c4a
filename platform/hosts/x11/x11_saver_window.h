#pragma once

#include "platform/hosts/x11/x11_visual_format.h"
#include "platform/picture/picture.h"
#include "platform/runner/form_host.h"
#include "platform/runner/held_alarm.h"
#include "platform/runner/runner_events.h"

#include <X11/Xlib.h>

#include <memory>
#include <optional>
#include <vector>

// The screen saver's window on X: one that XScreenSaver (or a person) made,
// never one of its own. It puts the picture's changed box there through
// memory shared with the server (X11SharedImage) where the server offers it,
// else with XPutImage, straight from the picture's memory where the window's
// visual takes the picture's pixels as they are; for any other visual the
// box is converted on the way (X11VisualFormat). It follows the window's size;
// says when it is mapped or not; and holds the one pending wake-up, which
// the host's loop waits for. It takes no input: XScreenSaver watches that.
class X11SharedImage;

class X11SaverWindow final : public HostWindow {
public:
    // Throws std::runtime_error where the window cannot be reached or its
    // visual is not true colour.
    X11SaverWindow(Display* display, Window window, const Picture& picture);
    ~X11SaverWindow() override;
    X11SaverWindow(const X11SaverWindow&) = delete;
    X11SaverWindow& operator=(const X11SaverWindow&) = delete;

    // The runner its size and pacing go to (its size in device pixels: the
    // module draws one logical pixel to one).
    void reportTo(RunnerEvents& runner) { runner_ = &runner; }
    // Tells the runner its size, as after a change.
    void sized();
    // One event of the display's. Returns false once the window is gone.
    bool handle(const XEvent& event);
    HeldAlarm& alarm() { return alarm_; }

    void show() override;
    void showChanges(const InclusiveBox& box) override;
    FramePacing pacing() const override;
    void arm(std::optional<MonotonicClock::TimePoint> when) override { alarm_.arm(when); }

private:
    void putImage(int left, int top, int width, int height);
    // Puts the box through shared memory; false where there is none to be had.
    bool putShared(int left, int top, int width, int height);

    Display* display_;
    Window window_;
    const Picture& picture_;
    GC gc_ = nullptr;
    int depth_ = 0;
    Visual* visual_ = nullptr;
    std::optional<X11VisualFormat> format_;
    // The changed box in the visual's pixels, where they are not the picture's.
    std::vector<char> converted_;
    // The image shared with the server, of the picture's size; none yet, or
    // none to be had (sharedRefused_).
    std::unique_ptr<X11SharedImage> shared_;
    bool sharedRefused_ = false;
    int width_ = 0;
    int height_ = 0;
    bool mapped_ = false;
    HeldAlarm alarm_;
    RunnerEvents* runner_ = nullptr;
};

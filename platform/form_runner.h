#pragma once

#include "platform/cadence_timer.h"
#include "platform/error_reporter.h"
#include "platform/form_layout.h"
#include "platform/form_session.h"
#include "platform/form_surface.h"
#include "platform/mersenne_sequence.h"
#include "platform/picture.h"
#include "platform/picture_window.h"
#include "platform/runtime.h"
#include "platform/wake_up_alarm.h"

#include <functional>
#include <memory>
#include <string_view>

// The way a form runs, the same on every host: Load, then the window shown,
// then the ticks; on each wake-up every tick that fell due, in order, then the
// screen brought up to date once; on input, the ticks due before it first,
// then its handler, then the screen. The wake-ups are paced by the frame of
// the window's screen, and by CadenceTimer::kLongestWake while none of it can
// be seen. The form's code draws into the picture through PictureWindow.
// Anything thrown that is not a raised error is stopped here and reported as
// an error, so no exception reaches a host's event loop.
// A host supplies its facilities (FormRunner::Host) and its buttons, and calls
// start(), wake() when its alarm rings, input() for a click or key, and
// resize() and frameChanged() when its window says so.
class FormRunner {
public:
    struct Host {
        FormSurface& surface;
        WakeUpAlarm& alarm;
        ErrorReporter& errors;
        const MonotonicClock& clock;
    };
    // Builds what stands between the form's code and the window, around the
    // window it is given: to watch its calls or fail them.
    using Decorator = std::function<std::unique_ptr<WindowOperations>(WindowOperations& window)>;

    FormRunner(const ProjectDescription& project, Picture& picture, Host host, const Decorator& decorate = {});

    // Runs the Load handler, then shows the window and lets the timer tick.
    void start();
    // Delivers every tick due by now, then shows what they drew.
    void wake();
    // A click on the named button, or on the bare area by the form's own name.
    void input(std::string_view source);
    // A click on the bare area.
    void areaInput() { input(session_->definition().name); }
    // The window's size or density changed.
    void resize(int logicalWidth, int logicalHeight, double devicePixelRatio);
    // The window's frame changed: another screen or refresh rate, hidden or shown.
    void frameChanged();

    const FormLayout& layout() const { return layout_; }
    FormSession& session() { return *session_; }
    CadenceTimer& timer() { return timer_; }
    // What the form's code draws through.
    WindowOperations& window() { return decorator_ ? *decorator_ : pictureWindow_; }

private:
    template <class Step>
    void guarded(const Step& step);
    void flush();
    void armAlarm();

    FormLayout layout_;
    Picture& picture_;
    Host host_;
    PictureWindow pictureWindow_;
    std::unique_ptr<WindowOperations> decorator_;
    CadenceTimer timer_;
    MersenneSequence rnd_;
    std::unique_ptr<FormSession> session_;
};

#pragma once

#include "platform/form/form_layout.h"
#include "platform/form/form_session.h"
#include "platform/form/project_description.h"
#include "platform/picture/picture.h"
#include "platform/picture/picture_drawing.h"
#include "platform/runner/cadence_timer.h"
#include "platform/runner/form_host.h"
#include "platform/services/mersenne_sequence.h"

#include <exception>
#include <functional>
#include <memory>
#include <string_view>

// The way a form runs, the same on every host: Load, then the window shown,
// then the ticks; on each wake-up every tick that fell due, in order, then the
// screen brought up to date once; on a click, the ticks due before it first,
// then its handler, then the screen. The wake-ups are paced as the host's
// FramePacing says. The form's code draws into the picture through
// PictureDrawing. Anything thrown that is not a raised error is stopped here
// and reported as an error, so no exception reaches a host's event loop.
// What a host supplies and calls is in platform/runner/form_host.h.
class FormRunner {
public:
    // A host's parts, as form_host.h names them.
    struct Host {
        HostWindow& window;
        ErrorDisplay& errors;
        const MonotonicClock& clock;
    };
    // Builds what stands between the form's code and the window, around the
    // window it is given: to watch its calls or fail them.
    using Decorator = std::function<std::unique_ptr<WindowOperations>(WindowOperations& window)>;
    // The decorator that builds a Window around the window, saying where.
    template <class Window>
    static Decorator decorator(Window*& built)
    {
        return [&built](WindowOperations& window) {
            auto made = std::make_unique<Window>(window);
            built = made.get();
            return made;
        };
    }

    FormRunner(const ProjectDescription& project, Picture& picture, Host host, const Decorator& decorate = {});

    // Runs the Load handler, then shows the window and lets the timer tick.
    void start();
    // Delivers every tick due by now, then shows what they drew.
    void wake();
    // A click on the named button, or on the bare area by the form's own name.
    void click(std::string_view source);
    void clickArea() { click(session_->definition().name); }
    // The window's size or density changed: the whole picture is shown anew.
    void resize(int logicalWidth, int logicalHeight, double devicePixelRatio);
    // The same at the device size the platform gives the area.
    void resize(int logicalWidth, int logicalHeight, double devicePixelRatio, int deviceWidth, int deviceHeight);
    // The host's FramePacing changed: another screen or refresh rate, hidden or shown.
    void pacingChanged();
    // Something was thrown in the host's own code, where no call of the
    // runner's stood (a window procedure): reported as any other, and what
    // fails in reporting it is dropped.
    void escaped(std::exception_ptr thrown) noexcept;

    const FormLayout& layout() const { return layout_; }
    FormSession& session() { return *session_; }
    CadenceTimer& timer() { return timer_; }
    // What the form's code draws through.
    WindowOperations& window() { return decorator_ ? *decorator_ : pictureDrawing_; }

private:
    template <class Step>
    void guarded(const Step& step);
    void flush();
    void armAlarm();

    FormLayout layout_;
    Picture& picture_;
    Host host_;
    PictureDrawing pictureDrawing_;
    std::unique_ptr<WindowOperations> decorator_;
    CadenceTimer timer_;
    MersenneSequence rnd_;
    std::unique_ptr<FormSession> session_;
};

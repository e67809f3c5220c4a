#pragma once

#include "platform/form/form_layout.h"
#include "platform/form/form_session.h"
#include "platform/form/project_description.h"
#include "platform/picture/picture.h"
#include "platform/picture/picture_drawing.h"
#include "platform/runner/cadence_timer.h"
#include "platform/runner/form_host.h"
#include "platform/runner/host_probe.h"
#include "platform/runner/runner_events.h"
#include "platform/services/mersenne_sequence.h"

#include <exception>
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
class FormRunner final : public RunnerEvents {
public:
    // A host's parts, as form_host.h names them, and what a bench or a test
    // watches of it.
    struct Host {
        HostWindow& window;
        ErrorDisplay& errors;
        const MonotonicClock& clock;
        HostProbe* probe = nullptr;
    };

    FormRunner(const ProjectDescription& project, Picture& picture, Host host);

    // Runs the Load handler, then shows the window and lets the timer tick.
    void start() override;
    // Delivers every tick due by now, then shows what they drew.
    void wake() override;
    // The window's size or density changed: the whole picture is shown anew.
    void resize(int logicalWidth, int logicalHeight, double devicePixelRatio) override;
    void resize(int logicalWidth, int logicalHeight, double devicePixelRatio, int deviceWidth, int deviceHeight) override;
    // The host's FramePacing changed: another screen or refresh rate, hidden or shown.
    void pacingChanged() override;
    // Reported as any other error; what fails in reporting it is dropped.
    void escaped(std::exception_ptr thrown) noexcept override;
    // A click on the named button, or on the bare area by the form's own name.
    InputAnswer click(std::string_view source) override;
    InputAnswer clickArea() override { return click(session_->definition().name); }
    InputAnswer areaKey(FormLook::Key key, bool modified, bool repeated) override;
    InputAnswer pointerMoved(double, double) override { return InputAnswer::PassedOn; }

    const FormLayout& layout() const { return layout_; }
    FormSession& session() { return *session_; }
    CadenceTimer& timer() { return timer_; }
    // What the form's code draws through.
    WindowOperations& window() { return probed_ ? *probed_ : pictureDrawing_; }

private:
    // Runs the step, reporting what it throws; false where it threw.
    template <class Step>
    bool guarded(const Step& step);
    void flush();
    void armAlarm();

    FormLayout layout_;
    Picture& picture_;
    Host host_;
    PictureDrawing pictureDrawing_;
    std::unique_ptr<WindowOperations> probed_;
    CadenceTimer timer_;
    MersenneSequence rnd_;
    std::unique_ptr<FormSession> session_;
};

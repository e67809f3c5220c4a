#include "platform/runner/form_runner.h"

#include "platform/services/raised_error.h"

#include <exception>

FormRunner::FormRunner(const ProjectDescription& project, Picture& picture, Host host)
    : layout_(*project.startupForm)
    , picture_(picture)
    , host_(host)
    , pictureDrawing_(picture)
    , probed_(host.probe ? host.probe->wrap(pictureDrawing_) : nullptr)
    , timer_(project.startupForm->timer, host.clock)
    , session_(project.startupForm->open({window(), timer_, rnd_, host.errors}))
{
    timer_.onScheduleChanged([this] { armAlarm(); });
}

void FormRunner::armAlarm()
{
    host_.window.arm(timer_.nextWake());
}

template <class Step>
bool FormRunner::guarded(const Step& step)
{
    try {
        step();
        return true;
    } catch (const RaisedError& error) {
        host_.errors.report(error);
    } catch (const std::exception& unexpected) {
        host_.errors.report(RaisedError::unexpected(unexpected.what()));
    } catch (...) {
        host_.errors.report(RaisedError::unexpected("an exception of unknown type"));
    }
    return false;
}

// The timer says when its schedule changed, and the alarm follows it then;
// a step that threw may have left the timer before it could say so, and only
// then is the alarm armed here, so that the ticks go on. Arming it again after
// every step would cost each frame a second system call for the same time.
void FormRunner::start()
{
    if (!guarded([this] {
            session_->load();
            host_.window.show();
            pacingChanged();
            timer_.start([this] { session_->tick(); });
        }))
        armAlarm();
}

void FormRunner::wake()
{
    if (!guarded([this] { timer_.wake(); }))
        armAlarm();
    flush();
}

InputAnswer FormRunner::click(std::string_view source)
{
    if (!guarded([this, source] {
            timer_.catchUp();
            session_->click(source);
        }))
        armAlarm();
    flush();
    return InputAnswer::Taken;
}

InputAnswer FormRunner::areaKey(FormLook::Key key, bool modified, bool repeated)
{
    switch (FormLook::areaKey(key, modified, repeated)) {
    case FormLook::KeyAction::PassedOn:
        return InputAnswer::PassedOn;
    case FormLook::KeyAction::Kept:
        return InputAnswer::Taken;
    case FormLook::KeyAction::Clicks:
        return clickArea();
    }
    return InputAnswer::PassedOn;
}

void FormRunner::resize(int logicalWidth, int logicalHeight, double devicePixelRatio)
{
    guarded([&] { picture_.resize(logicalWidth, logicalHeight, devicePixelRatio); });
    flush();
}

void FormRunner::resize(int logicalWidth, int logicalHeight, double devicePixelRatio, int deviceWidth, int deviceHeight)
{
    guarded([&] { picture_.resize(logicalWidth, logicalHeight, devicePixelRatio, deviceWidth, deviceHeight); });
    flush();
}

void FormRunner::pacingChanged()
{
    const FramePacing pacing = host_.window.pacing();
    switch (pacing.kind()) {
    case FramePacing::Kind::Unseen:
        timer_.setShortestWake(CadenceTimer::kLongestWake);
        break;
    case FramePacing::Kind::ByThePlatform:
        timer_.setShortestWake(CadenceTimer::Duration::zero());
        break;
    case FramePacing::Kind::EveryPeriod:
        timer_.setShortestWake(std::chrono::duration_cast<CadenceTimer::Duration>(pacing.period()));
        break;
    }
}

void FormRunner::escaped(std::exception_ptr thrown) noexcept
{
    try {
        guarded([thrown] { std::rethrow_exception(thrown); });
    } catch (...) {
    }
}

void FormRunner::flush()
{
    const InclusiveBox changed = picture_.takeChanged();
    if (!changed.empty())
        guarded([&] { host_.window.showChanges(changed); });
}

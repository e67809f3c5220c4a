#include "platform/hosts/null/null_form_host.h"

NullFormHost::NullFormHost(const ProjectDescription& project, const MonotonicClock& clock, const FormRunner::Decorator& decorate)
    : clock_(clock)
    , picture_(*project.startupForm)
    , runner_(project, picture_, {window_, errors_, clock}, decorate)
{
    setDensity(kNoDensity);
}

int NullFormHost::run(MonotonicClock::TimePoint until)
{
    start();
    window_.alarm().sleepAndRing(clock_, until, [this] { runner_.wake(); });
    return errors_.count() == 0 ? 0 : 1;
}

bool NullFormHost::wakeIfDue()
{
    return window_.alarm().ringIfDue(clock_.now(), [this] { runner_.wake(); });
}

void NullFormHost::setPacing(FramePacing pacing)
{
    window_.setPacing(pacing);
    runner_.pacingChanged();
}

void NullFormHost::setDensity(double devicePixelRatio)
{
    runner_.resize(runner_.layout().clientWidth(), runner_.layout().clientHeight(), devicePixelRatio);
}

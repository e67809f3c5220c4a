#include "platform/hosts/null/null_saver_host.h"

#include "platform/form/form_layout.h"

NullSaverHost::NullSaverHost(const ProjectDescription& project, const MonotonicClock& clock, std::chrono::seconds changeEvery,
    const FormRunner::Decorator& decorate)
    : clock_(clock)
    , picture_(*project.startupForm)
    , saver_(project, picture_, {window_, errors_, clock}, changeEvery, decorate)
{
    const FormLayout screen(*project.startupForm);
    saver_.runner().resize(screen.clientWidth(), screen.clientHeight(), kNoDensity);
}

int NullSaverHost::run(MonotonicClock::TimePoint until)
{
    start();
    window_.alarm().sleepAndRing(clock_, until, [this] { saver_.wake(); });
    return errors_.count() == 0 ? 0 : 1;
}

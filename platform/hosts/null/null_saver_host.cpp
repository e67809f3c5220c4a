#include "platform/hosts/null/null_saver_host.h"

#include "platform/form/form_layout.h"

NullSaverHost::NullSaverHost(const ProjectDescription& project, std::chrono::seconds changeEvery)
    : picture_(*project.startupForm)
    , window_(picture_, FormLayout(*project.startupForm).clientWidth(), FormLayout(*project.startupForm).clientHeight())
    , saver_(project, picture_, {window_, errors_, clock_}, changeEvery)
{
    window_.reportTo(saver_);
    window_.sized();
}

int NullSaverHost::run()
{
    start();
    window_.alarm().sleepAndRing(clock_, clock_.now() + kShownFor, [this] { saver_.wake(); });
    return 0;
}

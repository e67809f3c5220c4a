#include "platform/hosts/null/null_form_host.h"

NullFormHost::NullFormHost(const ProjectDescription& project)
    : layout_(*project.startupForm)
    , picture_(*project.startupForm)
    , window_(layout_, picture_)
    , runner_(project, picture_, {window_, errors_, clock_})
{
    window_.reportTo(runner_);
    window_.sized();
}

int NullFormHost::run()
{
    start();
    window_.alarm().sleepAndRing(clock_, clock_.now() + kShownFor, [this] { runner_.wake(); });
    return errors_.count() == 0 ? 0 : 1;
}

#include "platform/hosts/null/null_host.h"

NullHost::NullHost(const ProjectDescription& project, const MonotonicClock& clock, const FormRunner::Decorator& decorate)
    : clock_(clock)
    , picture_(*project.startupForm)
    , runner_(project, picture_, {*this, *this, *this, clock}, decorate)
{
    setDensity(kNoDensity);
}

bool NullHost::wakeIfDue()
{
    if (!alarm_ || clock_.now() < *alarm_)
        return false;
    alarm_.reset();
    runner_.wake();
    return true;
}

void NullHost::setPacing(FramePacing pacing)
{
    pacing_ = pacing;
    runner_.pacingChanged();
}

void NullHost::setDensity(double devicePixelRatio)
{
    runner_.resize(runner_.layout().clientWidth(), runner_.layout().clientHeight(), devicePixelRatio);
}

void NullHost::show()
{
    log_.emplace_back("show");
}

void NullHost::showChanges(const InclusiveBox& box)
{
    log_.push_back("changes " + std::to_string(box.left) + " " + std::to_string(box.top) + " " + std::to_string(box.right)
        + " " + std::to_string(box.bottom));
}

void NullHost::showError(const std::string& text)
{
    log_.push_back("error " + text);
}

#include "platform/runner/saver_runner.h"

#include <algorithm>

std::chrono::seconds SaverRunner::changePeriod(long long seconds)
{
    return std::chrono::seconds(std::clamp<long long>(seconds, kShortestChange.count(), kLongestChange.count()));
}

SaverRunner::Window::Window(HostWindow& host, const std::optional<MonotonicClock::TimePoint>& nextChange)
    : host_(host)
    , nextChange_(nextChange)
{
}

void SaverRunner::Window::arm(std::optional<MonotonicClock::TimePoint> when)
{
    formWake_ = when;
    if (!when)
        host_.arm(nextChange_);
    else if (!nextChange_)
        host_.arm(when);
    else
        host_.arm(std::min(*when, *nextChange_));
}

SaverRunner::SaverRunner(const ProjectDescription& project, Picture& picture, FormRunner::Host host,
    std::chrono::seconds changeEvery)
    : project_(project)
    , clock_(host.clock)
    , changeEvery_(changePeriod(changeEvery.count()))
    , window_(host.window, nextChange_)
    , runner_(project, picture, {window_, host.errors, host.clock, host.probe})
{
}

void SaverRunner::start()
{
    nextChange_ = clock_.now() + changeEvery_;
    runner_.start();
}

void SaverRunner::wake()
{
    const MonotonicClock::TimePoint now = clock_.now();
    if (nextChange_ && now >= *nextChange_) {
        // After a long sleep, one change, and the next a whole period on.
        nextChange_ = *nextChange_ + changeEvery_ > now ? *nextChange_ + changeEvery_ : now + changeEvery_;
        for (const std::string_view button : project_.saverClicks)
            runner_.click(button);
    }
    if (window_.formWake() && now >= *window_.formWake())
        runner_.wake();
    else
        window_.rearm();
}

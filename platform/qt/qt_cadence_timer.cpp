#include "platform/qt/qt_cadence_timer.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace {

constexpr long kNanosecondsPerSecond = 1'000'000'000;

} // namespace

QtCadenceTimer::QtCadenceTimer(const TimerDefinition& definition, const MonotonicClock& clock)
    : clock_(clock)
    , cadence_(definition, clock)
    , alarm_(timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC))
{
    if (alarm_ < 0)
        throw std::runtime_error("the timer could not be created");
    ringing_ = std::make_unique<QSocketNotifier>(alarm_, QSocketNotifier::Read);
    QObject::connect(ringing_.get(), &QSocketNotifier::activated, [this] {
        std::uint64_t expirations = 0;
        [[maybe_unused]] const auto read = ::read(alarm_, &expirations, sizeof expirations);
        armed_ = false;
        wake();
    });
}

QtCadenceTimer::~QtCadenceTimer()
{
    ringing_.reset();
    ::close(alarm_);
}

void QtCadenceTimer::start(std::function<void()> onTick, std::function<void()> onWoken)
{
    onWoken_ = std::move(onWoken);
    cadence_.start(std::move(onTick));
    arm();
}

void QtCadenceTimer::wake()
{
    cadence_.wake();
    if (onWoken_)
        onWoken_();
    arm();
}

void QtCadenceTimer::catchUp()
{
    cadence_.catchUp();
    arm();
}

void QtCadenceTimer::setShortestWake(CadenceTimer::Duration shortest)
{
    cadence_.setShortestWake(shortest);
    arm();
}

ErrorNumber QtCadenceTimer::getInterval(Long& interval)
{
    return cadence_.getInterval(interval);
}

ErrorNumber QtCadenceTimer::setInterval(Long interval)
{
    const ErrorNumber result = cadence_.setInterval(interval);
    arm();
    return result;
}

ErrorNumber QtCadenceTimer::setEnabled(Boolean enabled)
{
    const ErrorNumber result = cadence_.setEnabled(enabled);
    arm();
    return result;
}

void QtCadenceTimer::arm()
{
    const auto wake = cadence_.nextWake();
    itimerspec when {}; // all zero: disarmed
    if (wake) {
        // A zero time would disarm the kernel timer: a wake-up due already
        // comes after the shortest wait there is.
        const long long wait = std::max<long long>(1, std::chrono::nanoseconds(*wake - clock_.now()).count());
        when.it_value.tv_sec = static_cast<time_t>(wait / kNanosecondsPerSecond);
        when.it_value.tv_nsec = static_cast<long>(wait % kNanosecondsPerSecond);
    }
    timerfd_settime(alarm_, 0, &when, nullptr);
    armed_ = wake.has_value();
}

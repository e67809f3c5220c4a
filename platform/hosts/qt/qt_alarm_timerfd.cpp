#include "platform/hosts/qt/qt_alarm.h"

#include <QSocketNotifier>

#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace {

constexpr long kNanosecondsPerSecond = 1'000'000'000;

} // namespace

struct QtAlarm::Waker {
    int fd = -1;
    std::unique_ptr<QSocketNotifier> ringing;

    ~Waker()
    {
        ringing.reset();
        if (fd >= 0)
            ::close(fd);
    }
};

QtAlarm::QtAlarm(const MonotonicClock& clock, std::function<void()> onRing)
    : clock_(clock)
    , onRing_(std::move(onRing))
    , waker_(std::make_unique<Waker>())
{
    waker_->fd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (waker_->fd < 0)
        throw std::runtime_error("the timer could not be created");
    waker_->ringing = std::make_unique<QSocketNotifier>(waker_->fd, QSocketNotifier::Read);
    QObject::connect(waker_->ringing.get(), &QSocketNotifier::activated, [this] {
        std::uint64_t expirations = 0;
        [[maybe_unused]] const auto read = ::read(waker_->fd, &expirations, sizeof expirations);
        ring();
    });
}

QtAlarm::~QtAlarm() = default;

void QtAlarm::arm(std::optional<MonotonicClock::TimePoint> when)
{
    itimerspec due {}; // all zero: disarmed
    if (when) {
        // A zero time would disarm the kernel timer: a wake-up due already
        // comes after the shortest wait there is.
        const long long wait = std::max<long long>(1, std::chrono::nanoseconds(*when - clock_.now()).count());
        due.it_value.tv_sec = static_cast<time_t>(wait / kNanosecondsPerSecond);
        due.it_value.tv_nsec = static_cast<long>(wait % kNanosecondsPerSecond);
    }
    timerfd_settime(waker_->fd, 0, &due, nullptr);
    armed_ = when.has_value();
}

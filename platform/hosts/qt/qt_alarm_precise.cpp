#include "platform/hosts/qt/qt_alarm.h"

#include <QTimer>

#include <chrono>

struct QtAlarm::Waker {
    QTimer timer;
};

QtAlarm::QtAlarm(const MonotonicClock& clock, std::function<void()> onRing)
    : clock_(clock)
    , onRing_(std::move(onRing))
    , waker_(std::make_unique<Waker>())
{
    waker_->timer.setSingleShot(true);
    waker_->timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&waker_->timer, &QTimer::timeout, [this] { ring(); });
}

QtAlarm::~QtAlarm() = default;

void QtAlarm::arm(std::optional<MonotonicClock::TimePoint> when)
{
    armed_ = when.has_value();
    if (!when) {
        waker_->timer.stop();
        return;
    }
    // Qt counts in whole milliseconds: round up, so that it never rings
    // before the time it was armed for.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*when - clock_.now());
    waker_->timer.start(std::max(wait, std::chrono::milliseconds::zero()));
}

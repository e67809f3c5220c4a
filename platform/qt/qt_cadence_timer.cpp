#include "platform/qt/qt_cadence_timer.h"

#include <algorithm>

QtCadenceTimer::QtCadenceTimer(const TimerDefinition& definition, const MonotonicClock& clock)
    : clock_(clock)
    , cadence_(definition, clock)
{
    alarm_.setSingleShot(true);
    alarm_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&alarm_, &QTimer::timeout, [this] { wake(); });
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
    if (!wake) {
        alarm_.stop();
        return;
    }
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*wake - clock_.now());
    alarm_.start(std::max(wait, std::chrono::milliseconds(0)));
}

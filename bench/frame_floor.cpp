#include "bench/frame_floor.h"

#include "platform/form/form_layout.h"
#include "window/frmtessary.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include <chrono>
#include <cmath>

namespace {
// The window's size as Tessary opens it.
const FormLayout kDefined(frmtessary);
const int kWidth = kDefined.clientWidth();
const int kHeight = kDefined.clientHeight();
constexpr int kLargestRadius = 50;
constexpr double kMsPerSecond = 1000;
} // namespace

FrameFloor::FrameFloor(std::function<void()> onFrame)
    : onFrame_(std::move(onFrame))
    , image_(kWidth, kHeight, QImage::Format_RGB32)
{
    resize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    image_.fill(Qt::black);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { frame(); });
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.start(static_cast<int>(std::lround(kMsPerSecond / QGuiApplication::primaryScreen()->refreshRate())));
}

void FrameFloor::frame()
{
    const int radius = std::uniform_int_distribution<int>(1, kLargestRadius)(random_);
    const QPoint centre(kWidth / 2, kHeight / 2);
    QPainter painter(&image_);
    painter.setPen(QColor::fromRgb(random_()));
    painter.setBrush(Qt::black);
    painter.drawEllipse(centre, radius, radius);
    painter.end();
    repaint(QRect(centre - QPoint(radius + 1, radius + 1), centre + QPoint(radius + 1, radius + 1)));
    onFrame_();
}

void FrameFloor::paintEvent(QPaintEvent* event)
{
    ++repaints_;
    QPainter painter(this);
    painter.drawImage(event->rect(), image_, event->rect());
}

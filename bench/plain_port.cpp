#include "bench/plain_port.h"

#include "platform/form/form_layout.h"
#include "window/frmtessary.h"

#include <QPaintEvent>
#include <QPainter>

namespace {
// The window's size as Tessary opens it.
const FormLayout kDefined(frmtessary);
const int kWidth = kDefined.clientWidth();
const int kHeight = kDefined.clientHeight();
constexpr int kIntervalMs = 1;
} // namespace

PlainPort::PlainPort(std::function<void()> onTick)
    : onTick_(std::move(onTick))
    , image_(kWidth, kHeight, QImage::Format_RGB32)
{
    resize(kWidth, kHeight);
    image_.fill(Qt::black);
    std::uniform_real_distribution<double> unit(0, 1);
    centre_ = QPointF(unit(random_) * kWidth, unit(random_) * kHeight);
    colour_ = QColor::fromRgbF(unit(random_), unit(random_), unit(random_));
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
    timer_.start(kIntervalMs);
}

void PlainPort::tick()
{
    const double radius = std::uniform_real_distribution<double>(0, centre_.y() / 2 + 1)(random_);
    QPainter painter(&image_);
    painter.setPen(colour_);
    painter.setBrush(Qt::black);
    painter.drawEllipse(centre_, radius, radius);
    update(QRectF(centre_.x() - radius - 1, centre_.y() - radius - 1, 2 * radius + 2, 2 * radius + 2).toAlignedRect());
    onTick_();
}

void PlainPort::paintEvent(QPaintEvent* event)
{
    ++repaints_;
    QPainter painter(this);
    painter.drawImage(event->rect(), image_, event->rect());
}

#include "platform/qt/qt_canvas.h"

#include <QPainter>

namespace {

// An outline can reach half a device pixel past its geometry, rounded outward.
constexpr int kOutlineMargin = 1;

QRect changedArea(const QRectF& bounds, QSize clip)
{
    return bounds.toAlignedRect()
        .adjusted(-kOutlineMargin, -kOutlineMargin, kOutlineMargin, kOutlineMargin)
        .intersected(QRect(QPoint(0, 0), clip));
}

} // namespace

QtCanvas::QtCanvas(QColor background)
    : background_(background)
{
}

const QImage& QtCanvas::image() const
{
    if (painter_.isActive())
        painter_.end();
    return image_;
}

void QtCanvas::setFillColor(QColor colour)
{
    fill_ = colour;
    if (painter_.isActive())
        painter_.setBrush(fill_);
}

QPainter& QtCanvas::painter(QColor outline)
{
    if (!painter_.isActive()) {
        painter_.begin(&image_);
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.setBrush(fill_);
        painter_.setClipRect(QRect(QPoint(0, 0), logicalSize_));
    }
    QPen pen(outline);
    pen.setCosmetic(true);
    pen.setWidth(0);
    painter_.setPen(pen);
    return painter_;
}

void QtCanvas::resize(QSize logicalSize, qreal devicePixelRatio)
{
    if (logicalSize == logicalSize_ && devicePixelRatio == image_.devicePixelRatio())
        return;
    if (painter_.isActive())
        painter_.end();
    const QSize deviceSize = (QSizeF(logicalSize) * devicePixelRatio).toSize();
    QImage grown(deviceSize.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    grown.setDevicePixelRatio(devicePixelRatio);
    grown.fill(background_);
    if (!image_.isNull()) {
        QPainter painter(&grown);
        painter.drawImage(QPointF(0, 0), image_);
    }
    image_ = std::move(grown);
    logicalSize_ = logicalSize;
}

QRect QtCanvas::drawCircle(QPointF centre, qreal radius, QColor outline)
{
    QPainter& p = painter(outline);
    if (radius * image_.devicePixelRatio() < 1.0)
        p.drawPoint(centre);
    else
        p.drawEllipse(centre, radius, radius);
    const QRectF bounds(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    return changedArea(bounds, logicalSize_);
}

QRect QtCanvas::drawBox(QPointF corner1, QPointF corner2, QColor outline)
{
    const QRectF box = QRectF(corner1, corner2).normalized();
    painter(outline).drawRect(box);
    return changedArea(box, logicalSize_);
}

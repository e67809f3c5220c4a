#include "platform/qt/qt_canvas.h"

#include <QPainter>

namespace {

// An outline can reach half a device pixel past its geometry, rounded outward.
constexpr int kOutlineMargin = 1;

void preparePainter(QPainter& painter, QColor outline, QColor fill, QSize clip)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(outline);
    pen.setCosmetic(true);
    pen.setWidth(0);
    painter.setPen(pen);
    painter.setBrush(fill);
    painter.setClipRect(QRect(QPoint(0, 0), clip));
}

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

void QtCanvas::resize(QSize logicalSize, qreal devicePixelRatio)
{
    if (logicalSize == logicalSize_ && devicePixelRatio == image_.devicePixelRatio())
        return;
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
    QPainter painter(&image_);
    preparePainter(painter, outline, fill_, logicalSize_);
    if (radius * image_.devicePixelRatio() < 1.0)
        painter.drawPoint(centre);
    else
        painter.drawEllipse(centre, radius, radius);
    const QRectF bounds(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    return changedArea(bounds, logicalSize_);
}

QRect QtCanvas::drawBox(QPointF corner1, QPointF corner2, QColor outline)
{
    QPainter painter(&image_);
    preparePainter(painter, outline, fill_, logicalSize_);
    const QRectF box = QRectF(corner1, corner2).normalized();
    painter.drawRect(box);
    return changedArea(box, logicalSize_);
}

#include "platform/qt/qt_canvas.h"

#include <QPainter>

#include <cmath>

namespace {

// An outline can reach half a device pixel past its geometry, rounded outward.
constexpr int kOutlineMargin = 1;

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
        pen_ = QColor();
    }
    // Setting a pen costs as much as a small ring, and the rings of a run
    // share one colour.
    if (outline != pen_) {
        QPen pen(outline);
        pen.setCosmetic(true);
        pen.setWidth(0);
        painter_.setPen(pen);
        pen_ = outline;
    }
    return painter_;
}

void QtCanvas::resize(QSize logicalSize, qreal devicePixelRatio)
{
    if (logicalSize == logicalSize_ && devicePixelRatio == ratio_ && !image_.isNull())
        return;
    if (painter_.isActive())
        painter_.end();
    const QSize deviceSize = (QSizeF(logicalSize) * devicePixelRatio).toSize();
    QImage grown(deviceSize.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    grown.fill(background_);
    if (!image_.isNull()) {
        // What was drawn stays at the same logical place, at the new density.
        QPainter painter(&grown);
        const qreal scale = devicePixelRatio / ratio_;
        painter.drawImage(QRectF(QPointF(0, 0), QSizeF(image_.size()) * scale), image_);
    }
    image_ = std::move(grown);
    logicalSize_ = logicalSize;
    ratio_ = devicePixelRatio;
}

QRect QtCanvas::changedArea(const QRectF& deviceBounds) const
{
    const QRectF logical(deviceBounds.topLeft() / ratio_, deviceBounds.size() / ratio_);
    return logical.toAlignedRect()
        .adjusted(-kOutlineMargin, -kOutlineMargin, kOutlineMargin, kOutlineMargin)
        .intersected(QRect(QPoint(0, 0), logicalSize_));
}

QRect QtCanvas::drawCircle(QPointF centre, qreal radius, QColor outline)
{
    QPainter& p = painter(outline);
    const QPointF c = centre * ratio_;
    const qreal r = radius * ratio_;
    if (r < 1.0) {
        p.drawPoint(c);
        return changedArea(QRectF(c, QSizeF(0, 0)));
    }
    const QRect box(static_cast<int>(std::lround(c.x() - r)), static_cast<int>(std::lround(c.y() - r)),
        static_cast<int>(std::lround(2 * r)), static_cast<int>(std::lround(2 * r)));
    p.drawEllipse(box);
    return changedArea(QRectF(box).adjusted(0, 0, 1, 1));
}

QRect QtCanvas::drawBox(QPointF corner1, QPointF corner2, QColor outline)
{
    const QRectF box = QRectF(corner1 * ratio_, corner2 * ratio_).normalized();
    painter(outline).drawRect(box);
    return changedArea(box);
}

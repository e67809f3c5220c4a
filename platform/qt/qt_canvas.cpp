#include "platform/qt/qt_canvas.h"

#include "platform/disc_raster.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// An outline can reach half a device pixel past its geometry, rounded outward.
constexpr int kOutlineMargin = 1;
// The picture is 32 bits a pixel.
constexpr int kBytesPerPixel = 4;

} // namespace

QtCanvas::QtCanvas(QColor background)
    : background_(background)
{
}

void QtCanvas::setFillColor(QColor colour)
{
    fill_ = colour;
}

void QtCanvas::resize(QSize logicalSize, qreal devicePixelRatio)
{
    if (logicalSize == logicalSize_ && devicePixelRatio == ratio_ && !image_.isNull())
        return;
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
    const QPointF c = centre * ratio_;
    const qreal r = radius * ratio_;
    // Written so that a centre that is not a number is not drawn either.
    const auto far = static_cast<qreal>(kFarthestDiscCentre);
    if (!(std::abs(c.x()) <= far && std::abs(c.y()) <= far))
        return {};
    const long long wholeRadius = r >= 1 ? std::llround(std::min(r, static_cast<qreal>(kLargestDiscRadius))) : 0;
    // bits() parts the picture from any copy read out of it before.
    const PixelRows rows {reinterpret_cast<std::uint32_t*>(image_.bits()), image_.bytesPerLine() / kBytesPerPixel,
        image_.width(), image_.height()};
    const PixelBox box = drawDisc(rows, std::llround(c.x()), std::llround(c.y()), wholeRadius, outline.rgb(), fill_.rgb());
    if (box.empty())
        return {};
    // The box lies within the picture, so each corner fits an int.
    const QRect device(QPoint(static_cast<int>(box.left), static_cast<int>(box.top)),
        QPoint(static_cast<int>(box.right), static_cast<int>(box.bottom)));
    return changedArea(QRectF(device));
}

QRect QtCanvas::drawBox(QPointF corner1, QPointF corner2, QColor outline)
{
    const QRectF box = QRectF(corner1 * ratio_, corner2 * ratio_).normalized();
    QPainter painter(&image_);
    QPen pen(outline);
    pen.setCosmetic(true);
    pen.setWidth(0);
    painter.setPen(pen);
    painter.setBrush(fill_);
    painter.drawRect(box);
    return changedArea(box);
}

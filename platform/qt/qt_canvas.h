#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

// The persistent picture of a window's client area, in the screen's device
// pixels. Shapes are drawn into it at once and it says which part of the area
// each one changed; it never touches the screen. Coordinates are logical
// pixels; the picture itself is kept at a ratio of 1, so that shapes land on
// whole device pixels. Circles, a thousand a second, are written straight into
// its memory; boxes, one a click at most, go through a painter.
class QtCanvas {
public:
    explicit QtCanvas(QColor background);

    // Keeps what was drawn where it was; a part that is new is the background.
    void resize(QSize logicalSize, qreal devicePixelRatio);

    void setFillColor(QColor colour);

    // A circle with a one-device-pixel outline and a solid interior in the fill
    // colour, its centre and radius on whole device pixels. A radius under one
    // device pixel leaves a single dot.
    QRect drawCircle(QPointF centre, qreal radius, QColor outline);
    // A box between two corners, outline and interior, clipped to the area.
    QRect drawBox(QPointF corner1, QPointF corner2, QColor outline);

    // In device pixels.
    const QImage& image() const { return image_; }
    QSize logicalSize() const { return logicalSize_; }
    qreal devicePixelRatio() const { return ratio_; }

private:
    QRect changedArea(const QRectF& deviceBounds) const;

    QColor background_;
    QColor fill_ = Qt::black;
    QSize logicalSize_;
    qreal ratio_ = 1;
    QImage image_;
};

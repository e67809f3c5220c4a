#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>

// The persistent picture of a window's client area, in the screen's device
// pixels. Shapes are drawn into it at once and it says which part of the area
// each one changed; it never touches the screen. Coordinates are logical
// pixels; the picture itself is kept at a ratio of 1, so that the painter works
// in device pixels with no transform and circles take the raster engine's
// whole-pixel path. One painter stays open across shapes, since opening one
// costs more than a small ring; it is closed whenever the picture is read.
class QtCanvas {
public:
    explicit QtCanvas(QColor background);

    // Keeps what was drawn where it was; a part that is new is the background.
    void resize(QSize logicalSize, qreal devicePixelRatio);

    void setFillColor(QColor colour);

    // A circle with a one-device-pixel outline and a solid interior in the fill
    // colour, its bounds on whole device pixels. A radius under one device
    // pixel leaves a single dot.
    QRect drawCircle(QPointF centre, qreal radius, QColor outline);
    // A box between two corners, outline and interior, clipped to the area.
    QRect drawBox(QPointF corner1, QPointF corner2, QColor outline);

    // In device pixels.
    const QImage& image() const;
    QSize logicalSize() const { return logicalSize_; }
    qreal devicePixelRatio() const { return ratio_; }

private:
    QPainter& painter(QColor outline);
    QRect changedArea(const QRectF& deviceBounds) const;

    QColor background_;
    QColor fill_ = Qt::black;
    QSize logicalSize_;
    qreal ratio_ = 1;
    QImage image_;
    mutable QPainter painter_; // after image_, so that it closes first
    QColor pen_;
};

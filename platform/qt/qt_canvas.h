#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

// The persistent picture of a window's client area, in the screen's device
// pixels. Shapes are drawn into it at once and it says which part of the area
// each one changed; it never touches the screen. Coordinates are logical pixels.
class QtCanvas {
public:
    explicit QtCanvas(QColor background);

    // Keeps what was drawn where it was; a part that is new is the background.
    void resize(QSize logicalSize, qreal devicePixelRatio);

    void setFillColor(QColor colour) { fill_ = colour; }

    // A circle with a one-device-pixel outline and a solid interior in the fill
    // colour. A radius under one device pixel leaves a single dot.
    QRect drawCircle(QPointF centre, qreal radius, QColor outline);
    // A box between two corners, outline and interior, clipped to the area.
    QRect drawBox(QPointF corner1, QPointF corner2, QColor outline);

    const QImage& image() const { return image_; }
    QSize logicalSize() const { return logicalSize_; }
    qreal devicePixelRatio() const { return image_.devicePixelRatio(); }

private:
    QColor background_;
    QColor fill_ = Qt::black;
    QSize logicalSize_;
    QImage image_;
};

#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>

// The persistent picture of a window's client area, in the screen's device
// pixels. Shapes are drawn into it at once and it says which part of the area
// each one changed; it never touches the screen. Coordinates are logical pixels.
// One painter stays open across shapes, since opening one costs more than a
// small ring; it is closed whenever the picture is read.
class QtCanvas {
public:
    explicit QtCanvas(QColor background);

    // Keeps what was drawn where it was; a part that is new is the background.
    void resize(QSize logicalSize, qreal devicePixelRatio);

    void setFillColor(QColor colour);

    // A circle with a one-device-pixel outline and a solid interior in the fill
    // colour. A radius under one device pixel leaves a single dot.
    QRect drawCircle(QPointF centre, qreal radius, QColor outline);
    // A box between two corners, outline and interior, clipped to the area.
    QRect drawBox(QPointF corner1, QPointF corner2, QColor outline);

    const QImage& image() const;
    QSize logicalSize() const { return logicalSize_; }
    qreal devicePixelRatio() const { return image_.devicePixelRatio(); }

private:
    QPainter& painter(QColor outline);

    QColor background_;
    QColor fill_ = Qt::black;
    QSize logicalSize_;
    QImage image_;
    mutable QPainter painter_; // after image_, so that it closes first
};

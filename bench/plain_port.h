#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <random>

// The plainest way to write this toy with Qt, kept as the baseline the real
// program is measured against: a stock 1 ms QTimer, one circle drawn into an
// image per timeout, and one repaint asked for per circle.
class PlainPort : public QWidget {
public:
    explicit PlainPort(std::function<void()> onTick);

    int repaintCount() const { return repaints_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void tick();

    std::function<void()> onTick_;
    QImage image_;
    QTimer timer_;
    std::mt19937 random_;
    QPointF centre_;
    QColor colour_;
    int repaints_ = 0;
};

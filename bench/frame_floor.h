#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <random>

// The least a Qt window can do that shows something new on every frame of its
// screen: one wake-up a frame, one circle drawn, one repaint of its box. What
// it costs is the floor under any program that repaints once a frame on this
// machine, and so a yardstick for how much of Tessary's cost is its own.
class FrameFloor : public QWidget {
public:
    explicit FrameFloor(std::function<void()> onFrame);

    int repaintCount() const { return repaints_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void frame();

    std::function<void()> onFrame_;
    QImage image_;
    QTimer timer_;
    std::mt19937 random_;
    int repaints_ = 0;
};

#pragma once

#include <QEvent>
#include <QObject>

// Counts the paint events a widget gets, watched from outside it: how often
// its part of the screen was repainted. The bench's measure of frames shown,
// which the desktop host's tests read too.
class PaintCounter final : public QObject {
public:
    explicit PaintCounter(QObject* watched) { watched->installEventFilter(this); }
    int count() const { return count_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        count_ += event->type() == QEvent::Paint;
        return false;
    }

private:
    int count_ = 0;
};

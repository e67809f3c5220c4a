#pragma once

#include "platform/picture/picture.h"
#include "platform/runner/form_host.h"
#include "platform/runner/runner_events.h"

#include <QImage>

#include <QWidget>


// The client area as one widget beneath the buttons: it shows the window's
// picture one to one and takes the clicks that count as a click on the bare
// area: the left button pressed and released on it (not over a button), and
// Space or Return while it has the focus. It shows that it has the focus with a
// frame on screen that never becomes part of the picture. It draws nothing of
// its own into the picture and knows nothing of handlers: the runner it
// reports to says which keys are the area's.
class QtDrawingArea : public QWidget {
public:
    QtDrawingArea(const Picture& picture, QWidget* parent);

    void reportTo(RunnerEvents& runner) { runner_ = &runner; }
    // What a click on the bare area does; also the screen reader's action.
    void click();

    // The picture as Qt sees it, over the picture's own memory: valid until
    // the picture next changes size.
    QImage image() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QRegion focusFrame() const;

    const Picture& picture_;
    RunnerEvents* runner_ = nullptr;
    AreaPress press_;
};

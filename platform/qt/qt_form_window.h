#pragma once

#include "platform/form_definition.h"
#include "platform/form_operations.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_drawing_area.h"

#include <QRegion>
#include <QWidget>

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

class QPushButton;
class QScreen;

// A window built from a FormDefinition: its client area is a QtCanvas shown on
// screen by a QtDrawingArea, with the definition's buttons on top. Tab runs
// through the buttons in their tab order, then the drawing area. It supplies
// the window's operations in twips and draws at once into the canvas; the
// screen catches up when its owner flushes the changes, once for each wake-up
// or event. It knows how long a frame of its screen lasts and whether any of
// it can be seen, and says when either changes. It knows nothing of handlers:
// it reports clicks on a button or on the bare client area to its listeners.
class QtFormWindow : public QWidget, public WindowOperations {
public:
    explicit QtFormWindow(const FormDefinition& definition);

    void onButtonClicked(std::function<void(std::string_view name)> listener);
    void onFormClicked(std::function<void()> listener);
    void onClosed(std::function<void()> listener);
    // The window moved to another screen, its screen's refresh rate changed,
    // or it was hidden, minimised or shown again.
    void onFrameChanged(std::function<void()> listener);

    // One frame of the screen the window is on, or nothing while no part of
    // the window can be seen.
    std::optional<std::chrono::nanoseconds> frame() const;

    // Shows on screen what was drawn since the last call.
    void flushChanges();

    // Gives the keyboard focus to the control that comes first in tab order.
    void focusFirstControl();

    QPushButton* button(std::string_view name) const;
    QtDrawingArea& drawingArea() const { return *drawingArea_; }
    const QtCanvas& canvas() const { return canvas_; }
    // How often the screen was repainted, and how often the window asked for
    // it, for measuring.
    int repaintCount() const { return drawingArea_->repaintCount(); }
    int repaintRequests() const { return repaintRequests_; }

    ErrorNumber getScaleWidth(Single& width) override;
    ErrorNumber getScaleHeight(Single& height) override;
    ErrorNumber setFillColor(Colour colour) override;
    ErrorNumber circle(Single x, Single y, Single radius, Colour colour) override;
    ErrorNumber lineBox(Single x1, Single y1, Single x2, Single y2, Colour colour) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createButtons(const FormDefinition& definition);
    void markChanged(const QRect& area);
    // One frame of the window's screen, seen or not.
    std::chrono::nanoseconds screenFrame() const;
    void watchScreen(QScreen* screen);
    void frameChanged();

    struct NamedButton {
        std::string_view name;
        Integer tabIndex;
        QPushButton* widget;
    };

    QtCanvas canvas_;
    QtDrawingArea* drawingArea_;
    std::vector<NamedButton> buttonsInTabOrder_;
    std::function<void(std::string_view)> buttonListener_;
    std::function<void()> closedListener_;
    std::function<void()> frameListener_;
    QMetaObject::Connection refreshWatch_;
    bool watchingWindow_ = false;
    QRect pending_;
    QRegion buttonsArea_;
    int repaintRequests_ = 0;
};

// Twips are 1/1440 inch; at 96 logical dots per inch, 15 of them make one pixel.
inline constexpr double kTwipsPerPixel = 15.0;

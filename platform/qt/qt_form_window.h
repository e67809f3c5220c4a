#pragma once

#include "platform/form_definition.h"
#include "platform/form_layout.h"
#include "platform/form_surface.h"
#include "platform/picture.h"
#include "platform/qt/qt_drawing_area.h"

#include <QRegion>
#include <QWidget>

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

class QPushButton;
class QScreen;

// A window built from a FormDefinition: its client area is a QtDrawingArea
// that shows the picture it is given, with the definition's buttons on top.
// Tab runs through the buttons in their tab order, then the drawing area. It
// knows how long a frame of its screen lasts and whether any of it can be
// seen, and says when either changes, and when its logical size or density
// does. It knows nothing of handlers: it reports clicks on a button or on the
// bare client area to its listeners.
class QtFormWindow : public QWidget, public FormSurface {
public:
    QtFormWindow(const FormDefinition& definition, const Picture& picture);

    void onButtonClicked(std::function<void(std::string_view name)> listener);
    void onFormClicked(std::function<void()> listener);
    void onClosed(std::function<void()> listener);
    // The window moved to another screen, its screen's refresh rate changed,
    // or it was hidden, minimised or shown again.
    void onFrameChanged(std::function<void()> listener);
    // The logical size or the device pixel ratio changed.
    void onResized(std::function<void(int width, int height, qreal devicePixelRatio)> listener);

    void show() override;
    // Repaints at once what changed, leaving out the buttons that stand on it.
    void showChanges(const PixelBox& box) override;
    std::optional<std::chrono::nanoseconds> frame() const override;

    QPushButton* button(std::string_view name) const;
    QtDrawingArea& drawingArea() const { return *drawingArea_; }
    // The picture as it is shown, in device pixels.
    QImage image() const { return drawingArea_->image(); }
    // How often the screen was repainted, and how often the window asked for
    // it, for measuring.
    int repaintCount() const { return drawingArea_->repaintCount(); }
    int repaintRequests() const { return repaintRequests_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createButtons(const FormLayout& layout);
    // One frame of the window's screen, seen or not.
    std::chrono::nanoseconds screenFrame() const;
    void watchScreen(QScreen* screen);
    void frameChanged();
    void densityMayHaveChanged();

    struct NamedButton {
        std::string_view name;
        QPushButton* widget;
    };

    QtDrawingArea* drawingArea_;
    std::vector<NamedButton> buttons_;
    std::vector<QPushButton*> buttonsInTabOrder_;
    std::function<void(std::string_view)> buttonListener_;
    std::function<void()> closedListener_;
    std::function<void()> frameListener_;
    std::function<void(int, int, qreal)> resizedListener_;
    QMetaObject::Connection refreshWatch_;
    bool watchingWindow_ = false;
    qreal ratio_ = 0;
    QRegion buttonsArea_;
    int repaintRequests_ = 0;
};

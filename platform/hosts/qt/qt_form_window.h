#pragma once

#include "platform/form/form_definition.h"
#include "platform/form/form_layout.h"
#include "platform/picture/picture.h"
#include "platform/runner/form_host.h"
#include "platform/hosts/qt/qt_alarm.h"
#include "platform/hosts/qt/qt_drawing_area.h"

#include <QRegion>
#include <QWidget>

#include <functional>
#include <vector>

class QPushButton;
class QScreen;

// The desktop host's window, built from a FormDefinition: its client area is
// a QtDrawingArea that shows the picture it is given, with the definition's
// buttons on top. Tab runs through the buttons in their tab order, then the
// drawing area. It knows how its screen paces frames and whether any of it can
// be seen, and says when either changes, and when its logical size or density
// does; its QtAlarm holds the one pending wake-up. It knows nothing of
// handlers: it reports clicks on a button or on the bare client area, and the
// alarm's ring, to its listeners.
class QtFormWindow : public QWidget, public HostWindow {
public:
    QtFormWindow(const FormDefinition& definition, const Picture& picture, const MonotonicClock& clock);

    void onButtonClicked(std::function<void(std::string_view name)> listener);
    void onFormClicked(std::function<void()> listener);
    void onClosed(std::function<void()> listener);
    // The window moved to another screen, its screen's refresh rate changed,
    // or it was hidden, minimised or shown again.
    void onPacingChanged(std::function<void()> listener);
    // The logical size or the device pixel ratio changed.
    void onResized(std::function<void(int width, int height, qreal devicePixelRatio)> listener);
    // The wake-up it was armed for has come.
    void onAlarm(std::function<void()> listener);

    void show() override;
    // Repaints at once what changed, leaving out the buttons that stand on it.
    void showChanges(const InclusiveBox& box) override;
    FramePacing pacing() const override;
    void arm(std::optional<MonotonicClock::TimePoint> when) override { alarm_.arm(when); }
    const QtAlarm& alarm() const { return alarm_; }

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
    void watchScreen(QScreen* screen);
    void pacingChanged();
    void densityMayHaveChanged();

    struct NamedButton {
        std::string_view name;
        QPushButton* widget;
    };

    QtDrawingArea* drawingArea_;
    std::function<void()> alarmListener_;
    QtAlarm alarm_;
    std::vector<NamedButton> buttons_;
    std::vector<QPushButton*> buttonsInTabOrder_;
    std::function<void(std::string_view)> buttonListener_;
    std::function<void()> closedListener_;
    std::function<void()> pacingListener_;
    std::function<void(int, int, qreal)> resizedListener_;
    QMetaObject::Connection refreshWatch_;
    bool watchingWindow_ = false;
    qreal ratio_ = 0;
    QRegion buttonsArea_;
    int repaintRequests_ = 0;
};

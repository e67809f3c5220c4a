#pragma once

#include "platform/form/form_definition.h"
#include "platform/form/form_layout.h"
#include "platform/picture/picture.h"
#include "platform/runner/form_host.h"
#include "platform/runner/runner_events.h"
#include "platform/hosts/qt/qt_alarm.h"
#include "platform/hosts/qt/qt_drawing_area.h"

#include <QRegion>
#include <QWidget>

#include <vector>

class QPushButton;
class QScreen;

// The desktop host's window, built from a FormDefinition: its client area is
// a QtDrawingArea that shows the picture it is given, with the definition's
// buttons on top. Tab runs through the buttons in their tab order, then the
// drawing area. It knows how its screen paces frames and whether any of it can
// be seen, and says when either changes, and when its logical size or density
// does; its QtAlarm holds the one pending wake-up. It knows nothing of
// handlers: it reports clicks on a button or on the bare client area, those
// changes and the alarm's ring to the runner. Closing it ends the program,
// whatever else is open, such as the error dialog.
class QtFormWindow : public QWidget, public HostWindow {
public:
    QtFormWindow(const FormDefinition& definition, const Picture& picture, const MonotonicClock& clock);

    // The runner its events go to; until it is given, they are dropped.
    void reportTo(RunnerEvents& runner);

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
    RunnerEvents* runner_ = nullptr;
    QtAlarm alarm_;
    std::vector<NamedButton> buttons_;
    std::vector<QPushButton*> buttonsInTabOrder_;
    QMetaObject::Connection refreshWatch_;
    bool watchingWindow_ = false;
    qreal ratio_ = 0;
    QRegion buttonsArea_;
};

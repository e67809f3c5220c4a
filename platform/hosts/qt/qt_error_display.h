#pragma once

#include "platform/runner/form_host.h"

#include <QPointer>
#include <QString>

#include <QRect>

class QDialog;
class QLabel;
class QWidget;

// The default error handling on the desktop: one non-modal dialog that shows
// the last error that left a handler and how many have, so that an error on
// every tick updates one window instead of stacking a thousand. It stays out
// of the way: it opens beside or below its owner, never over it where the
// screen leaves room, takes no keyboard focus, and a further error only
// updates it. It never runs an event loop of its own, so no handler can run
// inside another while it is up.
class QtErrorDisplay : public ErrorDisplay {
public:
    explicit QtErrorDisplay(QWidget& owner);
    ~QtErrorDisplay() override;
    QtErrorDisplay(const QtErrorDisplay&) = delete;
    QtErrorDisplay& operator=(const QtErrorDisplay&) = delete;

    QString text() const;
    bool isShown() const;
    QRect frameGeometry() const;

private:
    QWidget& owner_;
    // The dialog is its owner's child and goes with it; both are guarded.
    QPointer<QDialog> dialog_;
    QPointer<QLabel> message_;

protected:
    void showError(const std::string& text) override;
};

#include "platform/hosts/qt/qt_accessibility.h"

#include "platform/hosts/qt/qt_drawing_area.h"
#include "platform/hosts/qt/qt_form_window.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPushButton>

namespace {

// An interface whose Press action does press() at once, beside what the widget offers.
class PressableAccessible : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;

    QStringList actionNames() const override { return QStringList(pressAction()) + QAccessibleWidget::actionNames(); }

    void doAction(const QString& action) override
    {
        if (action == pressAction())
            press();
        else
            QAccessibleWidget::doAction(action);
    }

protected:
    virtual void press() = 0;
};

// Qt's own button interface presses through animateClick(), which a second
// Press within a tenth of a second joins to the first.
class ButtonAccessible final : public PressableAccessible {
public:
    explicit ButtonAccessible(QPushButton* button)
        : PressableAccessible(button, QAccessible::Button)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<QPushButton*>(widget())->text();
        return QAccessibleWidget::text(kind);
    }

private:
    void press() override { static_cast<QPushButton*>(widget())->click(); }
};

class DrawingAreaAccessible final : public PressableAccessible {
public:
    explicit DrawingAreaAccessible(QtDrawingArea* area)
        : PressableAccessible(area, QAccessible::Canvas)
    {
    }

private:
    void press() override { static_cast<QtDrawingArea*>(widget())->click(); }
};

QAccessibleInterface* formInterface(const QString&, QObject* object)
{
    if (auto* window = dynamic_cast<QtFormWindow*>(object))
        return new QAccessibleWidget(window, QAccessible::Window);
    if (auto* area = dynamic_cast<QtDrawingArea*>(object))
        return new DrawingAreaAccessible(area);
    auto* button = dynamic_cast<QPushButton*>(object);
    if (button && dynamic_cast<QtFormWindow*>(button->parent()))
        return new ButtonAccessible(button);
    return nullptr;
}

} // namespace

void installFormAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(formInterface);
        return true;
    }();
    (void)installed;
}

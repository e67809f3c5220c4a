#include "platform/hosts/qt/qt_drawing_area.h"

#include "platform/form/form_look.h"
#include "platform/services/colour.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

namespace {

constexpr int kFocusWidth = 1;

FormLook::Key keyOf(int key)
{
    switch (key) {
    case Qt::Key_Space:
        return FormLook::Key::Space;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return FormLook::Key::Return;
    default:
        return FormLook::Key::Other;
    }
}

} // namespace

QtDrawingArea::QtDrawingArea(const Picture& picture, QWidget* parent)
    : QWidget(parent)
    , picture_(picture)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Tab reaches it, a click does not move the focus to it.
    setFocusPolicy(Qt::TabFocus);
}

void QtDrawingArea::click()
{
    if (runner_)
        runner_->clickArea();
}

QImage QtDrawingArea::image() const
{
    return QImage(reinterpret_cast<const uchar*>(picture_.pixels()), picture_.width(), picture_.height(),
        static_cast<qsizetype>(picture_.width()) * static_cast<qsizetype>(sizeof(Picture::Pixel)), QImage::Format_RGB32);
}

QRegion QtDrawingArea::focusFrame() const
{
    const QRect outer = rect().adjusted(FormLook::kAreaFocusInset, FormLook::kAreaFocusInset, -FormLook::kAreaFocusInset, -FormLook::kAreaFocusInset);
    return QRegion(outer).subtracted(outer.adjusted(kFocusWidth, kFocusWidth, -kFocusWidth, -kFocusWidth));
}

void QtDrawingArea::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    const qreal ratio = picture_.devicePixelRatio();
    const QRectF source(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio);
    painter.drawImage(QRectF(area), image(), source);
    if (hasFocus()) {
        painter.setClipRegion(focusFrame());
        const Colour frame = FormLook::kAreaFocus;
        QPen pen(QColor(redOf(frame), greenOf(frame), blueOf(frame)), 0, Qt::DotLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(focusFrame().boundingRect().adjusted(0, 0, -1, -1));
    }
}

void QtDrawingArea::mousePressEvent(QMouseEvent* event)
{
    press_.press(event->button() == Qt::LeftButton);
}

// The area holds the mouse from the press, so the release comes here even
// over a button: it counts only where nothing stands on the area.
void QtDrawingArea::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    const bool onTheBareArea = rect().contains(at) && parentWidget()->childAt(mapToParent(at)) == this;
    if (press_.release(event->button() == Qt::LeftButton, onTheBareArea))
        click();
}

void QtDrawingArea::keyPressEvent(QKeyEvent* event)
{
    // The keypad's Enter is Return, not a modifier.
    const bool modified = (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier;
    if (!runner_ || runner_->areaKey(keyOf(event->key()), modified, event->isAutoRepeat()) == InputAnswer::PassedOn)
        QWidget::keyPressEvent(event);
}

void QtDrawingArea::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update(focusFrame());
}

void QtDrawingArea::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update(focusFrame());
}

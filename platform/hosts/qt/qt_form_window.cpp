#include "platform/hosts/qt/qt_form_window.h"

#include "platform/form/form_look.h"
#include "platform/services/colour.h"
#include "platform/hosts/qt/qt_accessibility.h"
#include "platform/hosts/qt/qt_strings.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace {

// What a screen reader calls the client area.
const char* const kDrawingAreaName = "Drawing area";

QColor toQColor(Colour colour)
{
    const Colour plain = resolveColour(colour);
    return QColor(redOf(plain), greenOf(plain), blueOf(plain));
}

// The application's font at the size in which every caption fits inside its
// button without being cut.
QFont captionFont(const FormLayout& layout)
{
    QFont font = QGuiApplication::font();
    const int pixels = layout.captionPixelSize([&font](int size, std::string_view caption) {
        font.setPixelSize(size);
        const QFontMetrics metrics(font);
        return std::pair(metrics.horizontalAdvance(toQString(caption)), metrics.height());
    });
    font.setPixelSize(pixels);
    return font;
}

// A style sheet draws no frame inside a border, so a focused button shows
// the look's focus frame as its border.
QString faceStyle(Colour backColor)
{
    const Colour face = resolveColour(backColor);
    return QStringLiteral("QPushButton { background-color: %1; color: %2; border: 1px solid %3; padding: 0px; }"
                          "QPushButton:pressed { background-color: %4; }"
                          "QPushButton:focus { border: 1px dotted %5; }")
        .arg(toQColor(face).name(), toQColor(FormLook::kCaption).name(), toQColor(FormLook::kButtonBorder).name(),
            toQColor(FormLook::pressedFace(face)).name(), toQColor(FormLook::kButtonFocus).name());
}

} // namespace

QtFormWindow::QtFormWindow(const FormDefinition& definition, const Picture& picture, const MonotonicClock& clock)
    : drawingArea_(new QtDrawingArea(picture, this))
    , alarm_(clock, [this] {
        if (runner_)
            runner_->wake();
    })
{
    installFormAccessibility();
    setWindowTitle(toQString(definition.settings.caption));
    // The drawing area covers every pixel of the window.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    const FormLayout layout(definition);
    resize(layout.clientWidth(), layout.clientHeight());
    drawingArea_->setGeometry(rect());
    drawingArea_->setAccessibleName(QString::fromLatin1(kDrawingAreaName));
    createButtons(layout);
}

void QtFormWindow::createButtons(const FormLayout& layout)
{
    const QFont font = captionFont(layout);
    for (const FormLayout::Button& b : layout.buttons()) {
        const ButtonDefinition& definition = *b.definition;
        auto* widget = new QPushButton(toQString(definition.caption), this);
        widget->setObjectName(toQString(definition.name));
        widget->setGeometry(b.geometry.left, b.geometry.top, b.geometry.width, b.geometry.height);
        widget->setFont(font);
        if (definition.style == kButtonStyleGraphical)
            widget->setStyleSheet(faceStyle(definition.backColor));
        QObject::connect(widget, &QPushButton::clicked, this, [this, name = definition.name] {
            if (runner_)
                runner_->click(name);
        });
        buttons_.push_back({definition.name, widget});
        buttonsArea_ += widget->geometry();
    }
    for (const FormLayout::Button* b : layout.buttonsInTabOrder())
        buttonsInTabOrder_.push_back(button(b->definition->name));
    for (size_t i = 1; i < buttonsInTabOrder_.size(); ++i)
        QWidget::setTabOrder(buttonsInTabOrder_[i - 1], buttonsInTabOrder_[i]);
    if (!buttonsInTabOrder_.empty())
        QWidget::setTabOrder(buttonsInTabOrder_.back(), drawingArea_);
}

void QtFormWindow::reportTo(RunnerEvents& runner)
{
    runner_ = &runner;
    drawingArea_->reportTo(runner);
}

// A move to a screen of another density changes the ratio without a resize.
void QtFormWindow::densityMayHaveChanged()
{
    if (devicePixelRatioF() == ratio_)
        return;
    ratio_ = devicePixelRatioF();
    if (runner_)
        runner_->resize(width(), height(), ratio_);
}

FramePacing QtFormWindow::pacing() const
{
    const QWindow* window = windowHandle();
    if (!window || !window->isExposed() || isMinimized() || !isVisible())
        return FramePacing::unseen();
    return FramePacing::refreshRate(screen() ? screen()->refreshRate() : 0);
}

void QtFormWindow::pacingChanged()
{
    if (runner_)
        runner_->pacingChanged();
}

void QtFormWindow::watchScreen(QScreen* screen)
{
    QObject::disconnect(refreshWatch_);
    if (screen)
        refreshWatch_ = QObject::connect(screen, &QScreen::refreshRateChanged, this, [this] { pacingChanged(); });
}

void QtFormWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    densityMayHaveChanged();
    if (!watchingWindow_ && windowHandle()) {
        watchingWindow_ = true;
        windowHandle()->installEventFilter(this);
        QObject::connect(windowHandle(), &QWindow::screenChanged, this, [this](QScreen* screen) {
            watchScreen(screen);
            densityMayHaveChanged();
            pacingChanged();
        });
        watchScreen(screen());
    }
    pacingChanged();
}

void QtFormWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        pacingChanged();
    else if (event->type() == QEvent::ScreenChangeInternal)
        densityMayHaveChanged();
}

bool QtFormWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == windowHandle() && (event->type() == QEvent::Expose || event->type() == QEvent::Hide))
        pacingChanged();
    return QWidget::eventFilter(watched, event);
}

// The buttons hide what lies behind them, and repainting one means rendering
// its face and caption again: leave them out. The repaint is done here and
// now: the caller has finished a wake-up or an event, and the toolkit's own
// deferral would cost one more turn of the event loop every frame.
void QtFormWindow::showChanges(const InclusiveBox& box)
{
    const QRect changed(QPoint(static_cast<int>(box.left), static_cast<int>(box.top)),
        QPoint(static_cast<int>(box.right), static_cast<int>(box.bottom)));
    drawingArea_->repaint(QRegion(changed).subtracted(buttonsArea_));
}

void QtFormWindow::show()
{
    if (!buttonsInTabOrder_.empty())
        buttonsInTabOrder_.front()->setFocus(Qt::OtherFocusReason);
    QWidget::show();
}

QPushButton* QtFormWindow::button(std::string_view name) const
{
    for (const NamedButton& b : buttons_) {
        if (b.name == name)
            return b.widget;
    }
    return nullptr;
}

void QtFormWindow::resizeEvent(QResizeEvent* event)
{
    ratio_ = devicePixelRatioF();
    drawingArea_->setGeometry(rect());
    if (runner_)
        runner_->resize(event->size().width(), event->size().height(), ratio_);
    QWidget::resizeEvent(event);
}

void QtFormWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    QCoreApplication::exit(0);
}

#include "platform/qt/qt_form_window.h"

#include "platform/colour.h"
#include "platform/qt/qt_accessibility.h"
#include "platform/qt/qt_strings.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace {

// What a screen reader calls the client area.
const char* const kDrawingAreaName = "Drawing area";
// Where a screen does not say how often it refreshes.
constexpr qreal kFallbackRefreshRate = 60;
constexpr int kSmallestFontPixels = 6;
// Room a caption leaves for the button's border on each side.
constexpr int kCaptionInset = 2;

QColor toQColor(Colour colour)
{
    const Colour plain = resolveColour(colour);
    return QColor(redOf(plain), greenOf(plain), blueOf(plain));
}

int twipsToPixels(Single twips)
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

QPointF twipsToPoint(Single x, Single y)
{
    return QPointF(x / kTwipsPerPixel, y / kTwipsPerPixel);
}

// The largest font, no larger than the application's, in which every caption
// fits inside its button without being cut.
QFont captionFont(const FormDefinition& definition)
{
    QFont font = QGuiApplication::font();
    int pixels = QFontMetrics(font).height();
    for (; pixels > kSmallestFontPixels; --pixels) {
        font.setPixelSize(pixels);
        const QFontMetrics metrics(font);
        const bool fits = std::all_of(definition.buttons.begin(), definition.buttons.end(), [&](const ButtonDefinition& b) {
            const QString caption = toQString(b.caption);
            return metrics.horizontalAdvance(caption) <= twipsToPixels(b.width) - 2 * kCaptionInset
                && metrics.height() <= twipsToPixels(b.height) - kCaptionInset;
        });
        if (fits)
            break;
    }
    font.setPixelSize(pixels);
    return font;
}

QString faceStyle(Colour backColor)
{
    const QColor face = toQColor(backColor);
    return QStringLiteral("QPushButton { background-color: %1; color: black; border: 1px solid #404040; padding: 0px; }"
                          "QPushButton:pressed { background-color: %2; }"
                          "QPushButton:focus { border: 1px dotted black; }")
        .arg(face.name(), face.darker().name());
}

} // namespace

QtFormWindow::QtFormWindow(const FormDefinition& definition)
    : canvas_(toQColor(definition.settings.backColor))
    , drawingArea_(new QtDrawingArea(canvas_, this))
{
    installFormAccessibility();
    setWindowTitle(toQString(definition.settings.caption));
    // The drawing area covers every pixel of the window.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    resize(twipsToPixels(definition.settings.clientWidth), twipsToPixels(definition.settings.clientHeight));
    canvas_.resize(size(), devicePixelRatioF());
    drawingArea_->setGeometry(rect());
    drawingArea_->setAccessibleName(QString::fromLatin1(kDrawingAreaName));
    createButtons(definition);
}

void QtFormWindow::createButtons(const FormDefinition& definition)
{
    const QFont font = captionFont(definition);
    for (const ButtonDefinition& b : definition.buttons) {
        auto* widget = new QPushButton(toQString(b.caption), this);
        widget->setObjectName(toQString(b.name));
        widget->setGeometry(twipsToPixels(b.left), twipsToPixels(b.top), twipsToPixels(b.width), twipsToPixels(b.height));
        widget->setFont(font);
        if (b.style == kButtonStyleGraphical)
            widget->setStyleSheet(faceStyle(b.backColor));
        QObject::connect(widget, &QPushButton::clicked, this, [this, name = b.name] {
            if (buttonListener_)
                buttonListener_(name);
        });
        buttonsInTabOrder_.push_back({b.name, b.tabIndex, widget});
        buttonsArea_ += widget->geometry();
    }
    std::stable_sort(buttonsInTabOrder_.begin(), buttonsInTabOrder_.end(),
        [](const NamedButton& a, const NamedButton& b) { return a.tabIndex < b.tabIndex; });
    for (size_t i = 1; i < buttonsInTabOrder_.size(); ++i)
        QWidget::setTabOrder(buttonsInTabOrder_[i - 1].widget, buttonsInTabOrder_[i].widget);
    if (!buttonsInTabOrder_.empty())
        QWidget::setTabOrder(buttonsInTabOrder_.back().widget, drawingArea_);
}

void QtFormWindow::onButtonClicked(std::function<void(std::string_view)> listener)
{
    buttonListener_ = std::move(listener);
}

void QtFormWindow::onFormClicked(std::function<void()> listener)
{
    drawingArea_->onClicked(std::move(listener));
}

void QtFormWindow::onClosed(std::function<void()> listener)
{
    closedListener_ = std::move(listener);
}

void QtFormWindow::onFrameChanged(std::function<void()> listener)
{
    frameListener_ = std::move(listener);
}

std::chrono::nanoseconds QtFormWindow::screenFrame() const
{
    const qreal rate = screen() && screen()->refreshRate() > 0 ? screen()->refreshRate() : kFallbackRefreshRate;
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::duration<qreal>(1 / rate));
}

std::optional<std::chrono::nanoseconds> QtFormWindow::frame() const
{
    const QWindow* window = windowHandle();
    if (!window || !window->isExposed() || isMinimized() || !isVisible())
        return std::nullopt;
    return screenFrame();
}

void QtFormWindow::frameChanged()
{
    if (frameListener_)
        frameListener_();
}

void QtFormWindow::watchScreen(QScreen* screen)
{
    QObject::disconnect(refreshWatch_);
    if (screen)
        refreshWatch_ = QObject::connect(screen, &QScreen::refreshRateChanged, this, [this] { frameChanged(); });
}

void QtFormWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!watchingWindow_ && windowHandle()) {
        watchingWindow_ = true;
        windowHandle()->installEventFilter(this);
        QObject::connect(windowHandle(), &QWindow::screenChanged, this, [this](QScreen* screen) {
            watchScreen(screen);
            frameChanged();
        });
        watchScreen(screen());
    }
    frameChanged();
}

void QtFormWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        frameChanged();
}

bool QtFormWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == windowHandle() && (event->type() == QEvent::Expose || event->type() == QEvent::Hide))
        frameChanged();
    return QWidget::eventFilter(watched, event);
}

// The buttons hide what lies behind them, and repainting one means rendering
// its face and caption again: leave them out. The repaint is done here and
// now: the caller has finished a wake-up or an event, and the toolkit's own
// deferral would cost one more turn of the event loop every frame.
void QtFormWindow::flushChanges()
{
    if (pending_.isEmpty())
        return;
    ++repaintRequests_;
    drawingArea_->repaint(QRegion(pending_).subtracted(buttonsArea_));
    pending_ = {};
}

void QtFormWindow::focusFirstControl()
{
    if (!buttonsInTabOrder_.empty())
        buttonsInTabOrder_.front().widget->setFocus(Qt::OtherFocusReason);
}

QPushButton* QtFormWindow::button(std::string_view name) const
{
    for (const NamedButton& b : buttonsInTabOrder_) {
        if (b.name == name)
            return b.widget;
    }
    return nullptr;
}

ErrorNumber QtFormWindow::getScaleWidth(Single& width)
{
    width = static_cast<Single>(canvas_.logicalSize().width() * kTwipsPerPixel);
    return ErrorNumber::None;
}

ErrorNumber QtFormWindow::getScaleHeight(Single& height)
{
    height = static_cast<Single>(canvas_.logicalSize().height() * kTwipsPerPixel);
    return ErrorNumber::None;
}

ErrorNumber QtFormWindow::setFillColor(Colour colour)
{
    canvas_.setFillColor(toQColor(colour));
    return ErrorNumber::None;
}

ErrorNumber QtFormWindow::circle(Single x, Single y, Single radius, Colour colour)
{
    markChanged(canvas_.drawCircle(twipsToPoint(x, y), radius / kTwipsPerPixel, toQColor(colour)));
    return ErrorNumber::None;
}

ErrorNumber QtFormWindow::lineBox(Single x1, Single y1, Single x2, Single y2, Colour colour)
{
    markChanged(canvas_.drawBox(twipsToPoint(x1, y1), twipsToPoint(x2, y2), toQColor(colour)));
    return ErrorNumber::None;
}

// Ticks may come a thousand times a second; the screen needs the union of
// their changes only once per frame.
void QtFormWindow::markChanged(const QRect& area)
{
    if (area.isEmpty())
        return;
    pending_ = pending_.united(area);
}

void QtFormWindow::resizeEvent(QResizeEvent* event)
{
    canvas_.resize(event->size(), devicePixelRatioF());
    drawingArea_->setGeometry(rect());
    QWidget::resizeEvent(event);
}

void QtFormWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (closedListener_)
        closedListener_();
}

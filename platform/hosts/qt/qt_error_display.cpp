#include "platform/hosts/qt/qt_error_display.h"

#include "platform/runner/dialog_placement.h"

#include <QApplication>
#include <QScreen>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>


namespace {

HalfOpenRect toHalfOpenRect(const QRect& rect)
{
    return {rect.left(), rect.top(), rect.width(), rect.height()};
}

} // namespace

QtErrorDisplay::QtErrorDisplay(QWidget& owner)
    : owner_(owner)
{
}

QtErrorDisplay::~QtErrorDisplay()
{
    delete dialog_.data();
}

void QtErrorDisplay::showError(const std::string& text)
{
    if (!dialog_) {
        // Built on first use: a program without errors pays nothing for it.
        dialog_ = new QDialog(&owner_);
        dialog_->setWindowTitle(QApplication::applicationName());
        dialog_->setModal(false);
        // The user goes on clicking and typing in the window: keep the focus there.
        dialog_->setAttribute(Qt::WA_ShowWithoutActivating);
        dialog_->setWindowFlag(Qt::WindowDoesNotAcceptFocus);
        auto* layout = new QVBoxLayout(dialog_);
        message_ = new QLabel(dialog_);
        message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(message_);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog_);
        QObject::connect(buttons, &QDialogButtonBox::rejected, dialog_, &QDialog::hide);
        layout->addWidget(buttons);
    }

    message_->setText(QString::fromStdString(text));
    if (dialog_->isVisible())
        return;
    dialog_->adjustSize();
    const QScreen* screen = owner_.screen();
    if (screen) {
        const QSize size = dialog_->frameGeometry().size();
        const PixelPoint at = placeBeside(toHalfOpenRect(owner_.frameGeometry()), size.width(), size.height(),
            toHalfOpenRect(screen->availableGeometry()));
        dialog_->move(at.x, at.y);
    }
    dialog_->show();
}

QRect QtErrorDisplay::frameGeometry() const
{
    return dialog_ ? dialog_->frameGeometry() : QRect();
}

QString QtErrorDisplay::text() const
{
    return message_ ? message_->text() : QString();
}

bool QtErrorDisplay::isShown() const
{
    return dialog_ && dialog_->isVisible();
}

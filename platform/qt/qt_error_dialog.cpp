#include "platform/qt/qt_error_dialog.h"

#include "platform/raised_error.h"

#include <QApplication>
#include <QScreen>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Between the owner's frame and the dialog's, so that the two read as two.
constexpr int kGap = 8;

} // namespace

QPoint placeBeside(const QRect& ownerFrame, const QSize& size, const QRect& screen)
{
    struct Side {
        QPoint at;
        int room; // along the axis the dialog moves away on
        int needed;
    };
    // Where the dialog's corner may go with all of it on the screen, as far as it fits.
    const auto onScreenX = [&](int x) {
        return std::clamp(x, screen.left(), std::max(screen.left(), screen.right() + 1 - size.width()));
    };
    const auto onScreenY = [&](int y) {
        return std::clamp(y, screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height()));
    };
    const int top = onScreenY(ownerFrame.top());
    const int left = onScreenX(ownerFrame.left());
    const Side sides[] = {
        {{ownerFrame.right() + 1 + kGap, top}, screen.right() - ownerFrame.right(), size.width() + kGap},
        {{left, ownerFrame.bottom() + 1 + kGap}, screen.bottom() - ownerFrame.bottom(), size.height() + kGap},
        {{ownerFrame.left() - kGap - size.width(), top}, ownerFrame.left() - screen.left(), size.width() + kGap},
        {{left, ownerFrame.top() - kGap - size.height()}, ownerFrame.top() - screen.top(), size.height() + kGap},
    };
    for (const Side& side : sides) {
        if (side.room >= side.needed)
            return side.at;
    }
    const Side& roomiest = *std::max_element(std::begin(sides), std::end(sides),
        [](const Side& a, const Side& b) { return a.room - a.needed < b.room - b.needed; });
    return {onScreenX(roomiest.at.x()), onScreenY(roomiest.at.y())};
}

QtErrorDialog::QtErrorDialog(QWidget& owner)
    : owner_(owner)
{
}

QtErrorDialog::~QtErrorDialog()
{
    delete dialog_.data();
}

void QtErrorDialog::report(const RaisedError& error)
{
    ++count_;
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

    QString text = QStringLiteral("Error %1: %2")
                       .arg(static_cast<int>(error.number()))
                       .arg(QString::fromUtf8(error.what()));
    if (!error.object().empty()) {
        text += QStringLiteral("\nObject: %1\nOperation: %2")
                    .arg(QString::fromStdString(error.object()), QString::fromStdString(error.operation()));
    }
    if (count_ > 1)
        text += QStringLiteral("\nErrors so far: %1").arg(count_);
    message_->setText(text);
    if (dialog_->isVisible())
        return;
    dialog_->adjustSize();
    const QScreen* screen = owner_.screen();
    if (screen)
        dialog_->move(placeBeside(owner_.frameGeometry(), dialog_->frameGeometry().size(), screen->availableGeometry()));
    dialog_->show();
}

QRect QtErrorDialog::frameGeometry() const
{
    return dialog_ ? dialog_->frameGeometry() : QRect();
}

QString QtErrorDialog::text() const
{
    return message_ ? message_->text() : QString();
}

bool QtErrorDialog::isShown() const
{
    return dialog_ && dialog_->isVisible();
}

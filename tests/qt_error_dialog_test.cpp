#include "platform/qt/qt_error_dialog.h"

#include "platform/raised_error.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(QtErrorDialogTest, CountsEachErrorInOneDialogThatGoesWithItsOwner)
{
    auto owner = std::make_unique<QWidget>();
    QtErrorDialog errors(*owner);
    EXPECT_FALSE(errors.isShown());
    errors.report(RaisedError(ErrorNumber::Overflow));
    errors.report(RaisedError(ErrorNumber::OperationFailed, "frmtessary", "Circle"));
    EXPECT_TRUE(errors.isShown());
    EXPECT_EQ(errors.count(), 2);
    EXPECT_EQ(errors.text(), "Error 1000: The operation failed\nObject: frmtessary\nOperation: Circle\nErrors so far: 2");
    // The owner takes the dialog and its text with it; nothing dangles.
    owner.reset();
    EXPECT_FALSE(errors.isShown());
    EXPECT_EQ(errors.text(), QString());
}

TEST(QtErrorDialogTest, PlacedBesideItsOwnerWhereverTheScreenLeavesRoom)
{
    const QRect screen(0, 0, 1024, 768);
    const QSize dialog(300, 120);
    struct Case {
        const char* why;
        QRect owner;
        QPoint expected;
    };
    const Case cases[] = {
        {"room on the right", {100, 100, 360, 240}, {468, 100}},
        {"at the right edge: below", {660, 100, 360, 240}, {660, 348}},
        {"at the bottom right: to the left", {660, 500, 360, 240}, {352, 500}},
        {"wide along the bottom: above", {100, 600, 900, 160}, {100, 472}},
        {"low at the right edge: to the left, lifted onto the screen", {700, 700, 320, 60}, {392, 648}},
        {"wider than the screen: below, moved onto it", {-100, 100, 1120, 240}, {0, 348}},
    };
    for (const Case& c : cases) {
        const QPoint at = placeBeside(c.owner, dialog, screen);
        EXPECT_EQ(at, c.expected) << c.why;
        EXPECT_FALSE(QRect(at, dialog).intersects(c.owner)) << c.why;
        EXPECT_TRUE(screen.contains(QRect(at, dialog))) << c.why;
    }
    // Where no side has room nothing avoids the owner: the roomiest side, on the screen.
    EXPECT_TRUE(screen.contains(QRect(placeBeside(screen, dialog, screen), dialog)));
    EXPECT_EQ(placeBeside({0, 0, 774, 768}, dialog, screen), QPoint(724, 0)) << "the right, pulled back onto the screen";
}

} // namespace

#include "platform/hosts/qt/qt_error_display.h"

#include "platform/services/raised_error.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(QtErrorDisplayTest, CountsEachErrorInOneDialogThatGoesWithItsOwner)
{
    auto owner = std::make_unique<QWidget>();
    QtErrorDisplay errors(*owner);
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

} // namespace

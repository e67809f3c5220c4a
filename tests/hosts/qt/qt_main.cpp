#include <QApplication>

#include <gtest/gtest.h>

// Widget tests need a QApplication before the first test, and a platform even
// where no display is: the offscreen one, unless the caller chose another.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

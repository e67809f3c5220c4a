#include "platform/hosts/qt/qt_form_host.h"

#include "tests/support/manual_clock.h"
#include "window/frmtessary.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

// The window at the device pixel ratio of its screen: run with QT_SCALE_FACTOR
// at 1, 1.5 and 2, on two offscreen screens of which the second has twice the
// density of the first.
namespace {

using std::chrono::milliseconds;

constexpr Colour kRing = 0x0000FF00; // green
const QColor kRingColour(0, 255, 0);

class QtDensityTest : public testing::Test {
protected:
    void SetUp() override
    {
        host.start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host.window()));
    }

    QWidget& window() { return host.window(); }

    bool underAButton(QPoint device, qreal ratio)
    {
        const QPoint logical(static_cast<int>(device.x() / ratio), static_cast<int>(device.y() / ratio));
        return qobject_cast<QPushButton*>(window().childAt(logical)) != nullptr;
    }

    // Device pixels where what the window shows differs from its picture,
    // leaving out the buttons that stand on it.
    int shownUnlikeThePicture()
    {
        const QImage shown = window().grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage picture = host.window().image();
        EXPECT_EQ(shown.size(), picture.size());
        EXPECT_EQ(shown.devicePixelRatio(), host.picture().devicePixelRatio());
        int unlike = 0;
        for (int y = 0; y < std::min(shown.height(), picture.height()); ++y)
            for (int x = 0; x < std::min(shown.width(), picture.width()); ++x)
                unlike += !underAButton({x, y}, shown.devicePixelRatio()) && shown.pixel(x, y) != picture.pixel(x, y);
        return unlike;
    }

    ManualClock clock;
    QtFormHost host {tessaryProject, clock};
};

TEST_F(QtDensityTest, ARingIsOneDevicePixelWideAndShownOneToOne)
{
    const qreal ratio = window().devicePixelRatioF();
    ASSERT_EQ(host.runner().window().circle(2000, 1800, 900, kRing), ErrorNumber::None);
    const QImage picture = host.window().image();
    ASSERT_EQ(picture.size(), (QSizeF(window().size()) * ratio).toSize()) << "ratio " << ratio;
    // Along the device row through the centre, the outline crosses twice, one
    // device pixel each time.
    const int row = static_cast<int>(1800 / 15.0 * ratio);
    std::vector<int> runs;
    for (int x = 0, run = 0; x <= picture.width(); ++x) {
        const bool ring = x < picture.width() && picture.pixelColor(x, row) == kRingColour;
        if (ring)
            ++run;
        else if (run > 0)
            runs.push_back(std::exchange(run, 0));
    }
    EXPECT_EQ(runs, (std::vector<int> {1, 1})) << "ratio " << ratio;
    EXPECT_EQ(shownUnlikeThePicture(), 0) << "ratio " << ratio;
}

TEST_F(QtDensityTest, ClearBlackensEveryDevicePixelToTheLastRowAndColumn)
{
    for (int i = 0; i < 200; ++i)
        host.runner().session().tick();
    host.runner().session().click("cmdclear");
    const QImage picture = host.window().image();
    const qreal ratio = window().devicePixelRatioF();
    ASSERT_EQ(picture.size(), (QSizeF(window().size()) * ratio).toSize());
    int lit = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            lit += picture.pixelColor(x, y) != QColor(Qt::black);
    EXPECT_EQ(lit, 0) << "ratio " << ratio;
    EXPECT_EQ(shownUnlikeThePicture(), 0);
}

TEST_F(QtDensityTest, MovingToADenserScreenRedrawsAtItsDensity)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    ASSERT_EQ(screens.size(), 2) << "run with the two-screen configuration";
    const auto dense = std::max_element(screens.begin(), screens.end(),
        [](QScreen* a, QScreen* b) { return a->devicePixelRatio() < b->devicePixelRatio(); });
    const qreal before = window().devicePixelRatioF();
    ASSERT_LT(before, (*dense)->devicePixelRatio());
    ASSERT_EQ(host.runner().window().circle(2000, 1800, 900, kRing), ErrorNumber::None);
    const QSize size = window().size();

    window().move((*dense)->geometry().topLeft() + QPoint(50, 50));
    QTRY_COMPARE(window().devicePixelRatioF(), (*dense)->devicePixelRatio());
    ASSERT_EQ(window().size(), size) << "the move resized the window";
    window().repaint();
    EXPECT_EQ(host.picture().devicePixelRatio(), (*dense)->devicePixelRatio());
    EXPECT_EQ(shownUnlikeThePicture(), 0);
    // The ring drawn before the move is still there, and new ones are as fine as the screen.
    const QImage picture = host.window().image();
    const int row = static_cast<int>(1800 / 15.0 * window().devicePixelRatioF());
    int ring = 0;
    for (int x = 0; x < picture.width(); ++x)
        ring += picture.pixelColor(x, row) == kRingColour;
    EXPECT_GT(ring, 0);
}

} // namespace

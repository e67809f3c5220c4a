#include "platform/qt/qt_form_host.h"

#include "platform/timer_rules.h"
#include "tests/support/forwarding_window.h"
#include "window/frmtessary.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Fails the form's Circle calls while told to.
struct FailingCircles : ForwardingWindow {
    ErrorNumber circle(Single x, Single y, Single radius, Colour colour) override
    {
        return failing ? ErrorNumber::OperationFailed : ForwardingWindow::circle(x, y, radius, colour);
    }
    bool failing = false;
};

// Notes the rings the form's code asks for on their way to the real window.
struct RingWatcher : ForwardingWindow {
    ErrorNumber circle(Single x, Single y, Single radius, Colour colour) override
    {
        ++rings;
        centre = {x, y};
        lastColour = colour;
        return ForwardingWindow::circle(x, y, radius, colour);
    }
    int rings = 0;
    QPointF centre;
    Colour lastColour = 0;
};

int nonBlackPixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) != QColor(Qt::black);
    return n;
}

void click(QtFormHost& host, const char* button)
{
    QTest::mouseClick(host.window().button(button), Qt::LeftButton);
}

// Starts the form and lets it tick for a while, as a user opening it would.
bool startAndRun(QtFormHost& host, int ms)
{
    host.start();
    const bool shown = QTest::qWaitForWindowExposed(&host.window());
    QTest::qWait(ms);
    return shown;
}

void clickBareArea(QtFormHost& host)
{
    QTest::mouseClick(&host.window(), Qt::LeftButton, {}, QPoint(200, 150));
}

TEST(QtFormHostTest, RingsAppearFromTheFirstTicksWithoutAnyClick)
{
    QtFormHost host(tessaryProject);
    EXPECT_EQ(nonBlackPixels(host.window().canvas().image()), 0);
    ASSERT_TRUE(startAndRun(host, 100));
    EXPECT_GT(nonBlackPixels(host.window().canvas().image()), 0);
    EXPECT_FALSE(host.errors().isShown());
}

TEST(QtFormHostTest, EachClickDoesWhatItsButtonSays)
{
    RingWatcher watcher;
    QtFormHost host(tessaryProject, &watcher);
    watcher.setTarget(&host.window());
    ASSERT_TRUE(startAndRun(host, 50));
    struct Step {
        const char* button; // nullptr: the bare area
        bool newCentre;
        bool newColour;
        Long interval;
        bool ticking;
    };
    const Step steps[] = {
        {"cmdmove", true, false, 1, true},
        {"cmdcolor", false, true, 1, true},
        {"cmdslow", false, false, 101, true},
        {"cmdfast", false, false, 1, true},
        {nullptr, false, false, 1, true}, // while running: nothing changes
        {"cmdstop", false, false, 1, false},
        {"cmdslow", false, false, 101, false},
        {"cmdfast", false, false, 1, false},
        {nullptr, false, false, 1, true},
    };
    for (const Step& step : steps) {
        const QPointF centre = watcher.centre;
        const Colour colour = watcher.lastColour;
        if (step.button)
            click(host, step.button);
        else
            clickBareArea(host);
        const int rings = watcher.rings;
        QTest::qWait(250); // at 101 ms, room for a tick even on a busy machine
        const char* name = step.button ? step.button : "bare area";
        EXPECT_EQ(watcher.rings > rings, step.ticking) << name;
        if (step.ticking) {
            EXPECT_EQ(watcher.centre != centre, step.newCentre) << name;
            EXPECT_EQ(watcher.lastColour != colour, step.newColour) << name;
        }
        Long interval = 0;
        ASSERT_EQ(host.timer().getInterval(interval), ErrorNumber::None);
        EXPECT_EQ(interval, step.interval) << name;
    }
    EXPECT_FALSE(host.errors().isShown());
}

TEST(QtFormHostTest, StopHoldsThePictureUntilTheBareAreaIsClicked)
{
    QtFormHost host(tessaryProject);
    ASSERT_TRUE(startAndRun(host, 30));
    click(host, "cmdstop");
    click(host, "cmdslow");
    const QImage stopped = host.window().canvas().image().copy();
    QTest::qWait(150);
    EXPECT_EQ(host.window().canvas().image(), stopped);
    Long interval = 0;
    ASSERT_EQ(host.timer().getInterval(interval), ErrorNumber::None);
    EXPECT_EQ(interval, 101);

    click(host, "cmdfast");
    clickBareArea(host);
    QTest::qWait(150);
    EXPECT_NE(host.window().canvas().image(), stopped);
}

TEST(QtFormHostTest, ClearBlackensTheWholeAreaWhileStopped)
{
    QtFormHost host(tessaryProject);
    ASSERT_TRUE(startAndRun(host, 50));
    click(host, "cmdstop");
    ASSERT_GT(nonBlackPixels(host.window().canvas().image()), 0);
    click(host, "cmdclear");
    EXPECT_EQ(nonBlackPixels(host.window().canvas().image()), 0);
    QTest::qWait(50);
    // What the screen shows outside the buttons is black too.
    const QImage shown = host.window().grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qreal ratio = shown.devicePixelRatio();
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QPoint logical(static_cast<int>(x / ratio), static_cast<int>(y / ratio));
            if (host.window().childAt(logical))
                continue;
            ASSERT_EQ(shown.pixelColor(x, y), QColor(Qt::black)) << x << "," << y;
        }
    }
}

TEST(QtFormHostTest, AnErrorOnEveryTickShowsOneDialogAndTheProgramGoesOn)
{
    FailingCircles failing;
    QtFormHost host(tessaryProject, &failing);
    QtFormWindow* real = &host.window();
    failing.setTarget(real);

    failing.failing = true;
    host.start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(real));
    QTest::qWait(500);
    const int halfway = host.errors().count();
    QTest::qWait(500);
    EXPECT_GT(halfway, 10);
    EXPECT_GT(host.errors().count(), halfway);
    EXPECT_TRUE(host.errors().isShown());
    EXPECT_TRUE(host.errors().text().contains("Error 1000"));
    EXPECT_TRUE(host.errors().text().contains("frmtessary"));
    EXPECT_TRUE(host.errors().text().contains("Circle"));
    EXPECT_TRUE(host.errors().text().contains(QString::number(host.errors().count())));
    const QWidgetList windows = QApplication::topLevelWidgets();
    EXPECT_EQ(std::count_if(windows.begin(), windows.end(), [](QWidget* w) { return w->isVisible() && w->inherits("QDialog"); }), 1);
    EXPECT_EQ(nonBlackPixels(real->canvas().image()), 0);

    failing.failing = false;
    QTest::qWait(100);
    const int settled = host.errors().count();
    EXPECT_GT(nonBlackPixels(real->canvas().image()), 0);
    QTest::qWait(50);
    EXPECT_EQ(host.errors().count(), settled);
}

TEST(QtFormHostTest, TheTimerRefusingSlowerIsReportedAndTheIntervalStays)
{
    QtFormHost host(tessaryProject);
    host.start();
    ASSERT_EQ(host.timer().setInterval(kMaxTimerInterval), ErrorNumber::None);
    click(host, "cmdslow");
    Long interval = 0;
    ASSERT_EQ(host.timer().getInterval(interval), ErrorNumber::None);
    EXPECT_EQ(interval, kMaxTimerInterval);
    EXPECT_EQ(host.errors().count(), 1);
    EXPECT_TRUE(host.errors().text().contains("Invalid property value"));
    EXPECT_TRUE(host.errors().text().contains("tmrtime"));
}

} // namespace

#include "platform/hosts/qt/qt_form_host.h"

#include "platform/services/timer_rules.h"
#include "tests/support/manual_loop.h"
#include "bench/paint_counter.h"
#include "tests/support/watched_window.h"
#include "tests/support/window_probe.h"
#include "window/frmtessary.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using std::chrono::milliseconds;

int nonBlackPixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) != QColor(Qt::black);
    return n;
}

// The desktop host on a clock the test moves, with the rings the form's code
// asks for watched on their way to the real window.
class QtFormHostTest : public testing::Test {
protected:
    void start()
    {
        host.start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host.window()));
    }

    // Moves the clock on by this much, waking the timer whenever it asks, as
    // an event loop with nothing else to do would, and once more at the end,
    // so that every tick due by then has been delivered.
    void pass(milliseconds span)
    {
        loop.run(span);
        host.runner().wake();
    }

    void click(const char* button) { QTest::mouseClick(host.window().button(button), Qt::LeftButton); }
    void clickBareArea() { QTest::mouseClick(&host.window().drawingArea(), Qt::LeftButton, {}, QPoint(200, 150)); }

    Long interval()
    {
        Long value = 0;
        EXPECT_EQ(host.runner().timer().getInterval(value), ErrorNumber::None);
        return value;
    }

    ManualClock clock;
    WindowProbe<WatchedWindow> probe;
    WatchedWindow*& watched = probe.window;
    QtFormHost host {tessaryProject, clock, &probe};
    ManualLoop loop {clock, [this] { return host.runner().timer().nextWake(); }, [this] { host.runner().wake(); }};
};

TEST_F(QtFormHostTest, RingsComeFromTheFirstTickWithoutAnyClick)
{
    EXPECT_EQ(nonBlackPixels(host.window().image()), 0);
    start();
    EXPECT_EQ(watched->rings, 0) << "a ring before the first interval has passed";
    pass(milliseconds(1));
    EXPECT_EQ(watched->rings, 1);
    EXPECT_GT(nonBlackPixels(host.window().image()), 0);
    pass(milliseconds(99));
    EXPECT_EQ(watched->rings, 100);
    EXPECT_FALSE(host.errors().isShown());
}

TEST_F(QtFormHostTest, EachClickDoesWhatItsButtonSays)
{
    start();
    pass(milliseconds(5));
    struct Step {
        const char* button; // nullptr: the bare area
        bool newCentre;
        bool newColour;
        Long interval;
        long rings; // in the 250 ms after the click
    };
    const Step steps[] = {
        {"cmdmove", true, false, 1, 250},
        {"cmdcolor", false, true, 1, 250},
        {"cmdslow", false, false, 101, 2},
        {"cmdfast", false, false, 1, 250},
        {nullptr, false, false, 1, 250}, // while running: nothing changes
        {"cmdstop", false, false, 1, 0},
        {"cmdslow", false, false, 101, 0},
        {"cmdfast", false, false, 1, 0},
        {nullptr, false, false, 1, 250},
    };
    for (const Step& step : steps) {
        const auto centre = watched->centre;
        const Colour colour = watched->lastColour;
        if (step.button)
            click(step.button);
        else
            clickBareArea();
        const long rings = watched->rings;
        pass(milliseconds(250));
        const char* name = step.button ? step.button : "bare area";
        EXPECT_EQ(watched->rings - rings, step.rings) << name;
        if (step.rings > 0) {
            EXPECT_EQ(watched->centre != centre, step.newCentre) << name;
            EXPECT_EQ(watched->lastColour != colour, step.newColour) << name;
        }
        EXPECT_EQ(interval(), step.interval) << name;
    }
    EXPECT_FALSE(host.errors().isShown());
}

TEST_F(QtFormHostTest, TicksDueBeforeAClickAreDrawnBeforeItsHandlerRuns)
{
    start();
    pass(milliseconds(1));
    const auto old = watched->centre;
    // The next wake-up is a frame away; the click comes before it.
    clock.advance(milliseconds(6) + std::chrono::microseconds(500));
    click("cmdmove");
    EXPECT_EQ(watched->rings, 7);
    EXPECT_EQ(watched->centre, old);
    pass(milliseconds(3));
    EXPECT_EQ(watched->rings, 10);
    EXPECT_NE(watched->centre, old);
}

// How often the runner wakes for a pacing is the runner's own business; here,
// that the window tells it its screen's pacing, and when that changes.
TEST_F(QtFormHostTest, TheRunnerIsPacedByTheWindowsScreenAndKnowsWhenItIsMinimised)
{
    start();
    const FramePacing pacing = host.window().pacing();
    ASSERT_EQ(pacing.kind(), FramePacing::Kind::EveryPeriod);
    EXPECT_NEAR(std::chrono::duration<double>(pacing.period()).count(), 1 / host.window().screen()->refreshRate(), 1e-6);
    EXPECT_EQ(host.runner().timer().shortestWake(), pacing.period());

    host.window().showMinimized();
    QTRY_COMPARE(host.runner().timer().shortestWake(), CadenceTimer::Duration(CadenceTimer::kLongestWake));
    EXPECT_EQ(host.window().pacing(), FramePacing::unseen());
    const long rings = watched->rings;
    pass(milliseconds(100));
    EXPECT_EQ(watched->rings - rings, 100) << "ticks go on into the picture while minimised";

    host.window().showNormal();
    QTRY_COMPARE(host.runner().timer().shortestWake(), pacing.period());
}

TEST_F(QtFormHostTest, EachShowingOfChangesIsOneRepaint)
{
    start();
    const PaintCounter paints(&host.window().drawingArea());
    // Each wake-up 1 ms or more after the last delivers a tick, which draws.
    const int wakes = loop.run(milliseconds(100));
    EXPECT_GT(wakes, 0);
    EXPECT_EQ(paints.count(), wakes) << "the window deferred or merged a repaint it was asked for";
}

TEST_F(QtFormHostTest, StopHoldsThePictureUntilTheBareAreaIsClicked)
{
    start();
    pass(milliseconds(30));
    click("cmdstop");
    click("cmdslow");
    const QImage stopped = host.window().image().copy();
    pass(milliseconds(1000));
    EXPECT_EQ(host.window().image(), stopped);
    EXPECT_FALSE(host.window().alarm().armed()) << "a stopped timer still wakes the program";
    EXPECT_EQ(interval(), 101);

    click("cmdfast");
    clickBareArea();
    pass(milliseconds(10));
    EXPECT_EQ(watched->rings, 40);
    EXPECT_NE(host.window().image(), stopped);
}

TEST_F(QtFormHostTest, ClearBlackensTheWholeAreaWhileStopped)
{
    start();
    pass(milliseconds(50));
    click("cmdstop");
    ASSERT_GT(nonBlackPixels(host.window().image()), 0);
    click("cmdclear");
    EXPECT_EQ(nonBlackPixels(host.window().image()), 0);
    // What the window system shows outside the buttons is black too, at once.
    const QImage shown = host.window().screen()->grabWindow(host.window().winId()).toImage().convertToFormat(QImage::Format_RGB32);
    const qreal ratio = shown.devicePixelRatio();
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QPoint logical(static_cast<int>(x / ratio), static_cast<int>(y / ratio));
            if (host.window().childAt(logical) != &host.window().drawingArea())
                continue;
            ASSERT_EQ(shown.pixelColor(x, y), QColor(Qt::black)) << x << "," << y;
        }
    }
}

TEST_F(QtFormHostTest, AnErrorOnEveryTickShowsOneDialogAndTheProgramGoesOn)
{
    watched->failing = true;
    start();
    pass(milliseconds(500));
    EXPECT_EQ(host.errors().count(), 500);
    EXPECT_TRUE(host.errors().isShown());
    for (const char* part : {"Error 1000", "frmtessary", "Circle", "500"})
        EXPECT_TRUE(host.errors().text().contains(QLatin1String(part))) << part;
    const QWidgetList windows = QApplication::topLevelWidgets();
    EXPECT_EQ(std::count_if(windows.begin(), windows.end(), [](QWidget* w) { return w->isVisible() && w->inherits("QDialog"); }), 1);
    EXPECT_EQ(nonBlackPixels(host.window().image()), 0);

    watched->failing = false;
    pass(milliseconds(100));
    EXPECT_EQ(host.errors().count(), 500);
    EXPECT_EQ(watched->rings, 100);
    EXPECT_GT(nonBlackPixels(host.window().image()), 0);
}

TEST_F(QtFormHostTest, AnythingElseThrownShowsInTheDialogAndTheTicksGoOn)
{
    watched->throwing = true;
    start();
    pass(milliseconds(3));
    EXPECT_GE(host.errors().count(), 1);
    EXPECT_TRUE(host.errors().text().startsWith("Error 51: Internal error: thrown by a test")) << host.errors().text().toStdString();
    watched->throwing = false;
    pass(milliseconds(10));
    EXPECT_GE(watched->rings, 9);
}

TEST_F(QtFormHostTest, TheTimerRefusingSlowerIsReportedAndTheIntervalStays)
{
    start();
    ASSERT_EQ(host.runner().timer().setInterval(kMaxTimerInterval), ErrorNumber::None);
    click("cmdslow");
    EXPECT_EQ(interval(), kMaxTimerInterval);
    EXPECT_EQ(host.errors().count(), 1);
    EXPECT_TRUE(host.errors().text().contains("Invalid property value"));
    EXPECT_TRUE(host.errors().text().contains("tmrtime"));
}

TEST_F(QtFormHostTest, TheTimerRefusesTheSameSlowerPressesByMouseAndKeyAndTheDialogStaysOutOfTheWay)
{
    // 1 + 655 × 100 is the last interval the timer takes: of 700 presses
    // from the start, the last 45 are refused.
    constexpr int kPresses = 700;
    constexpr int kRefused = 45;
    struct Case {
        const char* why;
        std::function<void(QtFormHost&)> press;
    };
    const Case cases[] = {
        {"mouse", [](QtFormHost& h) { QTest::mouseClick(h.window().button("cmdslow"), Qt::LeftButton); }},
        {"space", [](QtFormHost&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); }},
    };
    for (const Case& c : cases) {
        QtFormHost fresh(tessaryProject, clock);
        fresh.start();
        fresh.window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&fresh.window()));
        QWidget* slower = fresh.window().button("cmdslow");
        ASSERT_EQ(QApplication::focusWidget(), slower);
        for (int i = 0; i < kPresses; ++i)
            c.press(fresh);
        EXPECT_EQ(fresh.errors().count(), kRefused) << c.why;
        EXPECT_TRUE(fresh.errors().isShown()) << c.why;
        EXPECT_EQ(QApplication::focusWidget(), slower) << c.why << ": the dialog took the focus";
        EXPECT_FALSE(fresh.errors().frameGeometry().intersects(fresh.window().frameGeometry())) << c.why;
        EXPECT_TRUE(fresh.errors().text().contains(QStringLiteral("Errors so far: %1").arg(kRefused))) << c.why;
    }
}

TEST_F(QtFormHostTest, ADialogClosedComesBackWithTheNextError)
{
    start();
    ASSERT_EQ(host.runner().timer().setInterval(kMaxTimerInterval), ErrorNumber::None);
    click("cmdslow");
    ASSERT_TRUE(host.errors().isShown());
    const QWidgetList windows = QApplication::topLevelWidgets();
    const auto dialog = std::find_if(windows.begin(), windows.end(), [](QWidget* w) { return w->isVisible() && w->inherits("QDialog"); });
    ASSERT_NE(dialog, windows.end());
    (*dialog)->close();
    EXPECT_FALSE(host.errors().isShown());
    click("cmdslow");
    EXPECT_TRUE(host.errors().isShown());
    EXPECT_EQ(host.errors().count(), 2);
}

TEST_F(QtFormHostTest, ClosingTheWindowEndsTheEventLoopWithStatus0)
{
    constexpr int kGivenUp = 99;
    constexpr int kWatchdogMs = 10000;
    QTimer::singleShot(0, &host.window(), [this] {
        // Behind an error dialog, as a user who closes the program would be.
        watched->failing = true;
        pass(milliseconds(1));
        host.window().close();
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QApplication::exit(kGivenUp); });
    watchdog.start(kWatchdogMs);
    EXPECT_EQ(host.run(), 0);
    EXPECT_TRUE(host.errors().isShown());
}

} // namespace

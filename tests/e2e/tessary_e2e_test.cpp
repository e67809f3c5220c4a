#include "tests/e2e/desktop_session.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <array>
#include <functional>

// The real build/Tessary in a real X window, looked at and clicked as a person
// would. Pixel positions are those of the window at its defined size.
namespace {

struct ButtonPlace {
    const char* caption;
    QRect rect;
};

constexpr std::array<ButtonPlace, 6> kButtons = {{
    {"Move", {0, 16, 41, 17}},
    {"Color", {56, 16, 41, 17}},
    {"Slower", {112, 16, 41, 17}},
    {"Faster", {176, 16, 41, 17}},
    {"Stop", {232, 16, 41, 17}},
    {"Clear", {288, 16, 41, 17}},
}};

const QColor kPink(255, 192, 192);
const QPoint kBareArea(180, 150);

QRect buttonNamed(const char* caption)
{
    for (const ButtonPlace& b : kButtons)
        if (QString::fromUtf8(caption) == QString::fromUtf8(b.caption))
            return b.rect;
    return {};
}

bool onAButton(QPoint p)
{
    for (const ButtonPlace& b : kButtons)
        if (b.rect.contains(p))
            return true;
    return false;
}

// The drawing area as a person sees it: every pixel not covered by a button.
struct Area {
    int lit = 0;
    QPointF centroid;
    QColor commonest;
};

Area lookAt(const QImage& shot)
{
    Area area;
    QHash<QRgb, int> colours;
    double sx = 0, sy = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QRgb pixel = shot.pixel(x, y) & RGB_MASK;
            if (onAButton({x, y}) || pixel == 0)
                continue;
            ++area.lit;
            sx += x;
            sy += y;
            ++colours[pixel];
        }
    }
    if (area.lit > 0)
        area.centroid = QPointF(sx / area.lit, sy / area.lit);
    int best = 0;
    for (auto it = colours.begin(); it != colours.end(); ++it) {
        if (it.value() > best) {
            best = it.value();
            area.commonest = QColor(it.key());
        }
    }
    return area;
}

class TessaryDesktopTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (withWindowManager) {
            ASSERT_TRUE(session.startWindowManager()) << qPrintable(session.error());
        }
        ASSERT_TRUE(session.launch(QStringLiteral(TESSARY_EXECUTABLE), QStringLiteral("Form1"))) << qPrintable(session.error());
    }

    void press(const char* caption) { session.click(buttonNamed(caption).center()); }

    // Looks until the condition holds, for as long as a busy machine may need.
    static bool waitFor(const std::function<bool()>& condition) { return !holdsFor(kPatienceMs, std::not_fn(condition)); }

    // Whether the condition holds at every look for that long: for what must
    // not happen, such as rings after Stop.
    static bool holdsFor(int ms, const std::function<bool()>& condition)
    {
        QElapsedTimer looking;
        looking.start();
        while (looking.elapsed() < ms) {
            if (!condition())
                return false;
            QThread::msleep(kLookEveryMs);
        }
        return condition();
    }

    // The window once it has shown one picture for a while, as it must after Stop.
    QImage settled()
    {
        QImage last = session.screenshot();
        QElapsedTimer still;
        still.start();
        waitFor([&] {
            QImage now = session.screenshot();
            if (now != last) {
                last = now;
                still.restart();
            }
            return still.elapsed() >= kStillMs;
        });
        return last;
    }

    int lit() { return lookAt(session.screenshot()).lit; }

    static constexpr int kPatienceMs = 20000;
    static constexpr int kLookEveryMs = 50;
    static constexpr int kStillMs = 500;

    bool withWindowManager = false;
    DesktopSession session;
};

// The same under openbox, which decorates the window and closes it on request.
class TessaryManagedDesktopTest : public TessaryDesktopTest {
protected:
    TessaryManagedDesktopTest() { withWindowManager = true; }
};

TEST_F(TessaryDesktopTest, OpensBlackWithSixPinkButtonsAndDrawsRingsWithoutAClick)
{
    EXPECT_EQ(session.windowGeometry().size(), QSize(353, 214));
    ASSERT_TRUE(waitFor([&] { return lit() > 0; })) << "no ring without a click";
    const QImage shot = session.screenshot();
    ASSERT_EQ(shot.size(), QSize(353, 214));
    for (const ButtonPlace& b : kButtons) {
        EXPECT_EQ(shot.pixelColor(b.rect.topLeft() + QPoint(2, 2)), kPink) << b.caption;
        // The caption: dark pixels inside the face, none of them on its border rows.
        QRect ink;
        for (int y = b.rect.top() + 1; y < b.rect.bottom(); ++y)
            for (int x = b.rect.left() + 1; x < b.rect.right(); ++x)
                if (qGray(shot.pixel(x, y)) < 100)
                    ink |= QRect(x, y, 1, 1);
        EXPECT_GT(ink.width(), 12) << b.caption;
        EXPECT_GT(ink.height(), 5) << b.caption;
        EXPECT_TRUE(b.rect.adjusted(1, 1, -1, -1).contains(ink)) << b.caption;
    }
    EXPECT_EQ(shot.pixelColor(48, 24), QColor(Qt::black)) << "the strip between buttons is drawing area";
    EXPECT_EQ(shot.pixelColor(10, 200), QColor(Qt::black));
    EXPECT_TRUE(holdsFor(2000, [&] { return session.programRunning(); })) << "it ended while the rings came";
}

TEST_F(TessaryDesktopTest, StopClearMoveColorAndAClickOnTheBareArea)
{
    ASSERT_TRUE(waitFor([&] { return lit() > 0; }));
    const Area first = lookAt(session.screenshot());

    // Clicks are handled in order, so once Clear shows, Stop has been handled too.
    press("Stop");
    press("Clear");
    ASSERT_TRUE(waitFor([&] { return lit() == 0; })) << "Clear left something lit";
    EXPECT_TRUE(holdsFor(1000, [&] { return lit() == 0; })) << "rings came after Stop";

    press("Move");
    press("Color");
    EXPECT_TRUE(holdsFor(300, [&] { return lit() == 0; })) << "Move or Color drew";

    session.click(kBareArea);
    ASSERT_TRUE(waitFor([&] { return lit() > 0; })) << "no rings after the click on the bare area";
    press("Stop");
    const Area after = lookAt(settled());
    EXPECT_NE(after.commonest, first.commonest);
    const QPointF moved = after.centroid - first.centroid;
    EXPECT_GT(std::hypot(moved.x(), moved.y()), 5.0) << "the rings did not move";
    EXPECT_TRUE(session.programRunning());
}

TEST_F(TessaryManagedDesktopTest, ClosingTheWindowEndsTheProgramWithStatus0)
{
    ASSERT_TRUE(waitFor([&] { return lit() > 0; })) << "no ring without a click";
    ASSERT_TRUE(session.programRunning());
    EXPECT_EQ(session.closeWindow(), 0) << qPrintable(session.error());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

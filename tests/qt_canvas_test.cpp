#include "platform/qt/qt_canvas.h"

#include <gtest/gtest.h>

namespace {

const QColor kRing(255, 0, 0);

int countPixels(const QImage& image, QColor colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) == colour;
    return n;
}

// Every pixel that differs between the two pictures lies in the area, scaled to
// device pixels.
bool changesLieWithin(const QImage& before, const QImage& after, QRect area, qreal ratio)
{
    const QRect device(QPoint(area.topLeft()) * ratio, area.size() * ratio);
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y) && !device.contains(x, y))
                return false;
    return true;
}

TEST(QtCanvasTest, CircleOutlineIsOneDevicePixelWideAndItsInsideIsFilled)
{
    for (qreal ratio : {1.0, 2.0}) {
        QtCanvas canvas(Qt::black);
        canvas.resize(QSize(100, 80), ratio);
        canvas.setFillColor(Qt::black);
        canvas.drawBox(QPointF(0, 0), QPointF(100, 80), Qt::white); // leave a white frame to prove the fill
        canvas.drawCircle(QPointF(50, 40), 20, kRing);
        const QImage& image = canvas.image();
        EXPECT_EQ(image.size(), QSize(100, 80) * ratio);
        // Along the row through the centre: ring, black inside, ring, nothing else red.
        const int row = static_cast<int>(40 * ratio);
        std::vector<int> redColumns;
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, row) == kRing)
                redColumns.push_back(x);
        ASSERT_EQ(redColumns.size(), 2u) << "ratio " << ratio;
        EXPECT_NEAR(redColumns[1] - redColumns[0], 40 * ratio, 1);
        EXPECT_EQ(image.pixelColor(static_cast<int>(50 * ratio), row), QColor(Qt::black));
    }
}

TEST(QtCanvasTest, ANewCircleCoversTheInsideOfTheRingsBeforeIt)
{
    QtCanvas canvas(Qt::black);
    canvas.resize(QSize(100, 100), 1);
    canvas.drawCircle(QPointF(50, 50), 10, Qt::green);
    canvas.drawCircle(QPointF(50, 50), 30, kRing);
    EXPECT_EQ(countPixels(canvas.image(), Qt::green), 0);
    EXPECT_GT(countPixels(canvas.image(), kRing), 100);
}

TEST(QtCanvasTest, EachRingHasItsOwnColourWhateverWasReadBetween)
{
    const QColor kOther(0, 0, 255);
    struct Case {
        const char* why;
        std::vector<QColor> colours;
        bool readBetween;
    };
    const Case cases[] = {
        {"one colour, read between", {kRing, kRing, kRing}, true},
        {"two colours, read between", {kRing, kOther, kRing}, true},
        {"two colours, painted in one go", {kRing, kOther, kOther, kRing}, false},
    };
    for (const Case& c : cases) {
        QtCanvas canvas(Qt::black);
        canvas.resize(QSize(200, 40), 1);
        for (size_t i = 0; i < c.colours.size(); ++i) {
            canvas.drawCircle(QPointF(20 + 40 * static_cast<qreal>(i), 20), 10, c.colours[i]);
            if (c.readBetween)
                canvas.image();
        }
        for (size_t i = 0; i < c.colours.size(); ++i)
            EXPECT_EQ(canvas.image().pixelColor(20 + 40 * static_cast<int>(i), 10), c.colours[i]) << c.why << ", ring " << i;
    }
}

TEST(QtCanvasTest, TinyRadiiLeaveAtMostADot)
{
    for (qreal radius : {0.0, 0.01, 0.49}) {
        QtCanvas canvas(Qt::black);
        canvas.resize(QSize(20, 20), 1);
        canvas.drawCircle(QPointF(10, 10), radius, kRing);
        EXPECT_EQ(countPixels(canvas.image(), kRing), 1) << radius;
        EXPECT_EQ(canvas.image().pixelColor(10, 10), kRing);
    }
}

TEST(QtCanvasTest, ReportedChangeCoversEveryChangedPixel)
{
    struct Case {
        QPointF centre;
        qreal radius;
        qreal ratio;
        bool coversTheArea = false;
    };
    const Case cases[] = {
        {{50, 40}, 20, 1}, {{50.5, 40.25}, 7.3, 1}, {{50, 40}, 20, 2}, {{3, 3}, 60, 1}, {{99.9, 79.9}, 15.5, 2},
        {{-10, 40}, 25, 1}, {{50, 40}, 0, 1}, {{50, 40}, 500, 1, true},
        // Far beyond any screen, and not numbers at all.
        {{50, 40}, 1e30, 1, true}, {{-1e30, 40}, 1e30, 1}, {{1e12, 1e12}, 5, 2}, {{qQNaN(), 40}, 5, 1}, {{50, 40}, qQNaN(), 1},
    };
    const QColor inside(0, 0, 40);
    for (const Case& c : cases) {
        QtCanvas canvas(Qt::black);
        canvas.resize(QSize(100, 80), c.ratio);
        canvas.setFillColor(inside);
        const QImage before = canvas.image().copy();
        const QRect changed = canvas.drawCircle(c.centre, c.radius, kRing);
        EXPECT_TRUE(changesLieWithin(before, canvas.image(), changed, c.ratio))
            << c.centre.x() << "," << c.centre.y() << " r " << c.radius;
        EXPECT_TRUE(QRect(0, 0, 100, 80).contains(changed) || changed.isEmpty());
        if (c.coversTheArea) {
            EXPECT_EQ(changed, QRect(0, 0, 100, 80)) << "r " << c.radius;
            EXPECT_EQ(countPixels(canvas.image(), inside), 100 * 80) << "r " << c.radius;
        }
    }
}

TEST(QtCanvasTest, ABoxOverTheAreaBlackensEveryPixelToTheLastRowAndColumn)
{
    for (qreal ratio : {1.0, 1.5, 2.0}) {
        QtCanvas canvas(Qt::white);
        canvas.resize(QSize(353, 214), ratio);
        canvas.drawCircle(QPointF(100, 100), 80, kRing);
        canvas.setFillColor(Qt::black);
        const QRect changed = canvas.drawBox(QPointF(0, 0), QPointF(353, 214), Qt::black);
        EXPECT_EQ(countPixels(canvas.image(), Qt::black), canvas.image().width() * canvas.image().height()) << ratio;
        EXPECT_EQ(changed, QRect(0, 0, 353, 214));
    }
}

TEST(QtCanvasTest, ResizingKeepsThePictureAndGrowsInTheBackground)
{
    const QColor background(1, 2, 3);
    QtCanvas canvas(background);
    canvas.resize(QSize(60, 40), 1);
    canvas.drawCircle(QPointF(30, 20), 10, kRing);
    const QImage before = canvas.image().copy();
    canvas.resize(QSize(120, 90), 1);
    EXPECT_EQ(canvas.image().copy(0, 0, 60, 40), before);
    EXPECT_EQ(canvas.image().pixelColor(100, 80), background);
    EXPECT_EQ(canvas.image().pixelColor(30, 60), background);
    canvas.resize(QSize(40, 30), 1);
    EXPECT_EQ(canvas.image().copy(), before.copy(0, 0, 40, 30));
}

} // namespace

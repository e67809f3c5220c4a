#include "platform/picture/picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <string>

namespace {

constexpr Colour kBlack = 0x000000;
constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kGreen = 0x00FF00;
constexpr Colour kRing = 0x0000FF; // red

const double kNaN = std::numeric_limits<double>::quiet_NaN();

int countPixels(const Picture& picture, Colour colour)
{
    int n = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            n += picture.pixel(x, y) == Picture::pixelOf(colour);
    return n;
}

bool pixelIs(const Picture& picture, int x, int y, Colour colour)
{
    return picture.pixel(x, y) == Picture::pixelOf(colour);
}

// Every pixel that differs between the two pictures lies in the logical box,
// scaled to device pixels.
bool changesLieWithin(const Picture& before, const Picture& after, const InclusiveBox& box, double ratio)
{
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x) {
            const bool inside = x >= box.left * ratio && x < (box.right + 1) * ratio && y >= box.top * ratio
                && y < (box.bottom + 1) * ratio;
            if (before.pixel(x, y) != after.pixel(x, y) && !inside)
                return false;
        }
    return true;
}

// The same, for a box already in device pixels.
bool changesLieWithinDevice(const Picture& before, const Picture& after, const InclusiveBox& device)
{
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y) && !(x >= device.left && x <= device.right && y >= device.top && y <= device.bottom))
                return false;
    return true;
}

bool coversAll(const InclusiveBox& box, int width, int height)
{
    return box.left == 0 && box.top == 0 && box.right == width - 1 && box.bottom == height - 1;
}

TEST(PictureTest, CircleOutlineIsOneDevicePixelWideAndItsInsideIsFilled)
{
    for (double ratio : {1.0, 2.0}) {
        Picture picture(kBlack);
        picture.resize(100, 80, ratio);
        picture.setFillColor(kBlack);
        picture.drawBox(0, 0, 100, 80, kWhite); // leave a white frame to prove the fill
        picture.drawCircle(50, 40, 20, kRing);
        EXPECT_EQ(picture.width(), 100 * ratio);
        EXPECT_EQ(picture.height(), 80 * ratio);
        // Along the row through the centre: ring, black inside, ring, nothing else red.
        const int row = static_cast<int>(40 * ratio);
        std::vector<int> redColumns;
        for (int x = 0; x < picture.width(); ++x)
            if (pixelIs(picture, x, row, kRing))
                redColumns.push_back(x);
        ASSERT_EQ(redColumns.size(), 2u) << "ratio " << ratio;
        EXPECT_NEAR(redColumns[1] - redColumns[0], 40 * ratio, 1);
        EXPECT_TRUE(pixelIs(picture, static_cast<int>(50 * ratio), row, kBlack));
        EXPECT_TRUE(pixelIs(picture, 0, row, kWhite)) << ratio;
    }
}

TEST(PictureTest, ANewCircleCoversTheInsideOfTheRingsBeforeIt)
{
    Picture picture(kBlack);
    picture.resize(100, 100, 1);
    picture.drawCircle(50, 50, 10, kGreen);
    picture.drawCircle(50, 50, 30, kRing);
    EXPECT_EQ(countPixels(picture, kGreen), 0);
    EXPECT_GT(countPixels(picture, kRing), 100);
}

TEST(PictureTest, EachRingHasItsOwnColourWhateverWasReadBetween)
{
    const Colour kOther = 0xFF0000;
    struct Case {
        const char* why;
        std::vector<Colour> colours;
        bool readBetween;
    };
    const Case cases[] = {
        {"one colour, read between", {kRing, kRing, kRing}, true},
        {"two colours, read between", {kRing, kOther, kRing}, true},
        {"two colours, painted in one go", {kRing, kOther, kOther, kRing}, false},
    };
    for (const Case& c : cases) {
        Picture picture(kBlack);
        picture.resize(200, 40, 1);
        for (size_t i = 0; i < c.colours.size(); ++i) {
            picture.drawCircle(20 + 40 * static_cast<double>(i), 20, 10, c.colours[i]);
            if (c.readBetween)
                picture.takeChanged();
        }
        for (size_t i = 0; i < c.colours.size(); ++i)
            EXPECT_TRUE(pixelIs(picture, 20 + 40 * static_cast<int>(i), 10, c.colours[i])) << c.why << ", ring " << i;
    }
}

TEST(PictureTest, TinyRadiiLeaveAtMostADot)
{
    for (double radius : {0.0, 0.01, 0.49}) {
        Picture picture(kBlack);
        picture.resize(20, 20, 1);
        picture.drawCircle(10, 10, radius, kRing);
        EXPECT_EQ(countPixels(picture, kRing), 1) << radius;
        EXPECT_TRUE(pixelIs(picture, 10, 10, kRing));
    }
}

TEST(PictureTest, ReportedChangeCoversEveryChangedPixel)
{
    struct Case {
        double x;
        double y;
        double radius;
        double ratio;
        bool coversTheArea = false;
    };
    const Case cases[] = {
        {50, 40, 20, 1}, {50.5, 40.25, 7.3, 1}, {50, 40, 20, 2}, {3, 3, 60, 1}, {99.9, 79.9, 15.5, 2},
        {-10, 40, 25, 1}, {50, 40, 0, 1}, {50, 40, 500, 1, true},
        // Far beyond any screen, and not numbers at all.
        {50, 40, 1e30, 1, true}, {-1e30, 40, 1e30, 1}, {1e12, 1e12, 5, 2}, {kNaN, 40, 5, 1}, {50, 40, kNaN, 1},
    };
    const Colour inside = 0x280000;
    for (const Case& c : cases) {
        Picture picture(kBlack);
        picture.resize(100, 80, c.ratio);
        picture.setFillColor(inside);
        const Picture before = picture;
        const InclusiveBox changed = picture.drawCircle(c.x, c.y, c.radius, kRing);
        EXPECT_TRUE(changesLieWithin(before, picture, changed, c.ratio)) << c.x << "," << c.y << " r " << c.radius;
        EXPECT_TRUE(changesLieWithinDevice(before, picture, picture.deviceBox(changed))) << "device box, r " << c.radius;
        EXPECT_TRUE(changed.empty() || (changed.left >= 0 && changed.top >= 0 && changed.right < 100 && changed.bottom < 80));
        if (c.coversTheArea) {
            EXPECT_TRUE(coversAll(changed, 100, 80)) << "r " << c.radius;
            EXPECT_EQ(countPixels(picture, inside), picture.width() * picture.height()) << "r " << c.radius;
        }
    }
}

TEST(PictureTest, ABoxOverTheAreaBlackensEveryPixelToTheLastRowAndColumn)
{
    for (double ratio : {1.0, 1.5, 2.0}) {
        Picture picture(kWhite);
        picture.resize(353, 214, ratio);
        picture.drawCircle(100, 100, 80, kRing);
        picture.setFillColor(kBlack);
        const InclusiveBox changed = picture.drawBox(0, 0, 353, 214, kBlack);
        EXPECT_EQ(countPixels(picture, kBlack), picture.width() * picture.height()) << ratio;
        EXPECT_TRUE(coversAll(changed, 353, 214));
    }
}

// A browser snaps the area's box to device pixels, a pixel off the logical size
// times the ratio either way: the picture takes that size, and a box over the
// whole area still reaches its last row and column.
TEST(PictureTest, TakesTheDeviceSizeItIsGivenAndABoxOverTheAreaFillsIt)
{
    struct Row {
        double ratio;
        int width, height, expectedWidth, expectedHeight;
    };
    for (const Row& r : {Row {1.333, 470, 285, 470, 285}, Row {1.25, 442, 268, 442, 268}, Row {1.75, 618, 376, 618, 376}}) {
        Picture picture(kWhite);
        picture.resize(353, 214, r.ratio, r.width, r.height);
        EXPECT_EQ(std::pair(picture.width(), picture.height()), std::pair(r.expectedWidth, r.expectedHeight)) << r.ratio;
        picture.setFillColor(kBlack);
        picture.drawBox(0, 0, 353, 214, kBlack);
        EXPECT_EQ(countPixels(picture, kBlack), picture.width() * picture.height()) << r.ratio;
    }
}

// A device size that is no size keeps what was drawn, and one that says
// another ratio than the platform's gives that ratio: a ring drawn at the
// centre of the area is seen at the centre of the device pixels.
TEST(PictureTest, ADeviceSizeOfNothingIsRefusedAndOneOffTheRatioRules)
{
    struct Row {
        double ratio;
        int width, height, expectedWidth, expectedHeight;
        double expectedRatio;
    };
    for (const Row& r : {Row {2, 0, 0, 353, 214, 1}, Row {2, 353, -1, 353, 214, 1}, Row {2, 353, 214, 353, 214, 1},
             Row {1.5, 353, 214, 353, 214, 1}, Row {1, 706, 428, 706, 428, 2}}) {
        Picture picture(kWhite);
        picture.resize(353, 214, 1);
        picture.drawCircle(176, 107, 20, kRing);
        picture.resize(353, 214, r.ratio, r.width, r.height);
        EXPECT_EQ(std::pair(picture.width(), picture.height()), std::pair(r.expectedWidth, r.expectedHeight)) << r.width;
        EXPECT_EQ(picture.devicePixelRatio(), r.expectedRatio) << r.width;
        EXPECT_TRUE(pixelIs(picture, static_cast<int>(196 * r.expectedRatio), static_cast<int>(107 * r.expectedRatio), kRing))
            << r.ratio << " " << r.width << ": the ring is not where it was drawn";
    }
    Picture wide(kWhite);
    wide.resize(10000, 1, 2, 20000, 2);
    EXPECT_EQ(std::pair(wide.width(), wide.height()), std::pair(Picture::kLargestSide, 2));
}

TEST(PictureTest, ResizingKeepsThePictureAndGrowsInTheBackground)
{
    const Colour background = 0x030201;
    Picture picture(background);
    picture.resize(60, 40, 1);
    picture.drawCircle(30, 20, 10, kRing);
    const Picture before = picture;
    const auto keeps = [&](int width, int height) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (picture.pixel(x, y) != before.pixel(x, y))
                    return false;
        return true;
    };
    picture.resize(120, 90, 1);
    EXPECT_TRUE(keeps(60, 40));
    EXPECT_TRUE(pixelIs(picture, 100, 80, background));
    EXPECT_TRUE(pixelIs(picture, 30, 60, background));
    picture.resize(40, 30, 1);
    EXPECT_EQ(picture.width(), 40);
    EXPECT_TRUE(keeps(40, 30));
}

// Rings kept until the picture is read, and drawn then from the last back,
// leave the pixels of rings drawn one by one: over random sessions of Move,
// Color and Clear between rings, rings partly or wholly off the picture, dots
// and rings larger than it, at several densities, read at random moments.
TEST(PictureTest, RingsKeptUntilReadLeaveThePixelsOfRingsDrawnOneByOne)
{
    std::mt19937 random(20261210);
    const auto uniform = [&](double from, double to) { return std::uniform_real_distribution<double>(from, to)(random); };
    const auto chance = [&](int percent) { return std::uniform_int_distribution<int>(0, 99)(random) < percent; };
    const auto colour = [&] { return static_cast<Colour>(random() & 0xFFFFFF); };
    for (int session = 0; session < 400; ++session) {
        const int width = static_cast<int>(uniform(1, 90));
        const int height = static_cast<int>(uniform(1, 70));
        const double ratio = chance(50) ? 1.0 : uniform(0.5, 2.5);
        Picture oneByOne(kBlack);
        Picture kept(kBlack);
        oneByOne.resize(width, height, ratio);
        kept.resize(width, height, ratio);
        double x = uniform(0, width);
        double y = uniform(0, height);
        for (int step = 0; step < 300; ++step) {
            const std::string where = "session " + std::to_string(session) + ", step " + std::to_string(step);
            if (chance(4)) {
                x = uniform(-width / 2.0, 1.5 * width);
                y = uniform(-height / 2.0, 1.5 * height);
            } else if (chance(4)) {
                const Colour fill = colour();
                oneByOne.setFillColor(fill);
                kept.setFillColor(fill);
            } else if (chance(2)) {
                const Colour edge = colour();
                ASSERT_EQ(oneByOne.drawBox(0, 0, width, height, edge), kept.drawBox(0, 0, width, height, edge)) << where;
            } else if (chance(6)) {
                ASSERT_TRUE(std::equal(oneByOne.pixels(), oneByOne.pixels() + oneByOne.width() * oneByOne.height(),
                    kept.pixels()))
                    << where;
            } else {
                const double radius = chance(3) ? uniform(0, 1) : chance(3) ? uniform(width, 50.0 * width) : uniform(0, width);
                const Colour edge = colour();
                ASSERT_EQ(oneByOne.drawCircle(x, y, radius, edge), kept.drawCircle(x, y, radius, edge)) << where;
                oneByOne.pixels();
            }
        }
        ASSERT_EQ(oneByOne.hash(), kept.hash()) << "session " << session;
    }
}

} // namespace

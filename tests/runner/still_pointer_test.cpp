#include "platform/runner/still_pointer.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

// Which moves of the pointer end a screen saver, by the rule every host asks.
namespace {

struct Point {
    double x;
    double y;
};

struct Case {
    const char* name;
    std::optional<Point> restAt; // where the host said it stood at the start
    std::vector<Point> moves;
    // For each move, whether it ends the saver.
    std::vector<bool> ends;
};

class StillPointerTest : public testing::TestWithParam<Case> {};

TEST_P(StillPointerTest, OnlyAMoveBeyondTheStillDistanceFromTheRestEndsIt)
{
    const Case& c = GetParam();
    StillPointer pointer;
    if (c.restAt)
        pointer.restAt(c.restAt->x, c.restAt->y);
    std::vector<bool> ends;
    for (const Point& at : c.moves)
        ends.push_back(pointer.movedAway(at.x, at.y));
    EXPECT_EQ(ends, c.ends);
}

INSTANTIATE_TEST_SUITE_P(Moves, StillPointerTest,
    testing::Values(
        // The first position told is where it rests, however far from anywhere.
        Case {"TheFirstMoveIsTheRest", std::nullopt, {{500, 300}, {504, 296}, {504.5, 300}}, {false, false, true}},
        Case {"EitherAxis", Point {10, 10}, {{10, 14}, {6, 10}, {10, 5.5}}, {false, false, true}},
        // Drift is measured from the rest, not from the last position.
        Case {"DriftAddsUp", Point {0, 0}, {{3, 0}, {6, 0}}, {false, true}},
        Case {"BackWithinTheDistance", Point {0, 0}, {{-4, 4}, {0, 0}, {-4.01, 0}}, {false, false, true}},
        // Where the host said where it stood, a first report far off is a person.
        Case {"ARestGivenAtTheStart", Point {100, 100}, {{200, 100}}, {true}}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

} // namespace

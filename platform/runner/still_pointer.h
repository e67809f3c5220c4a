#pragma once

#include <optional>

// A screen saver's one rule for the pointer, on every host: a mouse left
// alone may report a move where it stands, or twitch by a pixel or two, and
// that is not a person. The first position it is told is where the pointer
// rests, unless the host said where it stood at the start; a move further
// than kStillMove logical pixels from there, on either axis, is a person's,
// and ends the saver. Any key or button ends a saver outright.
class StillPointer {
public:
    static constexpr double kStillMove = 4;

    // Where the pointer stood when the saver started, where the platform says.
    void restAt(double logicalX, double logicalY);
    // The pointer is here now: whether a person moved it.
    bool movedAway(double logicalX, double logicalY);

private:
    struct Point {
        double x;
        double y;
    };
    std::optional<Point> rest_;
};

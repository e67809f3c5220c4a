#include "platform/runner/still_pointer.h"

#include <cmath>

void StillPointer::restAt(double logicalX, double logicalY)
{
    rest_ = Point {logicalX, logicalY};
}

bool StillPointer::movedAway(double logicalX, double logicalY)
{
    if (!rest_) {
        restAt(logicalX, logicalY);
        return false;
    }
    return std::abs(logicalX - rest_->x) > kStillMove || std::abs(logicalY - rest_->y) > kStillMove;
}

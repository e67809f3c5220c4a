#pragma once

#include "platform/services/scalar_types.h"

// The one sequence of random numbers that every handler draws from.
class RandomSequence {
public:
    virtual ~RandomSequence() = default;

    // The next value of the sequence: a Single in [0, 1).
    virtual Single Rnd() = 0;
};

#pragma once

#include "platform/services/random_sequence.h"

#include <random>

// Rnd on the desktop: the standard 32-bit Mersenne Twister in its default state,
// never reseeded, so every run draws the same values. Each value keeps the top
// 24 bits of one output and is k / 2^24: exact as a Single, never 1.0.
class MersenneSequence : public RandomSequence {
public:
    Single Rnd() override;

private:
    std::mt19937 engine_;
};

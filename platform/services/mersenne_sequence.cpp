#include "platform/services/mersenne_sequence.h"

namespace {
constexpr int kDroppedBits = 32 - 24;
constexpr Single kStep = 1.0f / 16777216.0f; // 2^-24
} // namespace

Single MersenneSequence::Rnd()
{
    return static_cast<Single>(engine_() >> kDroppedBits) * kStep;
}

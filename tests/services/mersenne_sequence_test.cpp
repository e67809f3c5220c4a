#include "platform/services/mersenne_sequence.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(MersenneSequenceTest, StartsWhereTheStandardEngineStartsEveryRun)
{
    // The standard's default-state Mersenne Twister gives 3499211612 first and
    // 4123659995 as its 10000th output; Rnd keeps their top 24 bits.
    MersenneSequence sequence;
    EXPECT_EQ(sequence.Rnd(), static_cast<Single>(3499211612u >> 8) / 16777216.0f);
    for (int i = 2; i < 10000; ++i)
        sequence.Rnd();
    EXPECT_EQ(sequence.Rnd(), static_cast<Single>(4123659995u >> 8) / 16777216.0f);

    MersenneSequence again;
    EXPECT_EQ(again.Rnd(), static_cast<Single>(3499211612u >> 8) / 16777216.0f);
}

TEST(MersenneSequenceTest, EveryValueIsAMultipleOfTwoToTheMinus24BelowOne)
{
    MersenneSequence sequence;
    double sum = 0;
    constexpr int kDraws = 200000;
    for (int i = 0; i < kDraws; ++i) {
        const Single value = sequence.Rnd();
        ASSERT_GE(value, 0.0f);
        ASSERT_LT(value, 1.0f);
        const double scaled = static_cast<double>(value) * 16777216.0;
        ASSERT_EQ(scaled, std::floor(scaled)) << value;
        sum += value;
    }
    EXPECT_NEAR(sum / kDraws, 0.5, 0.005);
}

} // namespace

#include "platform/services/conversions.h"

#include "platform/services/raised_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

template <class F>
std::optional<ErrorNumber> raisedBy(F&& f)
{
    try {
        f();
    } catch (const RaisedError& error) {
        return error.number();
    }
    return std::nullopt;
}

TEST(ConversionsTest, ToIntegerRoundsToNearestWithTiesToEven)
{
    struct Case {
        double value;
        Integer expected;
    };
    const Case cases[] = {
        {254.5, 254}, {0.5, 0}, {1.5, 2}, {2.5, 2}, {255.5, 256}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
        {0.49999999999999994, 0}, {254.50000000000003, 255}, {-0.0, 0}, {32767.4, 32767}, {-32768.5, -32768},
        {32766.5, 32766},
    };
    for (const Case& c : cases)
        EXPECT_EQ(toInteger(c.value), c.expected) << c.value;
}

TEST(ConversionsTest, ToIntegerRaisesOverflowOutsideTheIntegerRange)
{
    for (double value : {32767.5, 32768.0, -32768.6, -32769.0, 1e300, -1e300, kNaN, kInfinity, -kInfinity})
        EXPECT_EQ(raisedBy([&] { toInteger(value); }), ErrorNumber::Overflow) << value;
}

TEST(ConversionsTest, ExactProductKeepsEveryBitOfTwoSingles)
{
    const Single a = 1.0f + std::ldexp(1.0f, -23);
    EXPECT_EQ(exactProduct(a, a), 1.0 + std::ldexp(1.0, -22) + std::ldexp(1.0, -46));
    EXPECT_EQ(toSingle(exactProduct(a, a)), 1.0f + std::ldexp(1.0f, -22));
}

TEST(ConversionsTest, NonFiniteResultsRaiseTheFloatingPointError)
{
    constexpr Single kBig = std::numeric_limits<Single>::max();
    EXPECT_EQ(raisedBy([] { floatResult(kNaN); }), ErrorNumber::FloatingPoint);
    EXPECT_EQ(raisedBy([] { floatResult(-kInfinity); }), ErrorNumber::FloatingPoint);
    EXPECT_EQ(raisedBy([] { toSingle(1e39); }), ErrorNumber::FloatingPoint);
    EXPECT_EQ(raisedBy([] { exactProduct(std::numeric_limits<Single>::infinity(), 1); }), ErrorNumber::FloatingPoint);
    EXPECT_EQ(raisedBy([&] { toSingle(exactProduct(kBig, 2)); }), ErrorNumber::FloatingPoint);
    EXPECT_EQ(raisedBy([] { toSingle(3.4e38); }), std::nullopt);
    struct Case {
        double value;
        std::optional<ErrorNumber> expected;
    };
    const double largest = kBig;
    const Case edges[] = {
        {largest, std::nullopt},
        {-largest, std::nullopt},
        // Just past the range: a narrowing here would be undefined, even where
        // it would round back down to the largest Single.
        {std::nextafter(largest, kInfinity), ErrorNumber::FloatingPoint},
        {-std::nextafter(largest, kInfinity), ErrorNumber::FloatingPoint},
        {std::numeric_limits<double>::max(), ErrorNumber::FloatingPoint},
        {std::numeric_limits<double>::denorm_min(), std::nullopt},
    };
    for (const Case& c : edges)
        EXPECT_EQ(raisedBy([&] { toSingle(c.value); }), c.expected) << c.value;
}

TEST(ConversionsTest, LongArithmeticRaisesInsteadOfWrapping)
{
    constexpr Long kMax = std::numeric_limits<Long>::max();
    constexpr Long kMin = std::numeric_limits<Long>::min();
    struct Case {
        Long a, b;
        bool add;
        std::optional<Long> expected;
    };
    const Case cases[] = {
        {kMax - 100, 100, true, kMax},
        {kMax - 99, 100, true, std::nullopt},
        {kMin, -1, true, std::nullopt},
        {kMin + 100, 100, false, kMin},
        {kMin + 99, 100, false, std::nullopt},
        {kMax, -1, false, std::nullopt},
        {50, 100, false, -50},
        {1, 100, true, 101},
    };
    for (const Case& c : cases) {
        std::optional<Long> result;
        const auto error = raisedBy([&] { result = c.add ? longAdd(c.a, c.b) : longSubtract(c.a, c.b); });
        EXPECT_EQ(result, c.expected) << c.a << (c.add ? " + " : " - ") << c.b;
        EXPECT_EQ(error, c.expected ? std::nullopt : std::optional(ErrorNumber::Overflow));
    }
}

} // namespace

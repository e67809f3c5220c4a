#include "platform/services/conversions.h"

#include "platform/services/raised_error.h"

#include <cmath>
#include <cstdint>
#include <limits>

Double exactProduct(Single a, Single b)
{
    return floatResult(static_cast<Double>(a) * static_cast<Double>(b));
}

Double floatResult(Double value)
{
    if (!std::isfinite(value))
        throw RaisedError(ErrorNumber::FloatingPoint);
    return value;
}

// Narrowing a double beyond the Single range is undefined, so the range is
// checked first, on the double.
Single toSingle(Double value)
{
    constexpr Double largest = std::numeric_limits<Single>::max();
    if (std::fabs(floatResult(value)) > largest)
        throw RaisedError(ErrorNumber::FloatingPoint);
    return static_cast<Single>(value);
}

Integer toInteger(Double value)
{
    constexpr Double lowest = std::numeric_limits<Integer>::min();
    constexpr Double highest = std::numeric_limits<Integer>::max();
    if (!std::isfinite(value))
        throw RaisedError(ErrorNumber::Overflow);

    // Done by hand rather than with nearbyint, so that no rounding mode left
    // behind by a library can change the result.
    Double rounded = std::floor(value);
    const Double fraction = value - rounded;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0))
        rounded += 1.0;

    if (rounded < lowest || rounded > highest)
        throw RaisedError(ErrorNumber::Overflow);
    return static_cast<Integer>(rounded);
}

namespace {

// Two Longs added or subtracted always fit in 64 bits; only then is the range checked.
Long toLong(std::int64_t wide)
{
    if (wide < std::numeric_limits<Long>::min() || wide > std::numeric_limits<Long>::max())
        throw RaisedError(ErrorNumber::Overflow);
    return static_cast<Long>(wide);
}

} // namespace

Long longAdd(Long a, Long b)
{
    return toLong(std::int64_t {a} + b);
}

Long longSubtract(Long a, Long b)
{
    return toLong(std::int64_t {a} - b);
}

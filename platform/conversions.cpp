#include "platform/conversions.h"

#include "platform/raised_error.h"

#include <cmath>
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

Long longAdd(Long a, Long b)
{
    Long sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        throw RaisedError(ErrorNumber::Overflow);
    return sum;
}

Long longSubtract(Long a, Long b)
{
    Long difference = 0;
    if (__builtin_sub_overflow(a, b, &difference))
        throw RaisedError(ErrorNumber::Overflow);
    return difference;
}

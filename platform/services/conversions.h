#pragma once

#include "platform/services/scalar_types.h"

// Arithmetic that raises instead of wrapping or silently going non-finite.
// Each function either returns an exact, in-range result or throws RaisedError.

// a × b formed exactly in double precision (24-bit by 24-bit mantissas fit in 53).
Double exactProduct(Single a, Single b);

// Raises the floating-point error for a NaN or infinite result.
Double floatResult(Double value);

// Rounds once to the nearest Single; raises the floating-point error for a value
// beyond the largest Single, even one that would round down to it.
Single toSingle(Double value);

// Rounds to the nearest Integer, a tie to the even neighbour; raises the overflow
// error outside −32768..32767, for NaN and for infinities.
Integer toInteger(Double value);

// Long arithmetic that raises the overflow error rather than wrap.
Long longAdd(Long a, Long b);
Long longSubtract(Long a, Long b);

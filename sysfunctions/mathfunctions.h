// The math family of system functions: absolute value, minimum, maximum,
// sums, swapping, the C library's elementary functions, whole-number
// division, rounding and the reproducible random numbers. Whole numbers stay
// whole where the function allows it; double results go through the number
// maker, except the elementary functions, which always show as doubles.
#pragma once

#include "sysfunctions/systemfunctionregistry.h"

namespace vornscript {

// The implementations of the math family, by call key.
VornSystemFunctionTable mathfunctiontable();

// The native form of a math implementation of one number; empty for the
// others.
VornNativeNumberFunction nativenumberfunction(VornSystemFunctionImpl impl);

} // namespace vornscript

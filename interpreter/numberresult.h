// A number an operator computed, before it becomes a value. Operators,
// conditions and the results of user functions pass numbers this way, so
// nested arithmetic and calls that return a computed number make no value
// objects in between.
#pragma once

#include "values/scriptobject.h"

#include <cstdint>

namespace vornscript {

// A whole number (doublevalue holds it too), or a floating number snapped
// to the value of its six-decimal text, as the value made from it would hold it.
struct NumberResult {
    bool whole = true;
    int64_t longvalue = 0;
    double doublevalue = 0.0;
};

// The value of a computed number (operators.cpp).
VornScriptObjectPtr makeresultvalue(const NumberResult& number);

} // namespace vornscript

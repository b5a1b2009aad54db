// The math family of system functions. Arguments are read with the value
// layer's cached number reading (a whole-number reading first, otherwise a
// floating one), so repeated calls on the same value parse its text once.
#include "sysfunctions/mathfunctions.h"

#include "support/phrasetranslator.h"
#include "sysfunctions/randomgenerator.h"
#include "values/conversions.h"
#include "values/scriptobject.h"

#include <cmath>
#include <limits>

namespace vornscript {

namespace {

constexpr const char* messagetag = "interpreter";

bool fail(VornSystemCall& call, const std::string& message) {
    call.error = translate(message, messagetag);
    return false;
}

// "function <name><suffix> <requirement>", the name written as the caller
// wants it (plain or as the call key).
bool failfunction(VornSystemCall& call, std::string_view name, const char* requirement) {
    std::string message = "function ";
    message.append(name);
    message.append(" ");
    message.append(requirement);
    return fail(call, message);
}

bool failwithcallkey(VornSystemCall& call, const char* requirement) {
    return failfunction(call, callkey(call.name, call.arguments.size()), requirement);
}

VornNumberReading readargument(const VornScriptObjectPtr& argument) {
    return argument ? argument->readnumber() : VornNumberReading{};
}

bool isnumberreading(const VornNumberReading& reading) {
    return reading.kind != VornNumberKind::none;
}

// a < b, exactly for two whole numbers, else as doubles.
bool numberless(const VornNumberReading& a, const VornNumberReading& b) {
    if (a.kind == VornNumberKind::integer && b.kind == VornNumberKind::integer) {
        return a.longvalue < b.longvalue;
    }
    return a.doublevalue < b.doublevalue;
}

// ---- absolute value, minimum, maximum, sum, average ----

bool absfunction(VornSystemCall& call) {
    const VornNumberReading reading = readargument(call.arguments[0]);
    if (reading.kind == VornNumberKind::integer &&
        reading.longvalue != std::numeric_limits<int64_t>::min()) {
        call.result = makelongvalue(reading.longvalue < 0 ? -reading.longvalue : reading.longvalue);
        return true;
    }
    if (!isnumberreading(reading)) {
        return failfunction(call, call.name, "requires a number argument");
    }
    call.result = makenumbervalue(std::fabs(reading.doublevalue));
    return true;
}

// min and max: the winning argument itself (a copy keeping its text and
// type); a single vector argument stands for its elements.
bool extremum(VornSystemCall& call, bool wantmaximum) {
    std::span<const VornScriptObjectPtr> candidates = call.arguments;
    VornScriptObjectList elements;
    if (candidates.size() == 1 && candidates[0] &&
        candidates[0]->getobjecttype() == VornObjectType::vector) {
        if (!candidates[0]->getvectorelements(elements, call.error)) {
            return false;
        }
        candidates = elements;
    }
    const VornScriptObjectPtr* best = nullptr;
    VornNumberReading bestreading;
    for (const VornScriptObjectPtr& candidate : candidates) {
        const VornNumberReading reading = readargument(candidate);
        if (!isnumberreading(reading)) {
            return failfunction(call, call.name, "requires a number argument");
        }
        if (best == nullptr ||
            (wantmaximum ? numberless(bestreading, reading) : numberless(reading, bestreading))) {
            best = &candidate;
            bestreading = reading;
        }
    }
    if (best == nullptr) {
        call.result = makeundefinedvalue();
        return true;
    }
    return makervalue(*best, call.result, call.error);
}

bool minfunction(VornSystemCall& call) {
    return extremum(call, false);
}

bool maxfunction(VornSystemCall& call) {
    return extremum(call, true);
}

// The sum of all arguments: exact while every argument is whole and the
// total fits 64 bits, else as a double.
struct ArgumentSum {
    bool whole = true;
    int64_t wholetotal = 0;
    double total = 0.0;
};

bool sumarguments(VornSystemCall& call, ArgumentSum& sum) {
    for (const VornScriptObjectPtr& argument : call.arguments) {
        const VornNumberReading reading = readargument(argument);
        if (!isnumberreading(reading)) {
            // average shares the message of sum.
            return failfunction(call, "sum", "requires a number argument");
        }
        sum.total += reading.doublevalue;
        if (sum.whole &&
            (reading.kind != VornNumberKind::integer ||
             __builtin_add_overflow(sum.wholetotal, reading.longvalue, &sum.wholetotal))) {
            sum.whole = false;
        }
    }
    return true;
}

bool sumfunction(VornSystemCall& call) {
    ArgumentSum sum;
    if (!sumarguments(call, sum)) {
        return false;
    }
    call.result = sum.whole ? makelongvalue(sum.wholetotal) : makenumbervalue(sum.total);
    return true;
}

bool averagefunction(VornSystemCall& call) {
    ArgumentSum sum;
    if (!sumarguments(call, sum)) {
        return false;
    }
    const double count = static_cast<double>(call.arguments.size());
    const double total = sum.whole ? static_cast<double>(sum.wholetotal) : sum.total;
    call.result = makenumbervalue(total / count);
    return true;
}

// ---- swap ----

bool isboundtovariable(const VornScriptObjectPtr& argument) {
    return argument && !argument->getname().empty();
}

bool swapfunction(VornSystemCall& call) {
    const VornScriptObjectPtr& first = call.arguments[0];
    const VornScriptObjectPtr& second = call.arguments[1];
    if (!isboundtovariable(first) || !isboundtovariable(second)) {
        return fail(call, "function swap requires references to variables");
    }
    // assign copies texts into the target's own handler, so references to
    // either variable see the exchange; the first content is kept aside.
    VornScriptObjectPtr saved;
    if (!makervalue(first, saved, call.error) || !first->assign(second, call.error)) {
        return false;
    }
    if (!second->assign(saved, call.error)) {
        std::string ignored;
        first->assign(saved, ignored);
        return false;
    }
    call.result = makeundefinedvalue();
    return true;
}

// ---- functions of one and two doubles ----

using UnaryFunction = double (*)(double);
using BinaryFunction = double (*)(double, double);

bool readsinglenumber(VornSystemCall& call, double& value) {
    const VornNumberReading reading = readargument(call.arguments[0]);
    value = reading.doublevalue;
    return isnumberreading(reading) || failwithcallkey(call, "requires a number argument");
}

// The C library's elementary functions: the result always shows as a
// double ("cos(pi)" gives "-1.000000").
template <UnaryFunction function> bool elementaryfunction(VornSystemCall& call) {
    double value = 0.0;
    if (!readsinglenumber(call, value)) {
        return false;
    }
    call.result = makedoublevalue(function(value));
    return true;
}

// Functions whose whole results show as whole numbers ("ceil(3.2)" gives "4").
template <UnaryFunction function> bool numberfunction(VornSystemCall& call) {
    double value = 0.0;
    if (!readsinglenumber(call, value)) {
        return false;
    }
    call.result = makenumbervalue(function(value));
    return true;
}

double square(double value) {
    return value * value;
}

// x minus its integer part truncated toward zero: keeps the sign of x.
double fractionalpart(double value) {
    return value - std::trunc(value);
}

bool sqrtfunction(VornSystemCall& call) {
    double value = 0.0;
    if (!readsinglenumber(call, value)) {
        return false;
    }
    if (value < 0) {
        return fail(call, "function sqrt requires a positive number argument");
    }
    call.result = makenumbervalue(std::sqrt(value));
    return true;
}

bool readtwonumbers(VornSystemCall& call, double& x, double& y) {
    const VornNumberReading first = readargument(call.arguments[0]);
    const VornNumberReading second = readargument(call.arguments[1]);
    x = first.doublevalue;
    y = second.doublevalue;
    return (isnumberreading(first) && isnumberreading(second)) ||
           failwithcallkey(call, "requires two number arguments");
}

template <BinaryFunction function> bool binaryfunction(VornSystemCall& call) {
    double x = 0.0;
    double y = 0.0;
    if (!readtwonumbers(call, x, y)) {
        return false;
    }
    call.result = makenumbervalue(function(x, y));
    return true;
}

bool fmodfunction(VornSystemCall& call) {
    double x = 0.0;
    double y = 0.0;
    if (!readtwonumbers(call, x, y)) {
        return false;
    }
    if (y == 0) {
        return fail(call, "division by 0");
    }
    call.result = makenumbervalue(std::fmod(x, y));
    return true;
}

// ---- whole-number functions ----

bool divfunction(VornSystemCall& call) {
    int64_t x = 0;
    int64_t y = 0;
    if (!getlong(call.arguments[0], x, call.error) || !getlong(call.arguments[1], y, call.error)) {
        return false;
    }
    if (y == 0) {
        return fail(call, "division by 0");
    }
    // The one quotient that overflows wraps as in two's complement.
    const int64_t quotient = y == -1 ? static_cast<int64_t>(0 - static_cast<uint64_t>(x)) : x / y;
    call.result = makelongvalue(quotient);
    return true;
}

bool oddfunction(VornSystemCall& call) {
    const VornNumberReading reading = readargument(call.arguments[0]);
    if (reading.kind != VornNumberKind::integer) {
        return fail(call, "function odd($) requires an integer number argument");
    }
    call.result = makeboolvalue(reading.longvalue % 2 != 0);
    return true;
}

// ---- rounding: add 0.5 and truncate toward zero, so -3.9 gives -3 ----

bool readroundvalue(VornSystemCall& call, VornNumberReading& reading) {
    reading = readargument(call.arguments[0]);
    return isnumberreading(reading) ||
           fail(call, "function round($) requires a number as first argument");
}

bool roundfunction(VornSystemCall& call) {
    VornNumberReading reading;
    if (!readroundvalue(call, reading)) {
        return false;
    }
    call.result = reading.kind == VornNumberKind::integer
                      ? makelongvalue(reading.longvalue)
                      : makenumbervalue(std::trunc(reading.doublevalue + 0.5));
    return true;
}

constexpr int64_t maxrounddigits = 10;

bool rounddigitsfunction(VornSystemCall& call) {
    VornNumberReading reading;
    if (!readroundvalue(call, reading)) {
        return false;
    }
    const VornNumberReading digits = readargument(call.arguments[1]);
    if (digits.kind != VornNumberKind::integer || digits.longvalue < 0 ||
        digits.longvalue > maxrounddigits) {
        return fail(call, "function round($$) requires an integer number 0-10 as second argument");
    }
    // Scaling step by step, not by a power of ten, gives the rounding
    // errors that scripts have always seen.
    double value = reading.doublevalue;
    for (int64_t i = 0; i < digits.longvalue; ++i) {
        value *= 10;
    }
    value = std::trunc(value + 0.5);
    for (int64_t i = 0; i < digits.longvalue; ++i) {
        value /= 10;
    }
    call.result = makedoublevalue(value);
    return true;
}

// ---- random numbers ----

bool startrandomfunction(VornSystemCall& call) {
    int64_t seed = 0;
    if (!getlong(call.arguments[0], seed, call.error)) {
        return false;
    }
    setrandomseed(seed);
    call.result = makeundefinedvalue();
    return true;
}

bool randommaxfunction(VornSystemCall& call) {
    int64_t maxvalue = 0;
    std::string ignored;
    // A maximum that is no number gives 0, like any maximum below 2.
    if (!getlong(call.arguments[0], maxvalue, ignored)) {
        maxvalue = 0;
    }
    call.result = makelongvalue(randomwholenumber(maxvalue));
    return true;
}

bool randomfractionfunction(VornSystemCall& call) {
    call.result = makedoublevalue(randomfraction());
    return true;
}

// Keys ending in "(" or "$" take any further arguments.
constexpr VornSystemFunctionEntry mathfunctions[] = {
    {"abs($)", absfunction},
    {"min($", minfunction},
    {"max($", maxfunction},
    {"sum($", sumfunction},
    {"average($", averagefunction},
    {"swap($$)", swapfunction},
    {"acos($)", elementaryfunction<std::acos>},
    {"asin($)", elementaryfunction<std::asin>},
    {"atan($)", elementaryfunction<std::atan>},
    {"cos($)", elementaryfunction<std::cos>},
    {"cosh($)", elementaryfunction<std::cosh>},
    {"exp($)", elementaryfunction<std::exp>},
    {"log($)", elementaryfunction<std::log>},
    {"log10($)", elementaryfunction<std::log10>},
    {"sin($)", elementaryfunction<std::sin>},
    {"sinh($)", elementaryfunction<std::sinh>},
    {"tan($)", elementaryfunction<std::tan>},
    {"tanh($)", elementaryfunction<std::tanh>},
    {"sqrt($)", sqrtfunction},
    {"sqr($)", numberfunction<square>},
    {"ceil($)", numberfunction<std::ceil>},
    {"floor($)", numberfunction<std::floor>},
    {"fract($)", numberfunction<fractionalpart>},
    {"modf($)", numberfunction<std::trunc>},
    {"atan2($$)", binaryfunction<std::atan2>},
    {"pow($$)", binaryfunction<std::pow>},
    {"fmod($$)", fmodfunction},
    {"div($$)", divfunction},
    {"odd($)", oddfunction},
    {"round($)", roundfunction},
    {"round($$)", rounddigitsfunction},
    {"startrandom($)", startrandomfunction},
    {"random($)", randommaxfunction},
    {"random()", randomfractionfunction},
};

// sqrt as its native form: a negative argument is the implementation's error.
double nativesqrt(double value) {
    return value < 0 ? std::numeric_limits<double>::quiet_NaN() : std::sqrt(value);
}

struct NativeForm {
    VornSystemFunctionImpl impl;
    VornNativeNumberFunction native;
};

// Each computes what its implementation above makes of a readable argument.
constexpr NativeForm nativeforms[] = {
    {elementaryfunction<std::acos>, {std::acos, true}},
    {elementaryfunction<std::asin>, {std::asin, true}},
    {elementaryfunction<std::atan>, {std::atan, true}},
    {elementaryfunction<std::cos>, {std::cos, true}},
    {elementaryfunction<std::cosh>, {std::cosh, true}},
    {elementaryfunction<std::exp>, {std::exp, true}},
    {elementaryfunction<std::log>, {std::log, true}},
    {elementaryfunction<std::log10>, {std::log10, true}},
    {elementaryfunction<std::sin>, {std::sin, true}},
    {elementaryfunction<std::sinh>, {std::sinh, true}},
    {elementaryfunction<std::tan>, {std::tan, true}},
    {elementaryfunction<std::tanh>, {std::tanh, true}},
    {sqrtfunction, {nativesqrt, false}},
    {numberfunction<square>, {square, false}},
    {numberfunction<std::ceil>, {std::ceil, false}},
    {numberfunction<std::floor>, {std::floor, false}},
    {numberfunction<fractionalpart>, {fractionalpart, false}},
    {numberfunction<std::trunc>, {std::trunc, false}},
};

} // namespace

VornSystemFunctionTable mathfunctiontable() {
    return mathfunctions;
}

VornNativeNumberFunction nativenumberfunction(VornSystemFunctionImpl impl) {
    for (const NativeForm& form : nativeforms) {
        if (form.impl == impl) {
            return form.native;
        }
    }
    return {};
}

} // namespace vornscript

// Operations write their number result into a temporary operand that only
// they hold; these rows check that no operand anyone else can see (a
// variable, an element, a member, a constant, a function's argument or a
// literal evaluated again) ever takes a result.
#include "scripttesthelper.h"

#include <regex>
#include <string>

namespace vornscriptunittests {
namespace {

TEST(OperandsUnchanged, NamedOperandsKeepTheirValues) {
    checkcases({
        {"var a = 2; var b = a * 3 + a; a + ' ' + b", "2 8"},
        {"var a = 2.5; var b = (a * 2) - a; a + ' ' + b", "2.5 2.500000"},
        {"var a = 7; var b = 3; var c = a % b; a + ' ' + b + ' ' + c", "7 3 1"},
        {"var v = [1, 2]; var w = v[0] + v[1]; v + ' ' + w", "[1,2] 3"},
        {"var s = {x: 4}; var t = s.x * s.x; s + ' ' + t", "{x: 4} 16"},
        {"var v = [1, 2]; var t = 0; var e; foreach (e in v) { t = t + e * 2 + e; } v + ' ' + t",
         "[1,2] 9"},
        {"var r = 3; var q =& r; var p = q - 1; r + ' ' + q + ' ' + p", "3 3 2"},
        {"var r = 3; var q =& r; q = q * 5; r", "15"},
        {"function h(&n) { n = n * 2; return n + 0; } var v = 3; h(v) + ' ' + v", "6 6"},
        {"function f(n) { return n * 2; } var v = 3; f(v) + v", "9"},
        {"function g(n) { n = n + 1; return n; } var v = 3; g(v * 2) + ' ' + v", "7 3"},
        {"var t = 0; for (var i = 0; i < 3; i++) { t = t + 2 * 3; } t", "18"},
        {"var a = 1; var b = (a + 1) * (a + 2) - (a + 3); a + ' ' + b", "1 2"},
        {"var x = '007'; var y = x + 1; x + ' ' + y", "7 8"},
        {"var d = 0.1; var e = d + d + d; d + ' ' + e", "0.1 0.300000"},
    });
}

TEST(OperandsUnchanged, ResultsStayIndependentValues) {
    checkcases({
        {"var v = [1 + 1, 2 * 2]; v[0]++; v", "[3,4]"},
        {"var a = 3 * 3; var b = a; a++; a + ' ' + b", "10 9"},
        {"var v = []; for (var i = 0; i < 3; i++) { v[i] = i * 10; } v", "[0,10,20]"},
        {"var s = {}; s.n = 2 + 3; s.n += 1; s", "{n: 6}"},
        {"var a = 1.5 * 2; gettype(a) + ' ' + a", "long 3"},
        {"var a = 3 / 2; gettype(a) + ' ' + a", "double 1.500000"},
    });
}

// Nested operators keep their intermediate numbers native; these rows pin
// the places where a native number must behave exactly like the value it
// stands for.
TEST(NativeOperands, IntermediateNumbersBehaveAsValues) {
    checkcases({
        // The left variable is read after the right operand ran.
        {"var x = 1; var y = x + (x = 5); y", "10"},
        // Every intermediate double is snapped to its six-decimal value.
        {"var a = (0.0000004 + 0.0000004) * 1000000; a", "1"},
        {"gettype(2.9999999 + 0) + ' ' + ((2.9999999 + 0) == 3)", "double 1"},
        {"var a = 9223372036854775807; (a + 1) - 1", "9223372036854775808.000000"},
        {"(1 < 2) && (3 > 2)", "1"},
        {"if (2.9999999 + 0) 'yes'; else 'no';", "yes"},
        {"var s = '5'; s += 2; s", "7"},
        {"var t = 0; t += 0.5 * 3; t", "1.500000"},
        {"var t = 1; t -= 0.25; t *= 4; gettype(t) + ' ' + t", "long 3"},
        {"var v = [5]; v[0] += 1 * 2; v", "[7]"},
        {"var u; u + 1", "1"},
    });
}

TEST(NativeOperands, ErrorsOfNestedOperatorsAreUnchanged) {
    checkcases({
        {"(1e308 * 10) + 1", "<error> test Line 1 Col 1 double value expected"},
        {"var d = 1e308 * 10; var e = d * 0; e",
         "<error> test Line 1 Col 29 double value expected"},
        {"0.5 && 1", "<error> test Line 1 Col 1 boolean value expected"},
        {"if (0.5 + 0) 'yes';", "<error> test Line 1 Col 5 boolean value expected"},
        {"1 + 3 / 0", "<error> test Line 1 Col 9 division by 0"},
        {"var u; u * 2", "<error> test Line 1 Col 8 value is undefined"},
    });
}

// The result of a script with the error positions left out, so that two
// scripts of different layout compare by what they compute.
std::string withoutpositions(const std::string& result) {
    return std::regex_replace(result, std::regex("Line [0-9]+ Col [0-9]+"), "");
}

// Operator trees over whole-number literals and variables run as compiled
// whole-number code, which hands anything unusual (a floating number, a
// text, an overflow, a negative remainder, a shift out of range) to the
// general reading. Each expression is computed as written and with every
// variable read through a call, which takes the value-based operators
// instead: the two must agree, errors included.
TEST(NativeOperands, WholeNumberCodeAgreesWithTheValueOperators) {
    const std::string expressions[] = {
        "(a + b) * c - (a ^ b)",
        "(a % b) + (b % c) + (a | c) - (b & c)",
        "(a << c) + (a >> c) + (b << 1)",
        "((a < b) + (b > c) * 2) + ((a <= c) == (b >= c)) + (a != b)",
        "(a * b * c + a) % 1000003",
        "(a - b) * (c - a) + 1",
        "(a / b) + c * 2",
    };
    const std::string values[] = {
        "7, b = 3, c = 2",
        "-7, b = 3, c = 5",
        "9223372036854775807, b = 2, c = 64",
        "0, b = -1, c = -1",
        "5, b = 0, c = 63",
        "2.5, b = 3, c = 1",
        "'12', b = 4, c = 3",
        "-9223372036854775807, b = 5, c = 1",
    };
    for (const std::string& expression : expressions) {
        const std::string throughcalls =
            std::regex_replace(expression, std::regex("\\b([abc])\\b"), "v($1)");
        for (const std::string& value : values) {
            const std::string prefix = "function v(x) { return x; } var a = " + value + "; ";
            EXPECT_EQ(withoutpositions(runtestscript(prefix + expression)),
                      withoutpositions(runtestscript(prefix + throughcalls)))
                << expression << " with a = " << value;
        }
    }
}

TEST(NativeOperands, OperatorsFollowVariablesThatChangeKind) {
    checkcases({
        // Whole, then floating, then whole again in the same operator tree.
        {"var t = 0; var a = 0; for (var i = 0; i < 5; i++) { a = i; if (i == 2) a = 2.5; "
         "t = t + (a * 2 + 1) * 3; } t",
         "78"},
        // A text, then computed numbers.
        {"var t = 0; var a = '4'; for (var i = 0; i < 3; i++) { t = t + (a * 2 - i) * 2; a = i; } "
         "t",
         "14"},
        // An overflow in one pass only.
        {"var t = 0; var a = 1; for (var i = 0; i < 3; i++) { a = i == 1 ? 9223372036854775807 : "
         "i; "
         "t = (a + 1) - 1 + t; } t",
         "9223372036854775808.000000"},
    });
}

} // namespace
} // namespace vornscriptunittests

// Operations write their number result into a temporary operand that only
// they hold; these rows check that no operand anyone else can see (a
// variable, an element, a member, a constant, a function's argument or a
// literal evaluated again) ever takes a result.
#include "scripttesthelper.h"

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

} // namespace
} // namespace vornscriptunittests

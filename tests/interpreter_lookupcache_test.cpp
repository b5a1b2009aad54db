// What the interpreter caches on syntax nodes must never show: variable
// slots and called functions must see every change of the scopes (a
// shadowing definition reached again by goto, undef, definitions made by
// eval, scopes left and entered, functions defined at run time), and the
// values of whole-number literals that operators share must stay unchanged.
#include "scripttesthelper.h"

namespace vornscriptunittests {
namespace {

TEST(InterpreterLookupCache, VariablesFollowScopeChanges) {
    checkcases({
        // The same node evaluated before and after a definition in its own scope.
        {"var x = 'g'; var r = '>'; var n = 0; { again: r += x; if (n == 1) goto done; n = 1; "
         "var x = 'l'; goto again; done: ; } r",
         ">gl"},
        {"var x = 'g'; var r = '>'; var n = 0; { again: r += x; if (n == 2) goto done; n++; "
         "if (n == 2) undef x; goto again; done: ; } r",
         "<error> test Line 1 Col 52 variable not defined: x"},
        // A block left and entered again between two reads.
        {"var r = '>'; var x = 'g'; for (var i = 0; i < 3; i++) { r += x; { var x = 'l' + i; "
         "r += x; } r += x; } r",
         ">gl0ggl1ggl2g"},
        {"var r = '>'; var x = 'g'; for (var i = 0; i < 3; i++) { r += x; if (i == 1) "
         "eval(\"var x = 'e';\"); r += x; } r",
         ">gggegg"},
        // A function body read from different depths sees the globals, never the caller's locals.
        {"function g() { return x; } var x = 'a'; var r = '>' + g(); { { r += g(); { var x = "
         "'b'; r += g() + x; } } } r",
         ">aaab"},
        {"function g(d) { if (d == 0) return y; var y = 'l' + d; return g(d - 1) + y; } var y = "
         "'G'; g(3)",
         "Gl1l2l3"},
    });
}

// A cached place is a scope offset and an index: the entry found there
// must be the innermost variable of the name, whatever was defined since.
TEST(InterpreterLookupCache, CachedPlacesFollowDefinitions) {
    checkcases({
        // The same node finds its variable at another index in the next pass.
        {"var s = '>'; for (var i = 0; i < 3; i++) { if (i == 1) var a = 5; var b = i; "
         "s += b; } s",
         ">012"},
        // A local definition hides the global the node read a moment ago.
        {"var x = 1; function f(flag) { var r = x; if (flag) { var x = 2; r = r + x; } "
         "return r + x; } f(1) + '|' + f(0)",
         "4|2"},
        // A parameter hides a global of its name in every call.
        {"var n = 'g'; function f(n) { return n; } function h() { return n; } "
         "h() + f(1) + h() + f(2)",
         "g1g2"},
        // Recursion: each call's locals, seen at every depth.
        {"function d(n) { if (n == 0) return 0; var k = n * 10; return d(n - 1) + k; } d(10)",
         "550"},
        // Sibling blocks reuse one scope with other variables in it.
        {"var s = ''; for (var i = 0; i < 2; i++) { { var p = 'p' + i; s += p; } "
         "{ var q = 'q' + i; var p = 'P'; s += q + p; } } s",
         "p0q0Pp1q1P"},
    });
}

TEST(InterpreterLookupCache, CallsFollowFunctionChanges) {
    checkcases({
        {"function p() { return 'a'; } var r = '>'; for (var i = 0; i < 3; i++) { r += p(); "
         "if (i == 1) { eval(\"function p() { return 'b'; }\"); r += p(); } } r + p()",
         ">aabaa"},
        {"function f(&v) { v = v + 'r'; } var x = 'a'; var r = '>'; for (var i = 0; i < 2; "
         "i++) { f(x); r += x; } r",
         ">ararr"},
        {"function f(a, ...) { return a + f[1] + f.length(); } f('a', 'b') + f('c', 'd', 'e')",
         "ab2cd3"},
        // Returned temporaries and returned variables both arrive detached.
        {"function f(n) { var v = 'v' + n; return v; } var a = f(1); a += 'x'; a + f(2)", "v1xv2"},
        {"function f(n) { return n + 't'; } var a = f('t'); a += 'x'; a + f('t')", "ttxtt"},
        {"function f(n) { if (n > 0) return f(n - 1); return 'deep'; } f(99)", "deep"},
    });
}

TEST(InterpreterLookupCache, SharedLiteralsStayUnchanged) {
    checkcases({
        {"function f(&a) { a = 7; } f(0 + 5); f(5 * 1); f(5); 0 + 5 + '|' + 5", "5|5"},
        {"var r = ''; for (var i = 0; i < 3; i++) { r += (1 += 4); } r", "15"},
        {"var r = '>'; for (var i = 0; i < 3; i++) { var a = i + 1; a++; r += a + 1; } r", ">345"},
        // A for step's value is not used; the increment itself still happens.
        {"var i = 0; var r = '>'; for (; i < 3; i++) r += i; r + i", ">0123"},
        {"var r = 0; for (var i = 0; i < 3; i++) r = i++; r + '|' + (2 - 1)", "2|1"},
    });
}

} // namespace
} // namespace vornscriptunittests

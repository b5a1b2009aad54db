// User functions and calls: results, parameter passing, variable argument
// lists, name spaces and overloads, scopes, the recursion limit, control flow
// at the call boundary, and the existence check before a run.
#include "scripttesthelper.h"

namespace vornscriptunittests {
namespace {

TEST(UserFunctions, Results) {
    checkcases({
        {"function gcd(x, y) { if (y != 0) return gcd(y, x  % y); else return x; }; gcd(366, 60);",
         "6"},
        {"function fib(n) { if (n < 2) return n; return fib(n-1) + fib(n-2); } fib(16)", "987"},
        {"function square(v) { return v * v; v; v-10; return 13; 14; }; square(-6)", "36"},
        {"function last(v) { v + 1; v + 2; } last(1)", "3"},
        {"var x = -1; function seekvalue(v) { x = 2; return; x = 3; return -2; } "
         "var ret = seekvalue(5); gettype(ret) + '|' + x",
         "null|2"},
        {"function f() { switch (2) { case 1: return 'one'; case 2: return 'two'; } return 'none'; "
         "}"
         " f()",
         "two"},
        {"function f() { for (var i = 0; ; i++) if (i == 5) return i; } f()", "5"},
        {"function f() { } gettype(f())", "null"},
        {"function f() { var local = [1,2]; return local; } var a = f(); a[0] = 9; a", "[9,2]"},
        {"var g = [1]; function f() { g; } var a = f(); a[0] = 5; g", "[1]"},
        {"var x = 16; function square(v) { return v * v; } x.square()", "256"},
        {"var called = 0; function callinside() { called = 1; return 1; } var x = 0; "
         "x || callinside(); called",
         "1"},
        {"var called = 0; function callinside() { called = 1; return 1; } var x = '1'; "
         "x || callinside(); called",
         "0"},
        {"var called = 0; function callinside() { called = 1; return 1; } var x = 0; "
         "x && callinside(); called",
         "0"},
        {"var a = [1,2,3,4]; a[6]; a.tostring() + '|' + gettype(a[6])", "[1,2,3,4,,,]|null"},
    });
}

TEST(UserFunctions, ParameterPassing) {
    checkcases({
        {"function f(&refparam1, &refparam2, norefparam3) { refparam1 = 7; refparam2 = 8; "
         "norefparam3 = 9; } var x = 17, y = 18, z = 19; f(x, y, z); x + ';' + y + ';' + z",
         "7;8;19"},
        {"function f(v) { v[2] = 'three'; return v; } var a = [1,2,3,4,5]; f(a) + '' + a",
         "[1,2,'three',4,5][1,2,3,4,5]"},
        {"function f(&v) { v[2] = 'three'; return v; } var a = [1,2,3,4,5]; f(a) + '' + a",
         "[1,2,'three',4,5][1,2,'three',4,5]"},
        {"function f(s) { s.a = 2; } var s = {a: 1}; f(s); s", "{a: 1}"},
        {"function f(&s) { s.a = 2; } var s = {a: 1}; f(s); s", "{a: 2}"},
        {"function f(&e) { e = 3; } var v = [1,2]; f(v[0]); v", "[3,2]"},
        {"function f(&m) { m = 3; } var s = {a: 1}; f(s.a); s", "{a: 3}"},
        {"function f(&refparam) { refparam = 3; }; var x = 17; f(x.duplicate()); x;", "17"},
        {"var globalname = 'global'; function f(&globalname, value) { globalname = value; "
         "return globalname; }; var y = 'old'; f(y, 'new') + '|' + globalname;",
         "new|global"},
        {"function f(v) { v = 5; } var x = 1; f(x++); x", "2"},
        {"function f(v) { return v; } var x = 1; f(x++) + '|' + x", "1|2"},
        {"function f(v) { return x; } var x = 1; f(x++)", "2"},
        {"function myfunc(&refa,valueb) { return refa++ * valueb++; }; var x = 2, y = -4; "
         "callfunction('myfunc', x, y)+'|'+x+'|'+y",
         "-8|3|-4"},
        {"try { 3/0; } catch (var e) { function f(v) { return v.what; } f(e); }", "division by 0"},
    });
}

TEST(UserFunctions, VariableArguments) {
    checkcases({
        {"function mymax(a,b,...) { var m = mymax[0]; foreach (var v in mymax) if (v > m) m = v; "
         "return m + '/' + mymax; } mymax(1,3,5,7,0)",
         "7/[1,3,5,7,0]"},
        {"function mymax(...) { return mymax; } mymax() + '|' + mymax(1, 'b')", "[]|[1,'b']"},
        {"function mymax(...) { } gettype(mymax())", "null"},
        {"function changeit(...) { changeit[0] = 'changed'; } var x = 'old'; changeit(x); x",
         "changed"},
        {"function mymax(a,b,...) { return mymax.size() + '|' + mymax[4]; } mymax(1,3,5,7,0)",
         "5|0"},
        {"var a = [1,2,3,4]; a[6]; a.size()", "7"},
        {"function space::list(...) { return list; } space::list(1, 2, 3)", "[1,2,3]"},
    });
}

// Calls nested in arguments each hold their own argument list while the
// inner ones run, also when an inner call fails; parameters bind into the
// call's own scope, and a clash with the argument vector's name is reported.
TEST(UserFunctions, NestedCallsAndBinding) {
    checkcases({
        {"function add(a, b) { return a + '/' + b; } "
         "function depth(n) { return n == 0 ? 'z' : add(n, depth(n - 1)); } depth(5)",
         "5/4/3/2/1/z"},
        {"function add(a, b) { return a + '/' + b; } add(add(1, 2), add(3, add(4, 5)))",
         "1/2/3/4/5"},
        {"function add(a, b) { return a + '/' + b; } function boom(n) { return n / 0; } "
         "try { add(1, boom(2)); } catch (var e) { } add(add(6, 7), 8)",
         "6/7/8"},
        {"function clash(clash, ...) { return clash; } clash(1, 2)",
         "<error> test Line 1 Col 46 variable is defined multiple: clash"},
        {"function h(&t) { t = t + 1; return gettype(t) + t; } h(3 + 4)", "long8"},
        {"function g(&a, b) { a = b; return a; } var x = 1; g(x, 5) + '|' + x", "5|5"},
        {"function f(n) { var m = n; n = 0; return m; } var r = ''; "
         "for (var i = 0; i < 3; i++) r += '<' + f(i); r",
         "<0<1<2"},
    });
}

TEST(UserFunctions, NamesAndOverloads) {
    checkcases({
        {"function ::sum(a,b) { return 0; } function other::sum(a,b) { return a + '+' + b; } "
         "callfunction('other::sum(a,b)',3,4);",
         "3+4"},
        {"function ::sum(a,b) { return 'global'; } sum(1, 2) + '|' + ::sum(1, 2)", "global|global"},
        {"function f(a) { return 'one'; } function f(a,b) { return 'two'; } f(1) + f(1,2)",
         "onetwo"},
        {"function other::getage(p, add) { return p.age + add; } var x = {age: 40}; "
         "x.other::getage(2)",
         "42"},
        // A user function shadows the system function of the same name and count.
        {"function gettype(x) { return 'mine'; } gettype(1)", "mine"},
        {"function f(x) { return 'user'; } callfunction('f', 1) + callfunction('gettype', 1)",
         "userlong"},
        {"function f(a) { return 'one'; } function f(a,b) { return gettype(b); } "
         "callfunction('f(a,b)', 1)",
         "null"},
        {"function f(x) { return x; } callfunction('f()')",
         "<error> test Line 1 Col 29 function not existing: f()"},
    });
}

TEST(UserFunctions, Scopes) {
    checkcases({
        {"function f() { var local = 1; } f(); local",
         "<error> test Line 1 Col 38 variable not defined: local"},
        {"function f() { return hidden; } { var hidden = 1; f(); }",
         "<error> test Line 1 Col 23 variable not defined: hidden"},
        {"var g = 1; function f() { g = 2; return g; } f() + '|' + g", "2|2"},
        {"var v = 'global'; function f(v) { return v; } f('param') + '|' + v", "param|global"},
        {"function f() { { var x = 1; 3/0; } } try { f(); } catch (var e) { } "
         "var x = 'outer'; x",
         "outer"},
        {"function f() { while (true) break; return 'done'; } var r = ''; "
         "for (var i = 0; i < 2; i++) r += f(); r",
         "donedone"},
        // Leaving a call's scope that holds functions, or postfix operations an error cut short.
        {"function f(n) { eval(\"function q() { return 'i'; }\"); return q(); } "
         "function q() { return 'g'; } f(1) + q() + f(2)",
         "igi"},
        {"function f(a) { return a++ + 3/0; } var r = ''; var e; try { f(1); } catch (e) "
         "{ r += 'c'; } var i = 0; r += i++; r + i",
         "c01"},
        // A parameter hides a global that a function called from nested blocks reads.
        {"var n = 'g'; function h() { return n; } function f(n) { return h() + n; } var r = h(); "
         "{ { r += f('a'); } } r + h()",
         "ggag"},
    });
}

// A parameter is bound without searching for a variable it hides: only a
// global of its name can be hidden, counted as globals come and go. Eval code
// is parsed once per text, so one name node reads the global and the parameter.
TEST(UserFunctions, ParametersHidingGlobals) {
    checkcases({
        {"var x = 'g'; function f(x) { return eval('x'); } function g(k) { return eval('x') + k; "
         "} eval('x') + '|' + f('p') + '|' + g(1) + '|' + eval('x')",
         "g|p|g1|g"},
        {"var x = 'g'; eval('x'); undef x; function f(x) { return eval('x'); } var r = f('p'); "
         "var x = 'h'; r + f('q') + eval('x')",
         "pqh"},
        {"function f(x) { return eval('x') + f2(); } function f2() { return eval('x'); } "
         "var x = 'g'; f('p') + f('q') + eval('x')",
         "pgqgg"},
        {"var x = 1; function f(&x, y) { x = y; return eval('x'); } var v = 5; "
         "f(v, 7) + '|' + v + '|' + x",
         "7|7|1"},
        {"function f(a, a) { return a; } f(1, 2)",
         "<error> test Line 1 Col 15 invalid syntax: function parameter name duplicate used: a"},
    });
}

// Errors inside calls leave the caller's scopes, call stack and flags as they
// were, also when they come again and again.
TEST(UserFunctions, ErrorsCaughtAroundCalls) {
    checkcases({
        {"function boom(v) { return v + nosuch; } function sum(a, b) { return a + b; } var c = 0; "
         "for (var i = 0; i < 150; i++) { try { boom(i); } catch (var e) { c++; } } "
         "c + '|' + sum(2, 3)",
         "150|5"},
        {"function deep(n) { return n == 0 ? 3/0 : deep(n - 1); } var c = 0; "
         "for (var i = 0; i < 3; i++) { try { deep(50); } catch (var e) { c++; } } "
         "function fib(n) { if (n < 2) return n; return fib(n - 1) + fib(n - 2); } c + fib(15)",
         "613"},
    });
}

// A returned variable arrives as a value of its own: a local's value is taken
// over when the call ends, anything still held elsewhere is copied.
TEST(UserFunctions, ReturnedVariables) {
    checkcases({
        {"function f(n) { var v = n + 1; return v; } var a = f(1); a += 5; a + '|' + f(1)", "7|2"},
        {"function f(n) { { var v = n * 2; return v; } } var a = f(4); a++; a + '|' + f(4)", "9|8"},
        {"function f(s) { var v = s + 'x'; return v; } var a = [f('a'), f('b')]; a[0] += '!'; a",
         "['ax!','bx']"},
        {"function f(n) { return n; } function g(&r) { r = 9; } var y = f(2); g(y); y", "9"},
        {"function f(n) { return n; } f(7) + f('a') + f(2.5) + f(-0)", "7a2.50"},
        {"function f(n) { var v = [n]; return v; } var a = f(4); push(a, 5); a + '|' + f(4)",
         "[4,5]|[4]"},
        // Held elsewhere: a reference parameter's variable and a global stay as they are.
        {"function f(&v) { return v; } var x = 1; var y = f(x); y += 1; x + '|' + y", "1|2"},
        {"var g = 5; function f() { return g; } var y = f(); y++; g + '|' + y", "5|6"},
        // Returns inside eval code, or with a postfix operation pending.
        {"function f(n) { var r = eval(\"return n;\") + n; return r; } f(3)", "3"},
        {"function f(n) { eval(\"return n;\"); return 'no'; } var y = f(3); y += 1; y", "4"},
        {"function f(n) { var m = 1; return m += n++; } f(2)", "3"},
        {"function cmp(a, b) { var r = a < b; return r; } var v = sort([3, 1, 2], 'cmp'); "
         "v[0] += 10; v",
         "[11,2,3]"},
    });
}

// A call inside an operator or a condition takes a computed number as it
// is: whatever reads the result must see what the value would have shown.
TEST(UserFunctions, NumbersReturnedToOperators) {
    checkcases({
        {"function f(a) { return a * 1.5; } (f(3) + 1) + '|' + ('x' + f(3)) + '|' + f(2) * 2",
         "5.500000|x4.500000|6"},
        {"function f(a) { return a / 3.0; } ('t' + f(1)) + '|' + f(1) * 3", "t0.333333|0.999999"},
        // A variable's computed whole number goes native; texts and written
        // numbers keep their text.
        {"function g(a) { return a; } ('v' + g(3 + 4)) + '|' + (g(3 + 4) + 1) + '|' + "
         "(g('007') + 1) + '|' + ('x' + g('007'))",
         "v7|8|8|x007"},
        {"function g(a) { var t = a; return t; } (g(1.50) + 1) + '|' + ('b' + g(1.50))",
         "2.500000|b1.50"},
        {"function g() { return 9223372036854775807 + 1; } 'b' + g()",
         "b9223372036854775808.000000"},
        {"function h() { var x = 5; return x++; } (h() + 0) + '|' + ('h' + h())", "5|h5"},
        {"function e() { return eval('return 2 + 3') * 2; } e() + 1", "11"},
        {"function t() { try { return 1 + 1; } catch (var e) { return 9; } } t() * 2", "4"},
        {"function l() { for (var i = 0; i < 10; i++) if (i == 4) return i * 2; } l() + 1", "9"},
        {"function sw(v) { switch (v) { case 1: return v + 10; default: return v - 10; } } "
         "sw(1) + sw(2)",
         "3"},
        {"function c(v) { return v > 2; } var s = ''; if (c(3)) s += 'y'; if (!c(1)) s += 'n'; "
         "s + (c(3) + c(4))",
         "yn2"},
        {"function n() { } function e() { return; } gettype(n()) + gettype(e()) + ('x' + e())",
         "nullnullx"},
        {"function d2(x) { return x * 2; } function d3(x) { return d2(x) + d2(x + 1); } "
         "[d3(1), d3(2) + d3(3)]",
         "[6,24]"},
        {"var k = 0; function side() { k++; return k * 10; } (side() + side()) + '|' + k", "30|2"},
        {"function r(n) { if (n == 0) return 0.5; return r(n - 1) + 1; } 'r' + r(3)", "r3.500000"},
        {"function f() { return 1 / 0; } 'a' + f()", "<error> test Line 1 Col 27 division by 0"},
        // Compare functions of sort read whole numbers directly.
        {"function c(a, b) { return a - b < 0 ? 2 : 0; } sort([5, 3, 9, 1], 'c')", "[1,3,5,9]"},
        {"function c(a, b) { if (a < b) return '1'; return '0'; } sort([5, 3, 9, 1], 'c')",
         "[1,3,5,9]"},
        {"function c(a, b) { return a; } sort([5, 0, 9, 1], 'c')", "[1,9,5,0]"},
        // A return whose own postfix operation fails is no return: after the
        // error is caught, the code goes on and returns what it returns.
        {"function f(v) { foreach (var x in v) { return 1 + x++; } } "
         "function g() { try { var a = f([1]) * 1; } catch (var e) { } return 7; } g() + 1",
         "8"},
        {"function f(v) { foreach (var x in v) { return 1 + x++; } } "
         "function g() { try { var a = f([1]); } catch (var e) { } return 7; } var r = g(); r",
         "7"},
        {"function f(v) { foreach (var x in v) { return 1 + x++; } } var s = 'a'; "
         "try { f([1]) * 1; } catch (var e) { s += 'c'; } s += 'd'; s",
         "acd"},
        {"function c(a, b) { return (a < b) * 0.5; } sort([5, 3, 9, 1], 'c')",
         "<error> test Line 1 Col 44 compare function c($$) must return true if a < b"},
    });
}

// A computed number passed to a value parameter is bound without an
// argument value, into a parameter value an earlier call left behind: what
// the body did to that value, the parameter's name, mixed, reference and
// variable parameters, and functions changing during the arguments must not
// show.
TEST(UserFunctions, NumberArguments) {
    checkcases({
        {"function f(n) { n = 'x' + n; return n; } f(1 + 1) + f(2 + 1) + f(3 + 0)", "x2x3x3"},
        {"function f(n) { n = [n]; return n.size(); } f(1 + 1) + f(2 + 2) + '|' + f(5 - 1)", "2|1"},
        {"function f(n) { n[0] = 'a'; return n; } f(12 + 0) + '|' + f(34 + 0)", "['a']|['a']"},
        {"function f(n) { return n++; } f(1 + 1) + '|' + f(5 + 5)", "2|10"},
        {"var k = []; function f(n) { push(k, n); n = n * 10; return n; } "
         "f(1 + 1) + f(2 + 1) + '|' + k",
         "50|[2,3]"},
        {"function f(x) { return 'v' + x; } "
         "f(1.5 * 2) + '|' + f(1 / 4) + '|' + f(7 - 10) + '|' + f(0.1 + 0.2)",
         "v3|v0.250000|v-3|v0.300000"},
        {"function f(n) { return n; } "
         "f(9223372036854775807 + 1) + '|' + f(0 - 9223372036854775807 - 1)",
         "9223372036854775808.000000|-9223372036854775808"},
        {"function f(n) { return n; } function g(b) { return b + '/' + f(b - 1); } "
         "g(3 + 0) + '|' + f(2 + 2) + '|' + g(9 - 1)",
         "3/2|4|8/7"},
        {"function f(a, b) { return a + b; } "
         "function g(n) { return f(n - 1, n + 1) + f(n * 2, n); } g(2 + 3)",
         "25"},
        {"var n = 5; function f(n) { return n; } f(n + 1) + '|' + n + '|' + f(n * 2)", "6|5|10"},
        {"function f(&a, b) { a = b; return a; } var x = 1; f(x, x + 1) + '|' + x", "2|2"},
        {"function f(a, b) { return a + '/' + b; } var i = 1; f(i + 1, i++) + '|' + i", "2/1|2"},
        {"function f(a, b, c, d, e) { return a + b + c + d + e; } "
         "f(1 + 1, 2 + 2, 3 + 3, 4 + 4, 5 + 5)",
         "30"},
        {"function f(a, ...) { return a + '/' + f; } f(1 + 1, 2 + 2)", "2/[2,4]"},
        {"function f(a, b) { return a * 100 + b; } "
         "f(1 + 1, eval('function h(x) { return x; } 3') + 0) + '|' + callfunction('h', 4)",
         "203|4"},
        {"function f(n) { return n + 1; } "
         "f(1 + 1) + f(eval('function f(n) { return n * 1000; } 2') + 3)",
         "9"},
        // Copies of variables' and elements' whole numbers are bound the same way.
        {"var v = [3, 1, 2]; function c(a, b) { var r = a < b; a = [a]; b = 'z' + b; "
         "return r; } sort(v, 'c') + '|' + v",
         "[1,2,3]|[3,1,2]"},
        {"function c(a, b) { var r = (a + '') < (b + ''); a = 7; return r; } "
         "var v = [30, 'b', 1, 2.5, 30 - 29]; sort(v, 'c') + '|' + v",
         "[1,1,2.5,30,'b']|[30,'b',1,2.5,1]"},
        {"function f(n) { n++; return n; } var v = [4, 5]; var x = 9; "
         "f(x) + f(v[0]) + f(x) + '|' + x + v",
         "25|9[4,5]"},
        {"function r(n) { return r(n + 1); } r(0 + 1)",
         "<error> test Line 1 Col 24 too many recursive calls: r"},
        {"function r(n) { return r(n + 1); } try { r(0 + 1); } catch (var e) { } "
         "function s(n) { if (n < 1) return 0; return n + s(n - 1); } s(10 + 0)",
         "55"},
    });
}

TEST(UserFunctions, Failures) {
    checkcases({
        {"function endless(x) { return x + endless(x); }; endless(1);",
         "<error> test Line 1 Col 34 too many recursive calls: endless"},
        {"function deep(n) { return n == 0 ? 0 : deep(n - 1); } deep(99)", "0"},
        {"function deep(n) { return n == 0 ? 0 : deep(n - 1); } deep(100)",
         "<error> test Line 1 Col 40 too many recursive calls: deep"},
        {"function f() { 3/0; } f()", "<error> test Line 1 Col 18 division by 0"},
        {"function f() { goto out; } out: f()",
         "<error> test Line 1 Col 16 goto to label not allowed: out"},
        {"function f() { goto nowhere; } f()",
         "<error> test Line 1 Col 16 goto label not found: nowhere"},
        {"callfunction('notexisting', 2, 4)",
         "<error> test Line 1 Col 1 function not existing: notexisting($$)"},
        {"callfunction('', 2)", "<error> test Line 1 Col 1 function call requires a function name"},
    });
}

TEST(UserFunctions, ExistenceCheckBeforeRun) {
    checkcases({
        {"var x = 1; print('ran'); doesnotexist(1, 2);",
         "<error> test Line 1 Col 26 function doesnotexist(a,b) not existing"},
        {"function mymax(a,b,...) { } mymax(1)", "<error> test Line 1 Col 29 function mymax(a) not "
                                                 "existing maybe you mean: mymax(a,b,...)"},
        {"gettipe(1)",
         "<error> test Line 1 Col 1 function gettipe(a) not existing maybe you mean: gettype(a)"},
        {"GETTYPE(1)",
         "<error> test Line 1 Col 1 function GETTYPE(a) not existing maybe you mean: gettype(a)"},
        // A call before its definition in the text is fine.
        {"var r = f(); function f() { return 'late'; } r", "late"},
        // With an include the check waits for the run.
        {"if (false) include('x'); doesnotexist(1)",
         "<error> test Line 1 Col 26 function not existing: doesnotexist($)"},
        {"function f() { return 1; } f(2)",
         "<error> test Line 1 Col 28 function f(a) not existing maybe you mean: f()"},
    });
    // A call with 27 arguments ends its description with ",...".
    std::string call = "nothere(";
    for (int index = 0; index < 27; ++index) {
        call += index == 0 ? "1" : ",1";
    }
    EXPECT_EQ(runtestscript(call + ")"),
              "<error> test Line 1 Col 1 function nothere(a,b,c,d,e,f,g,h,i,j,k,l,m,n,o,p,q,r,s,t,"
              "u,v,w,x,y,z,...) not existing");
}

} // namespace
} // namespace vornscriptunittests

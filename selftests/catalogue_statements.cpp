// Catalogue group "statements": statement lists and their value, if/else,
// the for, while, do and repeat loops with break, continue and the loop
// limit, endless recursion, foreach over vectors, structures and constant
// ranges, switch with fall-through and value ranges, and goto labels.
#include "selftests/catalogue.h"

namespace vornscriptunittests {

namespace {

constexpr CatalogueRow rows[] = {
    {"nothing", "", ";"},
    {"sequence", "3", "1;2;3"},
    {"if", "yes", "if (1) 'yes'; else 'no';"},
    {"if", "no", "if (0) 'yes'; else 'no';"},
    {"if", "taken", "var x = 13; if (x) 'taken'"},
    {"if", "2", "if ('no') 1; else 2"},
    {"if", "1", "var r = 0;\nif (r == 0) r = 1;\nelse r = 2;\nr"},
    {"ifnothing", "", "if (0) 'yes'"},

    // Loops and their statement value.
    {"forloop1", "2", "var i, r; for (i = 0; i <= 5; i++) if (i <= 2) r = i; r"},
    {"forloop2", "55", "var sum = 0; for (var i = 1; i <= 10; ++i) sum += i; sum"},
    {"forloop3", "<error> forloop3 Line 1 Col 31 variable not defined: i",
     "for (var i = 0; i < 3; i++) ; i"},
    {"forloop4", "12", "var n = 0; for (var i = 0; i < 3; i++) for (var j = 0; j < 4; j++) n++; n"},
    {"forloop5", "40", "for (var i = 0; i < 10; i++) { if (i == 4) return i * 10; } 'no'"},
    {"whilemult1", "32", "var i = 0, r = 1; while (i < 5) { r *= 2; i++; } r"},
    {"dowhile1", "1", "var i = 0; do { i++; } while (i < 0); i"},
    {"repeatuntil1", "8", "var i = 0; repeat { i += 2; } until (i >= 7); i"},

    // Limits: recursion depth and loop iterations.
    {"recursionforever", "<error> recursionforever Line 1 Col 34 too many recursive calls: endless",
     "function endless(x) { return x + endless(x); }; endless(1);"},
    {"forloopforever", "<error> forloopforever Line 1 Col 17 loop never ending",
     "var result = 1; for (var x = 0; ; x++) ++result; result;"},
    {"forloopbreak", "7", "var i; for (i = 0; i < 100; i++) { if (i == 7) break; } i"},
    {"forloopcontinue", "20",
     "var s = 0; for (var i = 0; i < 10; i++) { if (i % 2) continue; s += i; } s"},

    // foreach: the running variable and what it iterates.
    {"foreachloopundefinedvar1",
     "<error> foreachloopundefinedvar1 Line 1 Col 27 foreach variable not defined: x",
     "var arr = [1,2]; foreach (x in arr) ;"},
    {"foreachnested1", "1x,1y,2x,2y,",
     "var r = ''; foreach (var a in [1,2]) foreach (var b in ['x','y']) r += a + b + ','; r"},
    {"foreachforbiddenchangerunningvariable",
     "<error> foreachforbiddenchangerunningvariable Line 1 Col 45 const object must not be "
     "changed",
     "var arr1 = [1,2,3]; foreach (var x in arr1) x = 'nonsense';"},
    {"allowchangerunningvariableafterforeach1", "end",
     "var arr1 = [1,2,3]; var x; foreach (x in arr1) ; x = 'end';"},
    {"foreachlooparr", "10", "var s = 0; foreach (var x in [1,2,3,4]) s += x; s"},
    {"foreachloopstructure", "abc",
     "var r = ''; foreach (var k in { b: 2, c: 3, a: 1 }) r += k; r"},
    {"foreachforever", "<error> foreachforever Line 1 Col 21 foreach endless loop",
     "var v = [0..10001]; foreach (var x in v) ;"},
    {"foreachconstrange1", "15", "var s = 0; foreach (var x in [1..5]) s += x; s"},
    {"foreachconstrange2", "abcde", "var r = ''; foreach (var c in ['a'..'e']) r += c; r"},
    {"foreachconstrange3", "7", "var n = 0; foreach (var x in [-3..3]) n++; n"},
    {"foreachconstrange4", "10", "var s = 0; foreach (var x in [sqr(-1)..sqr(2)]) s += x; s"},
    {"foreachconstrange5", "14",
     "var s = 0; foreach (var x in [[1,2,3,4][1]..sqrt(25)]) s += x; s"},

    // switch: first matching label, fall-through, ranges.
    {"switchwithcasebreak", "13",
     "var x = 3; switch(x) { case 0: 10; break; case 1: 11; break; case 3: 13; break; default: "
     "14; break; }"},
    {"switchwithdefaultbreak", "14",
     "var x = 7; switch(x) { case 0: 10; break; case 1: 11; break; case 3: 13; break; default: "
     "14; break; }"},
    {"switchwith2casebreak", "13",
     "var x = 2; switch(x) { case 0: 10; break; case 2: case 3: 13; break; default: 14; break; "
     "}"},
    {"switchwithreturn", "twooneother",
     "function f(x) { switch(x) { case 1: return 'one'; case 2: return 'two'; } return 'other'; "
     "} f(2) + f(1) + f(5)"},
    {"switchcasenumber1", "zero", "switch('00000') { case 0: 'zero'; break; default: 'other'; }"},
    {"switchcasenumberrange1", "ok",
     "switch('00005') { case 0..17: return 'ok'; } return 'error';"},
    {"switchcasecharrange1", "in", "switch('c') { case 'b'..'d': return 'in'; } return 'out';"},
    {"switchcasecharrange2", "out", "switch('C') { case 'b'..'d': return 'in'; } return 'out';"},
    {"switchcasecharrange3", "xxyzzzw",
     "var r = ''; foreach (var c in ['a'..'f']) { switch(c) { case 'a'..'b': r += 'x'; break; "
     "case 'c': r += 'y'; case 'd'..'e': r += 'z'; break; default: r += 'w'; } } r"},

    {"gotolabel1", "do(begin)do(b)do(a)do(end)",
     "var state = 'do(begin)';goto b;a:state += 'do(a)';goto end;b:state += 'do(b)';goto "
     "a;end:state += 'do(end)';"},
};

} // namespace

std::span<const CatalogueRow> statementrows() {
    return rows;
}

} // namespace vornscriptunittests

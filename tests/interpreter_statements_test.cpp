// Statements and control flow: scopes and var/undef, if, loops, foreach,
// switch, goto, try/catch, loop limits and the exception structure.
#include "scripttesthelper.h"

namespace vornscriptunittests {
namespace {

TEST(InterpreterStatements, ScopesAndVariables) {
    checkcases({
        {"var x; var x=14;", "<error> test Line 1 Col 12 variable is defined multiple: x"},
        {"var spaceA::x = 14; var x = 13; spaceA::x+'|'+::x", "14|13"},
        {"var spaceA::x = 14; x;", "<error> test Line 1 Col 21 variable not defined: x"},
        {"var x = 14; spaceA::x;", "<error> test Line 1 Col 13 variable not defined: spaceA::x"},
        {"var myvar = 'wrong'; { var myvar = 'correct'; return myvar; }", "correct"},
        {"var result = 0; var inside = 13; {{{{{  result=inside; }}}}}; result", "13"},
        {"{var inside = 13; } inside;", "<error> test Line 1 Col 21 variable not defined: inside"},
        {"var a=5,b,c = 0; b=10; a + '|'+b+'|'+c", "5|10|0"},
        {"var x = 1; { var x = 2; ::x = 3; } x", "3"},
        {"var x = 1; undef x; x", "<error> test Line 1 Col 21 variable not defined: x"},
        {"undef nothere", "<error> test Line 1 Col 7 variable not found"},
        {"var v = [1,2]; var w = v; w[0] = 9; v", "[1,2]"},
        {"var v = [1,2]; var w =& v; w[0] = 9; v", "[9,2]"},
    });
}

TEST(InterpreterStatements, IfAndLoops) {
    checkcases({
        {"var i, r; for (i = 0; i <= 5; i++) if (i <= 2) r = i; r", "2"},
        {"var s = 0; for (var i = 0; i < 10; i++) { if (i == 3) continue; if (i == 6) break; "
         "s += i; } s",
         "12"},
        {"var i = 0; while (i < 5) i++; i", "5"},
        {"var i = 0; do { i++; } while (i < 3); i", "3"},
        {"var i = 0; do { i++; } while (false); i", "1"},
        {"var i = 0; repeat { i++; } until (i >= 4); i", "4"},
        {"for (var i = 0; i < 2; i++) ; i", "<error> test Line 1 Col 31 variable not defined: i"},
        {"if (0) 1; else 2", "2"},
        {"if ('abc') 1", "<error> test Line 1 Col 5 boolean value expected"},
        {"var x = 13; if (x) 'yes'", "yes"},
        {"var x = 0; if (x++) 'yes' else x", "1"},
        {"var s = ''; for (var i = 0; i < 2; i++) for (var j = 0; j < 3; j++) { if (j == 1) "
         "break; s += i + ':' + j + ' '; } s",
         "0:0 1:0 "},
    });
}

TEST(InterpreterStatements, LoopLimits) {
    checkcases({
        {"var result = 1; for (var x = 0; ; x++) ++result; result;",
         "<error> test Line 1 Col 17 loop never ending"},
        {"var n = 0; while (true) n++;", "<error> test Line 1 Col 19 loop never ending"},
        {"var n = 0; for (var i = 0; i <= 10000; i++) n++; n", "10001"},
        {"var n = 0; for (var i = 0; i <= 10001; i++) n++; n",
         "<error> test Line 1 Col 28 loop never ending"},
        {"var n = 0; do { n++; } while (true);", "<error> test Line 1 Col 31 loop never ending"},
        {"a: goto a;", "<error> test Line 1 Col 4 goto loop never ending"},
    });
}

TEST(InterpreterStatements, Foreach) {
    checkcases({
        {"var s = ''; foreach (var x in [1,2,3]) s = s + ',' + x; s", ",1,2,3"},
        {"var s = ''; foreach (var k in {b: 1, a: 2, c: 3}) s += k; s", "abc"},
        {"var arr1 = [1,2]; foreach (x in arr1) ;",
         "<error> test Line 1 Col 28 foreach variable not defined: x"},
        {"var arr1 = [1,2]; var x; foreach (x in arr1) ; x = 'end';", "end"},
        {"var v = [{a: 1}, {a: 2}]; foreach (var p in v) p.a = 5; v", "[{a: 5},{a: 5}]"},
        {"var n = 0; foreach (var x in 'text') n++; n", "0"},
        {"var v; v[10001] = 1; foreach (var x in v) ;",
         "<error> test Line 1 Col 22 foreach endless loop"},
        {"var s = 0; foreach (var x in [1,2,3,4]) { if (x == 2) continue; if (x == 4) break; s "
         "+= x; } s",
         "4"},
    });
}

TEST(InterpreterStatements, Switch) {
    checkcases({
        {"var x = 3; switch(x) { case 0: 10; break; case 1: 11; break; case 3: 13; break; "
         "default: 14; break; }",
         "13"},
        {"var x = 7; switch(x) { case 0: 10; break; case 1: 11; break; case 3: 13; break; "
         "default: 14; break; }",
         "14"},
        {"var x = 2; switch(x) { case 2: case 3: 13; }", "13"},
        {"switch('00005') { case 0..17: return 'ok'; } return 'error';", "ok"},
        {"switch('00000') { case 0: return 'ok'; } return 'error';", "ok"},
        {"switch('c') { case 'b'..'d': return 'in'; } return 'out';", "in"},
        {"switch('C') { case 'b'..'d': return 'in'; } return 'out';", "out"},
        {"var x = 9; switch(x) { case 1: 1; }", ""},
        {"var s = 0; for (var i = 0; i < 3; i++) { switch (i) { case 1: continue; } s += i; } s",
         "2"},
        {"var s = 0; for (var i = 0; i < 3; i++) { switch (i) { case 1: break; } s += i; } s", "3"},
    });
}

TEST(InterpreterStatements, Goto) {
    checkcases({
        {"var state = 'do(begin)';goto b;a:state += 'do(a)';goto end;b:state += 'do(b)';goto "
         "a;end:state += 'do(end)'; state",
         "do(begin)do(b)do(a)do(end)"},
        {"var x = 0; goto b; a: x += 1; goto end; b: x += 2; goto a; end: x", "3"},
        {"goto nowhere;", "<error> test Line 1 Col 1 goto label not found: nowhere"},
        {"goto inner; { inner: 1; }", "<error> test Line 1 Col 1 goto to label not allowed: inner"},
        {"a: 1; a: 2; goto a;",
         "<error> test Line 1 Col 13 label is defined twice in same scope: a"},
        {"var n = 0; { n++; if (n < 3) goto again; } again: n", "1"},
        {"try { goto out; } catch (var e) { } out: 1",
         "<error> test Line 1 Col 7 goto to label not allowed: out"},
    });
}

TEST(InterpreterStatements, TryCatchAndExceptionStructure) {
    checkcases({
        {"var a = [];  var e = 'nothing'; try{ a[-1];  e = 'normal'; } catch(e) {  }; e;",
         "test Line 1 Col 40 vector index must be a positive number"},
        {"var a = []; var e = 'nothing'; try{ a[-1]; e = 'normal'; }; e;", "nothing"},
        {"try { 3/0; } catch (var e) { e.what }", "division by 0"},
        {"try { 3/0; } catch (var e) { e.linenr + ',' + e.columnnr }", "1,9"},
        {"try { 3/0; } catch (var e) { e.pos + '|' + e.filename }", "test Line 1 Col 9|test"},
        {"try { 3/0; } catch (var e) { (structure)e }",
         "{columnnr: 9, filename: 'test', info: 'test Line 1 Col 9 division by 0', linenr: 1, "
         "pos: 'test Line 1 Col 9', what: 'division by 0'}"},
        {"try { 3/0; } catch (var e) { e.other }",
         "<error> test Line 1 Col 30 exception has no structure member other"},
        {"try { 3/0; } catch (var e) { var f = e; f.what }", "division by 0"},
        {"try { 3/0; } catch (missing) { }",
         "<error> test Line 1 Col 1 variable missing is not defined"},
        {"try { 3/0; } catch (var e) { 4/0; }", "<error> test Line 1 Col 32 division by 0"},
        {"var x = 0; try { for (var i = 0; ; i++) x++; } catch (var e) { e.what + x }",
         "loop never ending10001"},
        {"var x = 0; try { { var inner = 1; 3/0; } } catch (var e) {} var inner = 2; inner", "2"},
    });
}

TEST(InterpreterStatements, UnresolvedCalls) {
    checkcases({
        {"f(1)", "<error> test Line 1 Col 1 function f(a) not existing"},
        {"mid(1)", "<error> test Line 1 Col 1 function mid(a) not existing maybe you mean: "
                   "mid(a,b),mid(a,b,c),min(a),min(a,b,...)"},
    });
}

} // namespace
} // namespace vornscriptunittests

// Script-level rows for the collection, sort, grep, byte-buffer and JSON
// functions: script text and the result text the -script run prints, or
// "<error> " and the full error text.
#include "tests/scripttesthelper.h"

namespace vornscriptunittests {

namespace {

// The structure most rows work on.
#define PERSON "var s = {name: 'Dorvash', day: 13, month: 5, year: 1967, color: 'blue'}; "

} // namespace

TEST(CollectionScripts, PushPopShiftInsertClear) {
    checkcases({
        {"var e; var a = push(e, 'ja'); pop(e); a + '|' + e", "1|[]"},
        {"var x = 13; var e; pushreference(e, x); e.pop() = 14; x;", "14"},
        {"var x = 13; var e = []; push(e, x); e[0] = 14; x;", "13"},
        {"var v = [1]; var e; push(e, v); push(v, 2); e", "[[1]]"},
        {"var j; var e = ['a']; j =& e.pop(); j = 'b'; j + e", "b[]"},
        {"var e = [ 1 .. 5 ]; var first = e.shift(); e + '/' + first", "[2,3,4,5]/1"},
        {"var e = []; var x = e.shift(); '[' + x + ']'", "[]"},
        {"var e = [1,2,3]; unshift(e, 4); e", "[4,1,2,3]"},
        {"var e = [1,2,3]; insert(e, 2, 4); e", "[1,2,4,3]"},
        {"var e = [1,2,3]; var s = insert(e, 5, 4); e", "[1,2,3,,,4]"},
        {"var arr; push(arr, 'x'); push(arr, 'y'); var p1 = pop(arr); var p2 = pop(arr); "
         "var p3 = pop(arr); p1 + '+' + p2 + '+' + p3",
         "y+x+"},
        {"var arr = ['x','y']; clear(arr); arr", "[]"},
        {"var t = 'abc'; clear(t); '[' + t + ']'", "[]"},
        {"var t = {a: 1}; clear(t); t", "{}"},
        {"push('text', 1)", "<error> test Line 1 Col 1 function push requires a vector"},
        {"var n = 1; pop(n)", "<error> test Line 1 Col 12 function pop requires a vector"},
        {"insert([1], -1, 2)",
         "<error> test Line 1 Col 1 function insert requires a positive index number"},
        {"clear([1,2])", "<error> test Line 1 Col 1 function clear requires a variable"},
    });
}

TEST(CollectionScripts, KeysAndValues) {
    checkcases({
        {"containsvalue('day: 13; month: 5; year: 1967;', '1967')", "1"},
        {"containskey({ day: 13, month: 5, year: 1967 }, 'xxx')", "0"},
        {"containskey({ day: 13, month: 5, year: 1967 }, 'day')", "1"},
        {"containskey([7, 8], 1) + '|' + containskey([7, 8], 2)", "1|0"},
        {"containsvalue([1, '2', 3], 2) + '|' + containsvalue([1, 2], 'x')", "1|0"},
        {"var e; containskey(e, 'a')", "<error> test Line 1 Col 8 structure or vector expected"},
        {PERSON "var r = removekey(s, 'day'); r + '|' + removekey(s, 'day') + s",
         "1|0{color: 'blue', month: 5, name: 'Dorvash', year: 1967}"},
        {"var e = [1, 2, 1, 3]; var r = removevalue(e, 1); r + '' + e", "1[2,3]"},
        {"var e = [1, 2]; removevalue(e, 5) + '|' + removekey(e, 2) + e", "0|0[1,2]"},
        {PERSON "collectionkeys(s)", "['color','day','month','name','year']"},
        {PERSON "collectionvalues(s)", "['blue',13,5,'Dorvash',1967]"},
        {"collectionkeys(['a', 'b'])", "[0,1]"},
        {"collectionkeys('abc')",
         "<error> test Line 1 Col 1 function collectionkeys requires a structure or vector "
         "variable"},
        {"collectionvalues(5)",
         "<error> test Line 1 Col 1 function collectionvalues requires a structure or vector "
         "variable"},
    });
}

// containskey read as a truth (conditions, !) answers without making a value
// once the call node knows its function, that is from the second pass of a
// loop on; its answers, argument handling and errors are those of the call.
TEST(CollectionScripts, ContainsKeyAsConditionMatchesItsValue) {
    checkcases({
        {"var s = {a: 1, '2': 0}; var v = [5, 6]; var t = ''; for (var i = 0; i < 3; i++) { "
         "t += (containskey(s, 'a') ? 'a' : '-') + (!containskey(s, i) ? 'n' : 'y') + "
         "(containskey(v, i) ? 'v' : '-') + containskey(s, 'a') + ' '; } t",
         "anv1 anv1 ay-1 "},
        // Post-operations of the arguments run before the call.
        {"var v = [1, 2]; var i = 0; var n = 0; while (containskey(v, i++)) n++; n + '|' + i",
         "2|3"},
        {"var s = {}; var u; var n = 0; for (var i = 0; i < 2; i++) if (!containskey(s, u)) n++; n",
         "2"},
        // A failing call on a later pass reports as on the first.
        {"var c = {}; for (var i = 0; i < 3; i++) { if (containskey(c, 'a')) break; if (i) c = 5; "
         "}",
         "<error> test Line 1 Col 47 structure or vector expected"},
        {"var c = {}; for (var i = 0; i < 3; i++) { if (!containskey(c, 'a')) c = 'x'; }",
         "<error> test Line 1 Col 48 structure or vector expected"},
        // A script function of that name answers instead.
        {"function containskey(a, b) { return 0; } var n = 0; "
         "for (var i = 0; i < 2; i++) if (!containskey({a: 1}, 'a')) n++; n",
         "2"},
    });
}

TEST(CollectionScripts, StructureMemberStore) {
    checkcases({
        // A reference to a member survives members added after it.
        {"var s = {}; s.a = 1; var r =& s.a; s.b = 1; s.c = 2; r = 5; s.a", "5"},
        // Names stay in byte order whatever order they come in.
        {"var s = {}; s.b = 2; s{'B'} = 3; s.a = 1; s{'a0'} = 4; s", "{B: 3, a: 1, a0: 4, b: 2}"},
        // The counting pattern: test, create, update the same key in turn.
        {"var c = {}; foreach (var k in ['x', 'y', 'x']) { if (!containskey(c, k)) c{k} = 0; "
         "c{k} += 1; } c",
         "{x: 2, y: 1}"},
        // A removed member read again is a new, undefined one.
        {"var s = {a: 1, b: 2}; s.a; removekey(s, 'a'); containskey(s, 'a') + '|' + s.a + '|' + s",
         "0||{a: , b: 2}"},
    });
}

TEST(CollectionScripts, SortOrders) {
    checkcases({
        {PERSON "sort(collectionvalues(s))", "[5,13,1967,'Dorvash','blue']"},
        {PERSON "sortalphabetic(collectionvalues(s))", "[13,1967,5,'Dorvash','blue']"},
        {PERSON "sortnumeric(collectionvalues(s))", "[5,13,1967,'blue','Dorvash']"},
        {PERSON "sortignorecase(collectionvalues(s))", "[13,1967,5,'blue','Dorvash']"},
        {PERSON "inversesort(collectionvalues(s))", "['blue','Dorvash',1967,13,5]"},
        {PERSON "inversesortalphabetic(collectionvalues(s))", "['blue','Dorvash',5,1967,13]"},
        {PERSON "inversesortnumeric(collectionvalues(s))", "['Dorvash','blue',1967,13,5]"},
        {PERSON "inversesortignorecase(collectionvalues(s))", "['Dorvash','blue',5,1967,13]"},
        {"sort([100,20,3])", "[3,20,100]"},
        {"sortalphabetic([100,20,3])", "[100,20,3]"},
        {"inversesortalphabetic([100,20,3])", "[3,20,100]"},
        {"sort(['2.5', -1, '10', '1e-3'])", "[-1,2.5,10,'1e-3']"},
        // Computed numbers compare natively, and by text once a text is among them.
        {"sort([3 * 1.5, 10 / 4, 7 - 9, 2.0 * 2, 1000000 * 1000000, 0.1 + 0.2])",
         "[-2,0.300000,2.500000,4,4.500000,1000000000000]"},
        {"sort([3 * 1.5, 'x', 7 - 9, 2.0 * 2])", "[-2,4,4.500000,'x']"},
        {"sortalphabetic([3 * 1.5, 10 / 4, 7 - 9])", "[-2,2.500000,4.500000]"},
        {"var list; sort(list)", "[]"},
        {"sort([])", "[]"},
        {"var e = [3, 1, 2]; var s = sort(e); e + s", "[3,1,2][1,2,3]"},
        {"sort('abc')",
         "<error> test Line 1 Col 1 function sortvector requires an vector variable"},
        {"sort([2, 1], 'missingcomparefunc')",
         "<error> test Line 1 Col 1 compare function missingcomparefunc($$) not found"},
    });
}

// A script compare function is found once and called directly; every other
// callee, and every failure, keeps the messages of a call by name.
TEST(CollectionScripts, SortCompareFunctions) {
    checkcases({
        {"function bad(a, b) { return 'x'; } sort([2, 1], 'bad')",
         "<error> test Line 1 Col 36 compare function bad($$) must return true if a < b"},
        {"function boom(a, b) { return a < nothing; } sort([2, 1], 'boom')",
         "<error> test Line 1 Col 34 variable not defined: nothing"},
        {"function one(a) { return true; } sort([2, 1], 'one')",
         "<error> test Line 1 Col 34 compare function one($$) not found"},
        {"function deep(a, b) { return sort([a, b], 'deep')[0] == a; } sort([2, 1], 'deep')",
         "<error> test Line 1 Col 30 too many recursive calls: deep"},
        // A system function answers when no script function does.
        {"sort([2, 1], 'strcmp')", "[1,2]"},
        // Further arguments, variable arguments and a global name.
        {"function bylimit(a, b, limit, ...) { return a % limit < b % limit; } "
         "sort([13, 21, 5], 'bylimit', 10, 'x')",
         "[21,13,5]"},
        {"function plain(a, b) { return a < b; } inversesort([13, 21, 5], '::plain')", "[21,13,5]"},
        // A function defined while sorting renews the lookup; a nested sort
        // keeps its own argument list.
        {"var calls = 0; function redef(a, b) { if (++calls == 3) "
         "eval('function helper(x) { return x; }'); return a < b; } "
         "sort([5, 3, 9, 1, 7, 2, 8], 'redef') + (calls >= 6)",
         "[1,2,3,5,7,8,9]1"},
        {"function plain(a, b) { return a < b; } "
         "function outer(a, b) { return sort([b, a], 'plain')[0] == a; } "
         "sort([3, 1, 2], 'outer')",
         "[1,2,3]"},
        // By-value parameters are copies: changing one leaves the elements.
        {"function change(a, b) { a = 0; return b > 2; } var v = [1, 3]; sort(v, 'change') + v",
         "[1,3][1,3]"},
    });
}

TEST(CollectionScripts, Grep) {
    checkcases({
        {PERSON "grepkeys(s, '=~', 'o')", "{color: 'blue', month: 5}"},
        {PERSON "grepvalues(s, '>=', 10, '<=', 10000)", "{day: 13, year: 1967}"},
        {PERSON "grepvalues(s, 'in', '13,blue')", "{color: 'blue', day: 13}"},
        {PERSON "grepvalues(s, '!in', '13; blue')", "{month: 5, name: 'Dorvash', year: 1967}"},
        {"grepvalues([1,2,3,4,5,6], 'in', '2-4')", "[2,3,4]"},
        {"grepvalues([1,2,3,4,5,6], 'in', '3;3;3')", "[3]"},
        {"grepvalues([1,2,3,4,5,6,10], '=~', '[16789]+')", "[1,6,10]"},
        {"grepvalues([1,2,3,4,5,6,10], '!~', '[16789]+')", "[2,3,4,5]"},
        {"grepvalues([1,2,3,4,5,6,10], '<', 2)", "[1]"},
        {"grepvalues([1,2,3,4,5,6,10], '>=', 6)", "[6,10]"},
        {"grepvalues([1,2,3,4,5,6,10], '>', 3, '<', 5)", "[4]"},
        {"grepvalues([1,2,3,10], '', 10, '==', '10.0')", "[10]"},
        {"grepvalues([1,2,3,4], '<>', 1, '!', 2, '!=', 3)", "[4]"},
        {"grepvalues([1,2,3,10], '~', '^1')", "[1,10]"},
        {"grepvalues([1,2], 'like', 1)", "<error> test Line 1 Col 1 invalid compare operator"},
        {"grepvalues([1,2], '=~', '(')", "<error> test Line 1 Col 1 regular expression error"},
        {"grepkeys([1], '=', 1)",
         "<error> test Line 1 Col 1 grepkeys(structure,operator,value,...) requires a structure "
         "object as first parameter"},
        {PERSON "grepkeys(s, '=', 1, '<')",
         "<error> test Line 1 Col 74 grepkeys(structure,operator,value,...) requires pairs of "
         "operator names and values"},
        {"grepvalues('a', '=', 1)",
         "<error> test Line 1 Col 1 grepvalues(collection,operator,value,...) requires a "
         "structure or vector object as first parameter"},
        {"grepvalues([1], '=', 1, '<')",
         "<error> test Line 1 Col 1 grepvalues(collection,operator,value,...) requires pairs of "
         "operator names and values"},
    });
}

TEST(CollectionScripts, ByteBuffers) {
    checkcases({
        {"var b = 'ABCD'; buffergetbyte(b, 1)", "66"},
        {"var b = 'ABCD'; buffersetbyte(b, 0, 97); bufferfillbytes(b, 2, 2, 122); b", "aBzz"},
        {"var b = 'ABCD'; buffersetbyte(b, 3, 255); buffergetbyte(b, 3)", "255"},
        {"buffergetbyte('ABCD', 1)",
         "<error> test Line 1 Col 1 buffergetbyte(&buffer,pos) requires a reference to a string "
         "buffer as first argument"},
        {"var b = 'AB'; buffergetbyte(b, 2)",
         "<error> test Line 1 Col 15 invalid pos argument in buffergetbyte(&buffer,pos)"},
        {"var b = [1]; buffersetbyte(b, 0, 1)",
         "<error> test Line 1 Col 14 buffersetbyte(&buffer,pos,value) requires a reference to a "
         "string buffer as first argument"},
        {"var b = 'AB'; buffersetbyte(b, -1, 1)",
         "<error> test Line 1 Col 15 invalid pos argument in buffersetbyte(&buffer,pos,value)"},
        {"var b = 'AB'; buffersetbyte(b, 0, 256)",
         "<error> test Line 1 Col 15 invalid value argument in buffersetbyte(&buffer,pos,value) "
         "should be 0-255"},
        {"bufferfillbytes('AB', 0, 1, 1)",
         "<error> test Line 1 Col 1 bufferfillbytes(&buffer,pos,len,value) requires a reference "
         "to a string buffer as first argument"},
        {"var b = 'AB'; bufferfillbytes(b, 3, 0, 1)",
         "<error> test Line 1 Col 15 invalid pos argument in "
         "bufferfillbytes(&buffer,pos,len,value)"},
        {"var b = 'AB'; bufferfillbytes(b, 1, 2, 1)",
         "<error> test Line 1 Col 15 invalid len value argument in "
         "bufferfillbytes(&buffer,pos,len,value) "},
        {"var b = 'AB'; bufferfillbytes(b, 0, 1, 'x')",
         "<error> test Line 1 Col 15 invalid value argument in "
         "bufferfillbytes(&buffer,pos,len,value) should be 0-255"},
    });
}

TEST(CollectionScripts, Json) {
    checkcases({
        {"parsejson('{\"b\": 1, \"a\": [1, 2]}')", "{a: [1,2], b: 1}"},
        {"createjson(parsejson('{\"b\": 1, \"a\": [1, 2]}'))",
         "{\n    \"a\": [\n        1,\n        2\n    ]\n,\n    \"b\": 1\n}\n"},
        {"parsejson('[[1, 2], [\"x\"]]')", "[[1,2],['x']]"},
        {"parsejson('{\"a\" 1}')", "<error> test Line 1 Col 1 expected : "},
        {"parsejson('[1, 2')", "<error> test Line 1 Col 1 expected ]"},
        {"parsejson('tru')", "<error> test Line 1 Col 1 invalid identifier tru"},
        {"parsejson('[1;2]')", "<error> test Line 1 Col 1 unknown character found: ;"},
        {"createjson({m: -5, n: 3.5, o: 'abc', p: 12})",
         "{\n    \"m\": \"-5\",\n    \"n\": \"3.5\",\n    \"o\": \"abc\",\n    \"p\": 12\n}\n"},
        {"createjson({a: {b: 1}, c: 2})",
         "{\n    \"a\": {\n        \"b\": 1\n    }\n,\n    \"c\": 2\n}\n"},
        {"createjson(['a\\nb'])", "[\n    \"a\\nb\"\n]\n"},
        // A repeated key keeps its last value; empty containers and holes.
        {"parsejson('{\"k\": 1 \"k\": 2, \"j\": {}}')", "{j: {}, k: 2}"},
        {"createjson([[], {}, null, 7])",
         "[\n    [\n    ]\n,\n    {\n    }\n,\n    \"\",\n    7\n]\n"},
        {"createjson(5) + '|' + createjson('a b') + '|' + createjson(null)", "5|\"a b\"|\"\""},
        {"parsejson(' 42 ')", "42"},
    });
}

#undef PERSON

} // namespace vornscriptunittests

// Expression evaluation: operators and numbers, comparisons, assignment and
// references, member and element access, collection literals, increments.
#include "scripttesthelper.h"

namespace vornscriptunittests {
namespace {

TEST(InterpreterExpressions, OperatorsAndNumbers) {
    checkcases({
        {"3+4*5", "23"},
        {"(3+4)*5", "35"},
        {"30/3/2/1", "5"},
        {"39/13", "3"},
        {"3/13", "0.230769"},
        {"3/0", "<error> test Line 1 Col 3 division by 0"},
        {"3/0.0", "<error> test Line 1 Col 3 division by 0"},
        {"13 % 4", "1"},
        {"-13 % 4", "3"},
        {"13 % -4", "-3"},
        {"-13 % -4", "-1"},
        {"3.5 % 2", "<error> test Line 1 Col 1 operator % requires integer numbers"},
        {"3.5 & 2", "<error> test Line 1 Col 1 operation requires integer numbers"},
        {"3.5+4.5", "8"},
        {"3+4.5", "7.500000"},
        {"20.00 + 0", "20"},
        {"0.00", "0.00"},
        {"9223372036854775807 + 1", "9223372036854775808.000000"},
        {"9223372036854775807 * 2", "18446744073709551616.000000"},
        {"0x3F & 0x10", "16"},
        {"0x1F | 0x20", "63"},
        {"0x20 ^ 0x11", "49"},
        {"~0x11 & 0xffff", "65518"},
        {"0x20 << 2", "128"},
        {"0x8f >> 2", "35"},
        // Shift counts outside 0 to 63, and the edges inside.
        {"1 << 63", "-9223372036854775808"},
        {"1 << 64", "0"},
        {"5 << -1", "0"},
        {"-8 >> 1", "-4"},
        {"8 >> 70", "0"},
        {"-8 >> 70", "-1"},
        {"0 % 5", "0"},
        {"-9223372036854775807 % 10", "3"},
        {"- 0", "0"},
        {"-0.0000", "0"},
        // Negating a plain decimal keeps its written digits; computed
        // doubles keep six decimals.
        {"-3.1415", "-3.1415"},
        {"- -3.10", "3.10"},
        {"var x = 3.25; -x", "-3.25"},
        {"-(3+4.5)", "-7.500000"},
        {"-3.1415 == -3.141500", "1"},
        {"var u; -u", "<error> test Line 1 Col 8 number required"},
        {"-'abc'", "<error> test Line 1 Col 1 number required"},
        {"!0", "1"},
        {"!'yes'", "0"},
        {"var u; u+3", "3"},
        {"var u; 3.5+u", "3.5"},
        {"var a; 'abc'+a", "abc"},
        {"var u; u*3", "<error> test Line 1 Col 8 value is undefined"},
        {"(string)1 + (string)2+(string)3", "123"},
        {"((string)'0') + '1' + '2'", "012"},
        {"'3' + 4", "7"},
        {"(double)3.1415", "3.141500"},
        {"(double)0.00", "0"},
        {"(int)3.1415", "3"},
        {"(int)-3.1415", "-3"},
        {"(int)1e3", "1000"},
        {"(structure)[1,2]", "{0: 1, 1: 2}"},
        {"(vector){ 1: 'b', 0: 'a' }", "['a','b']"},
        {"pi", "3.141593"},
        {"FILE_ATTRIBUTE_DIRECTORY + FILE_ATTRIBUTE_VIRTUAL", "65552"},
        {"true ? false ? 1 : 2 : 3", "2"},
        {"false ? 3+2+3 : 1-2-3", "-4"},
    });
}

TEST(InterpreterExpressions, Comparisons) {
    checkcases({
        {"3.10000 == 3.1 + 0.00", "1"},
        {" 0003 != -03", "1"},
        {"'3' == 3", "1"},
        {"3.5 == 3.50", "1"},
        {"1.2 == ' 1.2 '", "1"},
        {"null == null", "1"},
        {"var u; u == null", "1"},
        {"var u; u == 0", "0"},
        {"var u; u != 0", "1"},
        {"var u; u < 0", "<error> test Line 1 Col 8 value is undefined"},
        {"'a' < 'b'", "1"},
        {"'ab' <= 'abc'", "1"},
        {"'ba' >= 'b'", "1"},
        {"3 < (string)[3,4,5]", "1"},
        {"3.14 == 'STRING'", "0"},
        {"101 >= 'a'", "0"},
        {"[3,4,5] == [3,4,5]", "1"},
        {"({a: 1, b: 2}) == {b: 2, a: 1}", "1"},
        {"[3,4,5] >= [3,4,5]", "<error> test Line 1 Col 1 numbers or casted strings expected"},
        {"3 < [3,4,5]", "<error> test Line 1 Col 1 numbers or casted strings expected"},
        {"(string)[3,4,5] >= (string)[3,4,5]", "1"},
        {"\"hello\" =~ \"h.*llo\"", "1"},
        {"\"hello\" !~ \"h[aEiou]llo\"", "1"},
        {"'hello' in ' hello  ,  world'", "1"},
        {"'x' in ' hello  ,  world'", "0"},
        {"var r = ''; for (var i = 1; i <= 5; i++) if (i in ' 3 - 4  ') r = r + ',' + i; r",
         ",3,4"},
        {"2 in [1, 2, 3]", "1"},
        {"'b' in {a: 1, b: 2}", "1"},
        {"'c' in {a: 1, b: 2}", "0"},
        {"var x = 0; x || 1", "1"},
        {"var x = 0; x && y", "0"},
        {"var x = '1'; x || y", "1"},
        {"var x = '1'; x && y", "<error> test Line 1 Col 19 variable not defined: y"},
    });
}

TEST(InterpreterExpressions, AssignmentAndReferences) {
    checkcases({
        {"var a,b,c; a = b = c = 'hello world'; a+b+c;", "hello worldhello worldhello world"},
        {"var x = 0; x |= 0x10; x |= 0x2F", "63"},
        {"var a; a +=  'abc'; a+= 'abc';a", "abcabc"},
        {"var x = 10; x -= 3; x *= 4; x /= 7; x %= 3; x <<= 4; x >>= 1; x ^= 3", "11"},
        {"var x; var y; x=&y; x=3; y;", "3"},
        {"var x = [ 1,2,3,4,5]; var y; y=x; y[2] = 17; x[2]+','+y[2];", "3,17"},
        {"var x = {a: 1}; var y; y=x; y.a = 2; x.a+','+y.a;", "1,2"},
        {"var x = 13; var v; v['a'] =& x; v['a'] = 10; x", "10"},
        {"var x; { var inner = 5; x =& inner; } x = 6; x", "6"},
        {"var x = 1; ++x--", "<error> test Line 1 Col 12 variable expected on left side"},
        {"var a = [1]; foreach (var x in a) x = 'nonsense';",
         "<error> test Line 1 Col 35 const object must not be changed"},
    });
}

TEST(InterpreterExpressions, MembersElementsAndCollections) {
    checkcases({
        {"var date; date{'year'}=2019;date{'month'}=5;date{'day'}=13;date;",
         "{day: 13, month: 5, year: 2019}"},
        {"var date; date.year=2019; date", "{year: 2019}"},
        {"var x = {a: 1}; x.weekday; x", "{a: 1, weekday: }"},
        {"var s = 'text'; s.a = 1", "<error> test Line 1 Col 17 structure variable expected"},
        {"var arr; arr[0] = 13; arr", "[13]"},
        {"var structure; structure['three'] = 2020;structure[3] = 2019; structure",
         "{3: 2019, three: 2020}"},
        {"var a = [ 1,2,3,4 ];  a[6]; a", "[1,2,3,4,,,]"},
        {"var a = [ 1,2,3,4 ];  a[6]", ""},
        {"var arr; arr[3]=2019;++arr[3];", "2020"},
        {"var a = []; a[-1]", "<error> test Line 1 Col 15 vector index must be a positive number"},
        {"var a = []; a['x'] = 1; a", "<error> test Line 1 Col 13 integer value expected"},
        {"[ 'a', 'b', 'c', -3 .. 1+2, 'd' ]", "['a','b','c',-3,-2,-1,0,1,2,3,'d']"},
        {"['a'..'h']", "['a','b','c','d','e','f','g','h']"},
        {"[[1,2,3,4][1]..5]", "[2,3,4,5]"},
        {"var from = 1; [from..3]",
         "<error> test Line 1 Col 23 invalid syntax: constant number expression expected in "
         "number range"},
        {"var x = [1,'a b','\\''];  x", "[1,'a b','\\'']"},
        {"var s = { b: 'z', a: 13 }; s", "{a: 13, b: 'z'}"},
        {"var i = 0; [i++, i++, i]", "[0,1,2]"},
    });
}

// Operators over literals and variables are computed natively; a variable
// without a number, a result that is not finite or a missing variable makes
// the expression take the value-based operators with the same outcome.
// A computed number assigned to a variable is stored in place when the
// variable holds a plain text value; every other holder takes the general store.
TEST(InterpreterExpressions, ComputedNumbersStoredIntoAnyHolder) {
    checkcases({
        {"var v = [1]; v = 2 * 3; v += 1; gettype(v) + ' ' + v", "long 7"},
        {"var s = {a: 1}; for (var i = 0; i < 2; i++) s = i + 1; gettype(s) + ' ' + s", "long 2"},
        {"var d = 1; d = d / 4; var e = 5; e = e * 0.5; gettype(d) + ' ' + d + ' ' + e",
         "double 0.250000 2.500000"},
        {"var t = 'abc'; t = 2 + 3; t += 'x'; var u; u = 4 * 2; gettype(t) + ' ' + t + ' ' + u",
         "string 5x 8"},
        {"var m = 9223372036854775807; m = m + 1; gettype(m)", "double"},
        {"var s = {}; s.a = 'q'; s.a = 2 * 4; s.a += 1; s", "{a: 9}"},
        {"var r = 1; var q =& r; q = 3 * 3; r", "9"},
    });
}

TEST(InterpreterExpressions, NativeOperatorSubtrees) {
    checkcases({
        {"var x = 'abc'; var r = ''; for (var i = 0; i < 2; i++) { r += x + i * 2 + ','; "
         "x = i; } r",
         "abc0,2,"},
        {"var s = 2; s + (s = 5)", "10"},
        {"var d = 1.50; [d + 1, d * 2, (d + 0) == 1.5]", "[2.500000,3,1]"},
        {"var t = '12'; [t * 2, t + 2, t < 3]", "[24,14,0]"},
        {"var u; u * 3 + 1", "<error> test Line 1 Col 8 value is undefined"},
        {"var a = 1e308; (a * 10) - 1", "<error> test Line 1 Col 16 double value expected"},
        {"var z = 0; 2 * (1 + 5 % z)", "<error> test Line 1 Col 25 division by 0"},
        {"pi * 2 + 1", "7.283186"},
        {"nosuch * 2 + 1", "<error> test Line 1 Col 1 variable not defined: nosuch"},
        {"var m = 9223372036854775807; m * 2 - 1", "18446744073709551616.000000"},
        // Remainders and right shifts of variables: the inline cases and the
        // signs, widths and divisors they leave to the general operation.
        {"var a = -13; var b = 4; [a % b, 13 % -b, 12 % b, 0 % b, 13 % 1, a % -1]",
         "[3,-3,0,0,0,0]"},
        {"var a = -13; var m = 9223372036854775807; [a >> 1, m >> 62, 13 >> 64, a >> 70, 13 >> -1]",
         "[-7,1,0,-1,0]"},
        {"var a = 7; var z = 0; a % z", "<error> test Line 1 Col 27 division by 0"},
        // Double + - * inline: whole results become whole numbers.
        {"var h = 0.25; [h + h, h * 4, h - 1.25, 0.1 * 3, 0.000001 * 0.5, -0.000001 * 0.5]",
         "[0.500000,1,-1,0.300000,0.000000,-0.000000]"},
    });
}

// An operator over variables and whole-number literals (n - 1, i < end)
// reads computed whole numbers directly; any other content, and the
// operators' overflow, division and undefined cases, must come out as the
// general path gives them.
TEST(InterpreterExpressions, OperatorsOverWholeLeaves) {
    checkcases({
        {"var a = 5; var b = 3; var t = '2'; var d = 0.5; "
         "[a - b, a < b, a % b, a == b, 7 - a, a * t, t < a, a + d, b / a, a - a]",
         "[2,0,2,0,2,10,1,5.500000,0.600000,0]"},
        {"var z = 0; var a = 1; a % z", "<error> test Line 1 Col 27 division by 0"},
        {"var z = 4; [z % 3, z == 4, z != 4, z <= 4, z >= 5, z > 3, z << 2, z >> 1, z & 1, "
         "z | 1, z ^ 1, z * -2]",
         "[1,1,0,1,0,1,16,2,0,5,5,-8]"},
        {"var s = '5'; var t = 'ab'; var d = 2.5; [s - 1, s < 9, t + 1, d * 2, d < 3]",
         "[4,1,'ab1',5,1]"},
        {"var q = -7; [q % 3, q / 2, q - 1, q < 0]", "[2,-3.500000,-8,1]"},
        {"var m = 9223372036854775807; [m + 1, m * 2, 0 - m - 2]",
         "[9223372036854775808.000000,18446744073709551616.000000,-9223372036854775808]"},
        {"var x = 1; var r = ''; for (var i = 0; i < 3; i++) { r += (x - 1) + ','; "
         "x = i == 0 ? '7' : 2.5; } r",
         "0,6,1.500000,"},
        {"var z = 4; z / 0", "<error> test Line 1 Col 16 division by 0"},
        {"var z = 4; z % 0", "<error> test Line 1 Col 16 division by 0"},
        {"var u; u - 1", "<error> test Line 1 Col 8 value is undefined"},
    });
}

// text += text appends to the variable's own text: the result must be what
// assigning the joined text gives, for every kind of left and right side.
TEST(InterpreterExpressions, AppendingToTexts) {
    checkcases({
        {"var s = 'ab'; var t = s; s += 'c'; s + ' ' + t", "abc ab"},
        {"var s = 'ab'; var r =& s; r += 'c'; s", "abc"},
        {"var s = 'ab'; s += s; s += s; s", "abababab"},
        {"var s = 5; s += 'x'; s", "5x"},
        {"var s = 1.5 * 1; s += 'x'; s", "1.500000x"},
        {"var s = '5'; s += 1; s", "6"},
        {"var s = '1'; s += '.5'; s + 1", "2.500000"},
        {"var s = 'x'; s += [1, 2]; s += 2.5; s", "x[1,2]2.5"},
        {"var u; var s = 'a'; s += u; s", "a"},
        {"var s = 'a'; s += 1 + 2; s", "a3"},
        {"var s = (string)'1'; s += '2'; s += 3; gettype(s) + ' ' + s", "string 123"},
        {"var s = 'a'; s += (string)'2'; gettype(s) + ' ' + s", "string a2"},
        {"var s = 'ab'; s += 'c'; s == 'abc'", "1"},
        {"var v = ['a']; v[0] += 'b'; var st = {k: 'a'}; st.k += 'b'; v + st", "['ab']{k: 'ab'}"},
        {"var a = ['p']; foreach (var x in a) x += 'q';",
         "<error> test Line 1 Col 37 const object must not be changed"},
    });
}

// A join whose left side is a text an inner + just made extends that text
// in place; variables, members, returned globals and literals on the left
// are copied and stay as they were, and the type rules of + still hold.
TEST(InterpreterExpressions, JoiningTemporaryTexts) {
    checkcases({
        {"var a = 't'; var k = a + '_' + 1; [k, a]", "['t_1','t']"},
        {"var s = 'a'; var r = (s + 'b') + (s + 'c'); [r, s]", "['abac','a']"},
        {"var g = 'ab'; function h() { return g; } function f() { var x = 'ab'; return x; } "
         "[f() + 'c' + 'd', h() + 'c' + 'd', g]",
         "['abcd','abcd','ab']"},
        {"var z = (string)'0' + '1' + 2; gettype(z) + ' ' + z", "string 012"},
        {"var z = '0' + (string)'1' + 2; gettype(z) + ' ' + z", "string 012"},
        // A joined text that reads as a number adds as one.
        {"['1' + '' + 2, '1' + '.5' + 1]", "[3,2.500000]"},
        {"var u; [u + 'a' + 'b', [1] + 'a' + 'b', 1.5 * 1 + 'a' + 'b']",
         "['ab','[1]ab','1.500000ab']"},
        {"var c = {}; var t = 't'; for (var r = 0; r < 3; r++) { var k = t + '_' + r % 2; "
         "if (!containskey(c, k)) c{k} = 0; c{k} += r + 1; } c",
         "{t_0: 4, t_1: 2}"},
    });
}

// Members and elements as collections, targets and operands, evaluated
// without the dispatch: results, aliasing and the places errors name.
TEST(InterpreterExpressions, NestedMembersAndElements) {
    checkcases({
        {"var s = {a: [1, 2]}; s.a[1] += 5; s.a[1] += s.a[1]; s", "{a: [1,14]}"},
        {"var s = {k: 2}; s{'k'} += s{'k'}; s{'k' + ''} *= s{'k'}; s", "{k: 16}"},
        {"var v = [[1, 2], [3]]; var i = 1; v[i - 1][i] + v[i][0] * 2", "8"},
        {"var v = [{n: 1}]; v[0].m += 1; v[0].n -= v[0].m; v", "[{m: 1, n: 0}]"},
        {"var s = {}; s.a.b = 3; s.c[2] = 1; s", "{a: {b: 3}, c: [,,1]}"},
        {"var v = [1]; v[0].x", "<error> test Line 1 Col 14 structure variable expected"},
        {"var v = []; v[-2].m",
         "<error> test Line 1 Col 15 vector index must be a positive number"},
        {"var v = [{n: 1}]; var i = 0; getdebuginfo(v[i].n) =~ 'NAME=v.0..n '", "1"},
        {"var s = {}; var n = 'k'; getdebuginfo(s{n + 1})",
         "OBJECT TYPE=undef L-VALUE NAME=s.k1 data=null"},
        // The loop variable is const, the members of the structure it holds are not.
        {"var a = [{p: 1}]; foreach (var x in a) x.p += 1; a", "[{p: 2}]"},
    });
}

// Element names come from the index's text, a computed whole number included.
TEST(InterpreterExpressions, ElementNamesFromComputedIndexes) {
    checkcases({
        {"var v = [1, 2, 3]; var i = 1; swap(v[i - 1], v[i + 1]); v", "[3,2,1]"},
        {"var v = [1, 2]; var i = 0; [isdefined(v[i + 1]), isdefined(v[i + 5])]", "[1,0]"},
        {"var v = [5, 6]; var i = 1; var r =& v[i * 1]; r = 9; v[i] += 1; v[i - 1]++; v", "[6,10]"},
        {"var s = {}; var i = 2; s[i * 2] = 'x'; s", "{4: 'x'}"},
    });
}

TEST(InterpreterExpressions, Increments) {
    checkcases({
        {"var x = 1;var y = x++ + x++ + 3;x + ',' + y;", "3,5"},
        {"var x = 9;var y = x-- + x--;x + ',' + y;", "7,18"},
        {"var x = 1;var y = ++x + ++x + 3;x + ',' + y;", "3,9"},
        {"var x = 9;var y = (++x)--;x +','+y", "9,10"},
        {"var a; a++; a;", "1"},
        {"var a; a--; a;", "-1"},
        {"var a = 13.5; a++; a", "14.500000"},
        {"var n = 10; var v1 = n++, v2=n++,v3=n++; n+'|'+v1+'|'+v2+'|'+v3;", "13|10|10|10"},
        {"var n = 10; var v1 = ++n, v2=++n,v3=++n; n+'|'+v1+'|'+v2+'|'+v3;", "13|11|12|13"},
        {"var x = 9223372036854775807; x++; x", "9223372036854775808.000000"},
    });
}

// The step of a for loop carries out its ++ or -- at once when nothing else
// is pending; what the loop shows must stay as with the deferred operation.
TEST(InterpreterExpressions, ForLoopSteps) {
    checkcases({
        {"var s = ''; for (var i = 0; i < 3; i++) s += 'i' + i; s", "i0i1i2"},
        {"var a = [0, 0, 0]; var i = 0; for (var k = 0; k < 3; a[i++]++) k++; a + '|' + i",
         "[1,1,1]|3"},
        {"var t = 'a'; for (var k = 0; k < 2; t++) k++; t", "a11"},
        {"var d = 1.5; for (var k = 0; k < 2; d++) k++; d", "3.500000"},
        {"var u; for (var k = 0; k < 2; u--) k++; u", "-2"},
        {"var s = {a: 1}; for (var k = 0; k < 3; s.a++) k++; s", "{a: 4}"},
        {"var m = 9223372036854775807; for (var k = 0; k < 1; m++) k++; m",
         "9223372036854775808.000000"},
        {"foreach (var x in [1, 2]) { for (var k = 0; k < 2; x++) k++; }",
         "<error> test Line 1 Col 52 const object must not be changed"},
        {"for (var k = 0; k < 2; zz++) k++;",
         "<error> test Line 1 Col 24 variable not defined: zz"},
    });
}

} // namespace
} // namespace vornscriptunittests

// Catalogue rows of the operators, casts, variables and user functions group:
// comparison, logic, arithmetic and bit operators, assignment forms, casts,
// variable definition and scopes, and user functions with value, reference
// and variable arguments. Kept as data: the row order is the catalogue's.
#include "selftests/catalogue.h"

namespace vornscriptunittests {
namespace {

const CatalogueRow rows[] = {
    // Equality: numbers compare numerically, texts bytewise, collections by text form.
    {"testeq1", "1", "3 == 3"},
    {"testeq2", "0", "3 == 4"},
    {"testeq3", "1", "3.10000 == 3.1 + 0.00"},
    {"testeq4", "1", " 0003 != -03"},
    {"testeq5", "1", "'3' == 3"},
    {"testeq6", "1", "3.5 == 3.50"},
    {"testeq7", "1", "1.2 == ' 1.2 '"},
    {"testeq8", "1", "'abc' == 'abc'"},
    {"testeq9", "0", "3.14 == 'STRING'"},
    {"testeq10", "1", "null == null"},
    {"testeq11", "1", "var u; u == null"},
    {"testeq12", "0", "var u; u == 0"},
    {"testeq13", "1", "[3,4,5] == [3,4,5]"},
    {"testeq14", "1", "var s = {a: 13, b: 'z'}; s == { b: 'z', a: 13 }"},
    {"testeq15", "1", "var a = 0.0; a == 0000.000000"},

    // Ordering: numbers or texts only.
    {"testless1", "1", "'a' < 'b'"},
    {"testless2", "1", "3 < 13"},
    {"testless3", "1", "3 < (string)[3,4,5]"},
    {"testless4", "<error> testless4 Line 1 Col 1 numbers or casted strings expected",
     "3 < [3,4,5]"},
    {"testgreatereq", "1", "5 >= 3"},
    {"testgreatereq2", "1", "3 >= 3"},
    {"testgreatereq3", "1", "'ba' >= 'b'"},
    {"testgreatereq4", "0", "101 >= 'a'"},
    {"testgreatereq5", "<error> testgreatereq5 Line 1 Col 1 numbers or casted strings expected",
     "[3,4,5] >= [3,4,5]"},
    {"testgreatereq6", "1", "(string)[3,4,5] >= (string)[3,4,5]"},
    {"testgreatereq7", "0", "2.5 >= 3"},
    {"testlesseq1", "1", "3 <= 4"},
    {"testlesseq2", "1", "4 <= 4"},
    {"testlesseq3", "0", "5 <= 4"},
    {"testlesseq4", "1", "'ab' <= 'abc'"},
    {"testlesseq5", "0", "'abc' <= 'ab'"},
    {"testlesseq6", "1", "3.9 <= 4"},
    {"testlesseq7", "1", "-03 <= 0003"},
    {"testlesseq8", "<error> testlesseq8 Line 1 Col 8 value is undefined", "var u; u <= 3"},
    {"testlesseq9", "0", "'10' <= '9'"},

    // Logic: short-circuit, boolean words.
    {"testor1", "0", "0 || 0"},
    {"testor2", "1", "0 || 1"},
    {"testor3", "1", "1 || 0"},
    {"testor4", "5", "var x = 0; function callinside() { x = 5; return 1; } x || callinside(); x"},
    {"testor5", "0",
     "var x = '1'; var called = 0; function callinside() { called = 1; return 1; } "
     "x || callinside(); called"},
    {"testor6", "<error> testor6 Line 1 Col 1 boolean value expected", "'abc' || 1"},
    {"testand1", "1", "1 && 1"},
    {"testand2", "0", "1 && 0"},
    {"testand3", "0", "0 && 1"},
    {"testand4", "1",
     "var x = 1; var called = 0; function callinside() { called = 1; return 1; } "
     "x && callinside(); called"},
    {"testand5", "0",
     "var x = 0; var called = 0; function callinside() { called = 1; return 1; } "
     "x && callinside(); called"},
    {"testand6", "0", "'TRUE' && 'nein'"},

    // The remainder takes the sign of the divisor.
    {"modulonegpos", "3", "-13 % 4"},
    {"modulopospos", "1", "13 % 4"},
    {"modulonegneg", "-1", "-13 % -4"},
    {"moduloposgneg", "-3", "13 % -4"},

    // Increments: postfix after the statement, undefined counts as 0.
    {"plusplus1", "2", "var x = 1; x++; x"},
    {"plusplus2", "3,5", "var x = 1;var y = x++ + x++ + 3;x + ',' + y;"},
    {"plusplus3", "14.500000", "var d = 13.5; d++; d"},
    {"minusminus1", "4", "var x = 5; x--; x"},
    {"minusminus2", "7,18", "var x = 9;var y = x-- + x--;x + ',' + y;"},
    {"minusminus3", "-1", "var a; a--; a;"},

    // Bit operators and their assignments.
    {"testbitand1", "16", "0x3F & 0x10"},
    {"testbitor1", "63", "0x1F | 0x20"},
    {"testbitxor1", "49", "0x20 ^ 0x11"},
    {"testbitnot", "65518", "~0x11 & 0xffff"},
    {"testbitorassign1", "63", "var x = 0; x |= 0x10; x |= 0x2F"},
    {"testbitandassign1", "60", "var x = 0xff; x &= 0x3c; x"},
    {"testshiftleft1", "128", "0x20 << 2"},
    {"testshiftright1", "35", "0x8f >> 2"},
    {"testprefixincr1", "3,9", "var x = 1;var y = ++x + ++x + 3;x + ',' + y;"},
    {"testprefixdecr1", "-1,-2", "var x = 1; var y = --x + --x; x + ',' + y"},

    // Equality by kind, concatenation and regular-expression matching.
    {"testequaldouble", "1", "0.1 + 0.2 == 0.3"},
    {"testnotequallong", "1", "13 != 14"},
    {"testequallong", "1", "0x0d == 13"},
    {"testequalstring", "1", "'hello' == \"hello\""},
    {"testnotequalstring", "1", "'hello' != 'Hello'"},
    {"teststringconcat1", "abcdef", "'abc' + 'def'"},
    {"teststringconcat2", "abc3", "'abc' + 3"},
    {"teststringconcat3", "123", "(string)1 + (string)2+(string)3"},
    {"teststringconcat5", "012", "((string)'0') + '1' + '2'"},
    {"testmatchingstring", "1", "\"hello\" =~ \"h.*llo\""},
    {"testnotmatchingstring", "1", "\"hello\" !~ \"h[aEiou]llo\""},
    {"testappendstring1", "abcabc", "var a; a +=  'abc'; a+= 'abc';a"},
    {"testappendstring2", "abc13", "var s = 'abc'; s += 13; s"},
    {"testmultiassign1", "hello worldhello worldhello world",
     "var a,b,c; a = b = c = 'hello world'; a+b+c;"},
    {"testrequiresemicolon1",
     "<error> testrequiresemicolon1 Line 1 Col 5 invalid syntax: operator or semicolon expected",
     "'a' 3 'b'"},

    // Arithmetic: whole numbers stay whole, doubles without fraction become whole.
    {"testautodoubleplus", "7.500000", "3+4.5"},
    {"testlongplus", "7", "3+4"},
    {"testautolongplus", "8", "3.5+4.5"},
    {"testpunkvorstrich", "23", "3+4*5"},
    {"testplususingundef1", "3", "var u; u+3"},
    {"testplususingundef2", "3.5", "var u; 3.5+u"},
    {"testsubexpr", "35", "(3+4)*5"},
    {"testdivlefttoright", "5", "30/3/2/1"},
    {"testautodoublediv", "0.230769", "3/13"},
    {"testautodoubletolong1", "20", "20.00 + 0"},
    {"testautodoubletolong2", "10", "2.5 * 4"},
    {"testautodoubletolong3", "0", "(double)0.00"},
    {"testautolongdiv", "3", "39/13"},
    {"testunarylongminus0", "0", "- 0"},
    {"testunaryundefstrict", "<error> testunaryundefstrict Line 1 Col 8 number required",
     "var u; -u"},
    {"testunarydoubleminus0", "0", "-0.0000"},
    {"testunarylongminus", "-13", "var x = 13; -x"},
    {"testunarydoublegminus", "-3.1415", "-3.1415"},
    {"testlongdivby0", "<error> testlongdivby0 Line 1 Col 3 division by 0", "3/0"},
    {"testdoubledivby0", "<error> testdoubledivby0 Line 1 Col 3 division by 0", "3/0.0"},

    // Conditional operator: right-nested, only the chosen branch runs.
    {"testquestion1", "2", "true ? false ? 1 : 2 : 3"},
    {"testquestion2", "3", "false ? false ? 1 : 2 : 3"},
    {"testquestion3", "6", "true ? 1+2+3 : 1-2-3"},
    {"testquestion4", "-4", "false ? 3+2+3 : 1-2-3"},
    {"testquestion5", "1|1", "var x = 0; var y = true ? ++x : --x; x + '|' + y"},
    {"testquestion6",
     "<error> testquestion6 Line 1 Col 10 invalid syntax: operator ? requires colon",
     "true ? 1 ; 2"},

    // Casts.
    {"intcast", "10010", "(int)10.01e3"},
    {"stringcast1", "[1,3,5]", "(string)[1,3,5]"},
    {"stringcast2", "string", "((string)[1,3,5]).gettype()"},
    {"stringcast3", "0", "(string)3.10 == 3.1"},
    {"stringcast4", "161", "(string)0x10 + 1"},
    {"doublecast", "3.141500", "(double)3.1415"},
    {"wrongtypecast",
     "<error> wrongtypecast Line 1 Col 12 invalid syntax: operator or semicolon expected",
     "(unbekannt)3.1415"},
    {"structurecast1", "{0: 'a', 1: 'b'}", "(structure)['a','b']"},
    {"structurecast2", "<error> structurecast2 Line 1 Col 1 cannot cast value to structure",
     "(structure)'abc'"},
    {"vectorcast1", "['a','b']", "(vector){ 1: 'b', 0: 'a' }"},
    {"vectorcast2", "[{a: 3},{b: 4}]", "(vector){ a: 3, b: 4 }"},
    {"vectorcast3", "[{0: 1},{1: 2},{2: 3},{3: 4},{otherfield: 5}]",
     "(vector){ 0: 1, 1:2,2:3,3:4, otherfield:5 }"},
    {"vectorcast4", "[]", "(vector)null"},
    {"vectorcast5", "<error> vectorcast5 Line 1 Col 1 cannot cast value to vector",
     "(vector)'abc'"},

    // Variables: definition, assignment, references, membership, removal.
    {"varnotdefined", "<error> varnotdefined Line 1 Col 16 variable not defined: b",
     "var a = 1; a + b"},
    {"varnotdefinedstrict",
     "<error> varnotdefinedstrict Line 1 Col 13 variable not defined: spaceA::x",
     "var x = 14; spaceA::x;"},
    {"vardefinition1", "5|10|0", "var a=5,b,c = 0; b=10; a + '|'+b+'|'+c"},
    {"vardefinition2", "<error> vardefinition2 Line 1 Col 12 variable is defined multiple: x",
     "var x; var x=14;"},
    {"varassignment1", "3,17", "var x = [ 1,2,3,4,5]; var y; y=x; y[2] = 17; x[2]+','+y[2];"},
    {"varassignment2", "3", "var x; var y; x=&y; x=3; y;"},
    {"varassignment3", "10", "var x = 13; var v; v['a'] =& x; v['a'] = 10; x"},
    {"varoperatorin1", "1", "'hello' in ' hello  ,  world'"},
    {"varoperatorin2", "nnyyn",
     "var r = ''; for (var i = 1; i <= 5; i++) r += (i in ' 3 - 4  ') ? 'y' : 'n'; r"},
    {"varoperatorin3", "1", "3 in [1,2,3]"},
    {"varoperatorin4", "1", "'b' in {a: 1, b: 2}"},
    {"varoperatorin5", "0", "'c' in {a: 1, b: 2}"},
    {"varundefinition", "<error> varundefinition Line 1 Col 21 variable not defined: x",
     "var x = 3; undef x; x"},

    // Members and elements: created on first use.
    {"membervar", "{day: 13, month: 5, year: 2019}",
     "var date; date.year=2019; date.month=5; date.day=13; date"},
    {"membervar2", "{day: 13, month: 5, year: 2019}",
     "var date; date{'year'}=2019;date{'month'}=5;date{'day'}=13;date;"},
    {"membervaruse", "{a: 1, weekday: }", "var x = {a: 1}; x.weekday; x"},
    {"structurevar", "{3: 2019, three: 2020}",
     "var structure; structure[\"three\"] = 2020;structure[3] = 2019; structure"},
    {"structurevarinit", "{age: 51, name: 'n'}", "var x = { name: 'n'; age:51;}; x"},
    {"charvector", "['a','b','c','d','e','f','g','h']", "['a'..'h']"},
    {"vectorvarinit", "['a','b','c',-3,-2,-1,0,1,2,3,'d']",
     "var v = [ 'a', 'b', 'c', -3 .. 1+2, 'd' ]; v"},
    {"vectorvar++", "[1,3,3]", "var arr = [1,2,3]; arr[1]++; arr"},

    // User functions.
    {"functionnotexisting",
     "<error> functionnotexisting Line 1 Col 1 function doesnotexist(a,b) not existing",
     "doesnotexist(1,2)"},
    {"newfunctionsquare", "36",
     "function square(v) { return v * v; v; v-10; return 13; 14; }; square(-6)"},
    {"funcdefgcd", "6",
     "function gcd(x, y) { if (y != 0) return gcd(y, x  % y); else return x; }; gcd(366, 60);"},
    {"funcdefgcdaborted", "<error> funcdefgcdaborted Line 1 Col 40 division by 0",
     "function gcd(x, y) { return gcd(y, x % y); }; gcd(366, 60);"},
    {"userfunctionfibonacci", "987",
     "function fib(n) { if (n < 2) return n; return fib(n-1) + fib(n-2); }; fib(16)"},
    {"memberuserfunctionplus", "20|16+4",
     "function plus(a, b) { return a + b; } function other::plus(a, b) { return a + '+' + b; } "
     "var x = 16; x.plus(4) + '|' + x.other::plus(4)"},
    {"userfunctionconstparam", "5|3",
     "function f(x) { x = 5; return x; }; var a = 3; f(a) + '|' + a"},
    {"userfunctionrefparam1", "7;8;19",
     "function f(&refparam1, &refparam2, norefparam3) { refparam1 = 7; refparam2 = 8; "
     "norefparam3= 9; }; var x = 17, y = 18, z = 19; f(x, y, z); x + ';' + y + ';' + z"},
    {"userfunctionrefparam2", "new|global",
     "var globalname = 'global'; function f(&globalname, value) { globalname = value; "
     "return globalname; }; var y = 'old'; f(y, 'new') + '|'+globalname;"},
    {"userfunctionrefparam3", "17",
     "function f(&refparam) { refparam = 3; }; var x = 17; f(x.duplicate()); x;"},
    {"userfunctionrefvector", "[1,2,'three',4,5][1,2,'three',4,5]",
     "function change(&v) { v[2] = 'three'; return v; }; var a = [1,2,3,4,5]; change(a) + a"},
    {"userfunctionrvaluevector", "[1,2,'three',4,5][1,2,3,4,5]",
     "function change(v) { v[2] = 'three'; return v; }; var a = [1,2,3,4,5]; change(a) + a"},
    {"userfunctionrefstructure", "{a: 1, b: 'three'}{a: 1, b: 'three'}",
     "function change(&s) { s.b = 'three'; return s; }; var a = {a: 1, b: 2}; change(a) + a"},
    {"userfunctionvaluestructure", "{a: 1, b: 'three'}{a: 1, b: 2}",
     "function change(s) { s.b = 'three'; return s; }; var a = {a: 1, b: 2}; change(a) + a"},
    {"userfunctionvariableargs1", "5:7",
     "function mymax(a,b,...) { var m = a; foreach (var v in mymax) if (v > m) m = v; "
     "return mymax.size() + ':' + m; }; mymax(1,3,5,7,0)"},
    {"userfunctionvariableargs2",
     "<error> userfunctionvariableargs2 Line 1 Col 40 function mymax(a) not existing maybe you "
     "mean: mymax(a,b,...)",
     "function mymax(a,b,...) { return a; }; mymax(1)"},
    {"userfunctionvariableargs3", "",
     "function mymax(...) { var m; foreach (var v in mymax) if (m == null || v > m) m = v; "
     "return m; }; mymax()"},
    {"userfunctionvariableargs4", "changed",
     "function changeit(...) { changeit[0] = 'changed'; }; var x = 'original'; changeit(x); x"},
    {"userfunctionvariableargs5", "a-b-c",
     "function cat(sep, ...) { var r = ''; for (var i = 1; i < cat.size(); i++) "
     "r += (i > 1 ? sep : '') + cat[i]; return r; }; cat('-', 'a', 'b', 'c')"},
    {"userfunctionreturnwithvalue", "positiveother",
     "function f(x) { if (x > 0) return 'positive'; return 'other'; }; f(3) + f(-3)"},
    {"userfunctionreturnwithoutvalue", "null|2",
     "var x = -1; function seekvalue(v) { x = 2; return; x = 3; return -2; } "
     "var ret = seekvalue(5); ret.gettype() + '|' + x"},
    {"userfunctionreturninforloop1", "8|-1",
     "function find(v) { for (var i = 0; i < 10; i++) { if (i * i >= v) return i; } return -1; }; "
     "find(50) + '|' + find(200)"},
    {"userfunctionreturnscopes1", "10",
     "function f() { { { var inner = 5; return inner; } } }; var a = f(); var b = f(); a + b"},
    {"userfunctionreturninforeachloop1", "12|0",
     "function firstbig(v) { foreach (var x in v) if (x > 10) return x; return 0; }; "
     "firstbig([3, 12, 40]) + '|' + firstbig([1,2])"},
    {"userfunctionparamstring1", "abab|24|1212",
     "function twice(s) { return s + s; }; twice('ab') + '|' + twice('12') + '|' + "
     "twice((string)'12')"},

    // Scopes: inner names hide outer ones, function locals end with the call.
    {"varscope1", "correct", "var myvar = 'wrong'; { var myvar = 'correct'; return myvar; }"},
    {"varscope2", "13", "var result = 0; var inside = 13; {{{{{  result=inside; }}}}}; result"},
    {"varscope3", "<error> varscope3 Line 1 Col 53 variable not defined: local",
     "function f() { var local = 3; return local; }; f(); local"},
};

} // namespace

std::span<const CatalogueRow> operatorrows() {
    return rows;
}

} // namespace vornscriptunittests

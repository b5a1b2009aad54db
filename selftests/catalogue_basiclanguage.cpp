// Catalogue group "basic language": literals and number texts, quoted and
// special string forms, scanner errors, block scopes, var definitions with
// name spaces, value versus reference assignment of texts, vectors and
// structures, element access and try/catch with the caught error structure.
#include "selftests/catalogue.h"

namespace vornscriptunittests {

namespace {

constexpr CatalogueRow rows[] = {
    // Literals keep their source text; computed numbers use the number maker.
    {"testnull", "", "null"},
    {"testtrue", "1", "true"},
    {"testfalse", "0", "false"},
    {"testzero1", "0.00", "0.00"},
    {"testzero2", "0", "0"},
    {"testzero3", "0", "- 0"},
    {"testzero4", "0", "-0.0000"},
    {"testzero5", "0", "0.00 + 0"},
    {"testnum2", "13", "13"},
    {"testnum3", "3.1415", "3.1415"},
    {"testnum3a", "-3.1415", "-3.1415"},
    {"testnum3b", "3.141500", "(double)3.1415"},
    {"testnum4a", "1e3", "1e3"},
    {"testnum4b", "1e-3", "1e-3"},
    {"testnum4c", "10.01e3", "10.01e3"},
    {"testnum5a", "1000", "(int)1e3"},
    {"testnum5b", "10010", "(int)10.01e3"},
    {"testnum5c", "0.001000", "(double)1e-3"},
    {"testnum5d", "0.010000", "(double)0.01"},
    {"testnum6a", "186", "0xba"},
    {"testnum6b", "186", "0xBA"},
    {"testnum7a", "20", "20.00 + 0"},
    {"testnum7b", "8", "3.5+4.5"},
    {"testnum8a", "7.500000", "3+4.5"},
    {"testnum8b", "0.230769", "3/13"},
    {"testnum9a", "3", "39/13"},
    {"testnum9b", "0", "(double)0.00"},
    {"testnum10", "-3", "(int)-3.1415"},

    // Quoted texts, escapes and the special text forms.
    {"teststring1", "hello", "   'hello'   "},
    {"teststring2", "hello", "\"hello\""},
    {"teststring3", "S", "'\\x53'"},
    {"teststring4", "a\tb\rc\nd", "'a\\tb\\rc\\nd'"},
    {"teststring5", "\\xyz", "'\\xyz'"},
    {"teststring6",
     "A\xBC"
     "E",
     "'A\\x{BC}E'"},
    {"teststring7",
     "<error> teststring7 Line 1 Col 1 invalid syntax: string is not ending before end of line",
     "'hello\nworld'"},
    {"teststring8", "it's \"quoted\"", "\"it's \" + '\"quoted\"'"},
    {"testmultilinestring1", "hello\nworld", "__multiline__('hello\nworld')"},
    {"testmultilinestring2",
     "<error> testmultilinestring2 Line 1 Col 4 invalid syntax: __multiline__ string is not "
     "ending before end of code",
     "   __multiline__('hello\nworld)"},
    {"testmultilinestring3",
     "<error> testmultilinestring3 Line 1 Col 4 invalid syntax: __multiline__ string missing "
     "closing ) before end of code",
     "   __multiline__('hello\nworld'"},
    {"testmultilinestring4", "a\\tb\nc", "__multiline__(__noescape__('a\\tb\nc'))"},
    {"testnoescapestring1", "\\[\\n\\t\\x1a\\)", "__noescape__('\\[\\n\\t\\x1a\\)')"},

    // Block scopes and scanner errors.
    // The name "inside" starts at column 21 by the scanner's column count.
    {"testscope1", "<error> testscope1 Line 1 Col 21 variable not defined: inside",
     "{var inside = 13; } inside;"},
    {"testscope2", "13", "var result = 0; var inside = 13; {{{{{  result=inside; }}}}}; result"},
    {"testinvalidstring1",
     "<error> testinvalidstring1 Line 1 Col 9 invalid syntax: string is not ending before end "
     "of line",
     "var x = 'abc"},
    {"testinvalidcomment1",
     "<error> testinvalidcomment1 Line 1 Col 1 invalid syntax: block comment started in line 1 "
     "not closed by */",
     "/* a comment\nthat never ends"},
    {"testblock1", "correct", "var myvar = 'wrong'; { var myvar = 'correct'; return myvar; }"},
    {"testblock2", "2|1", "var x = 1, y = 1; { x = 2; var y = 3; } x + '|' + y"},
    {"testblock3", "<error> testblock3 Line 1 Col 22 invalid syntax: unexpected token }",
     "var x = 13; x += 15; }; 29;"},

    // Assignment copies vectors and structures; var definitions.
    {"testvarassignrvalue1", "3,17", "var x = [ 1,2,3,4,5]; var y; y=x; y[2] = 17; x[2]+','+y[2];"},
    {"testvarassignrvalue2", "1,17", "var x = {a: 1, b: 2}; var y; y=x; y.a = 17; x.a+','+y.a;"},
    {"testvarassignrvalue3", "[1,2,3]|[9,2,3]",
     "var x = [1,2,3]; var y = x; y[0] = 9; x + '|' + y"},
    {"testvarassignrvalue4", "13,14", "var x = 13; var y = x; y = 14; x + ',' + y"},
    {"testvaralreadydefined",
     "<error> testvaralreadydefined Line 1 Col 12 variable is defined multiple: x",
     "var x; var x=14;"},
    {"testvarnamespace1", "14|13", "var spaceA::x = 14; var x = 13; spaceA::x+'|'+::x"},
    {"testvarnamespace2", "<error> testvarnamespace2 Line 1 Col 21 variable not defined: x",
     "var spaceA::x = 14; x;"},
    {"testvarnamespace3", "<error> testvarnamespace3 Line 1 Col 13 variable not defined: spaceA::x",
     "var x = 14; spaceA::x;"},
    {"testvarnamespace4",
     "<error> testvarnamespace4 Line 1 Col 5 invalid syntax: invalid namespace in identifier",
     "var spaceA::::x;"},
    {"testvarnamespace5",
     "<error> testvarnamespace5 Line 1 Col 5 invalid syntax: invalid namespace in identifier",
     "var spaceA::x:: ;"},

    // Reference assignment shares one content.
    {"testvarassignreference1", "3", "var x; var y; x=&y; x=3; y;"},
    {"testvarassignreference2", "10", "var x = 13; var v; v['a'] =& x; v['a'] = 10; x"},
    {"testvarassignreference3", "inner", "var x; { var y = 'inner'; x =& y; } x"},

    // Structures: created on first member access, printed sorted by name.
    {"testvarassignstructure1", "{day: 13, month: 5, year: 2019}",
     "var date; date.year=2019; date.month=5; date.day=13; date"},
    {"testvarassignstructure2", "{day: 13, month: 5, year: 2019}",
     "var date; date{'year'}=2019;date{'month'}=5;date{'day'}=13;date;"},
    {"testvarassignstructure3", "{3: 2019, three: 2020}",
     "var structure; structure[\"three\"] = 2020;structure[3] = 2019; structure"},
    {"testvarassignstructure4", "{age: 51, name: 'n'}", "var x = { name: 'n'; age:51;}; x"},
    {"testvarassignstructure5",
     "{'\\n': 'newline', ' ': 'space', '-13': 'minus13', 'a,b': 'a and b'}",
     "var s; s['\\n'] = 'newline'; s[' '] = 'space'; s['-13'] = 'minus13'; s['a,b'] = 'a and "
     "b'; s"},
    {"testvarassignstructure6", "{a: 1, weekday: }", "var x = {a: 1}; x.weekday; x"},

    // Vectors: grown on access, ranges expanded, element forms.
    {"testvarassignvector1", "[13]", "var arr; arr[0] = 13; arr"},
    {"testvarassignvector2", "4", "var arr; arr[0] = 1; arr[2] = 1; arr[3] = 2; length(arr)"},
    {"testvarassignvector3", "7", "var a = [ 1,2,3,4 ];  a[6]; a.size()"},
    {"testvarassignvector4", "[1,'a b','\\'']", "var x = [1,'a b','\\''];  x"},
    {"testvarassignvector5", "['a','b','c',-3,-2,-1,0,1,2,3,'d']",
     "[ 'a', 'b', 'c', -3 .. 1+2, 'd' ]"},
    {"testvarassignvector6", "['a','b','c','d','e','f','g','h']", "['a'..'h']"},
    {"testvarassignvector7",
     "<error> testvarassignvector7 Line 1 Col 36 invalid syntax: constant number expression "
     "expected in number range",
     "var from = 1; var to = 3; [from..to]"},
    {"testvarassignvector8", "[[0],[5]]", "var v = [[0],[1]]; v[1][0] = 5; v"},

    // Texts: chained assignment, appending, appending through a reference.
    {"testvarassignstring1", "hello worldhello worldhello world",
     "var a,b,c; a = b = c = 'hello world'; a+b+c;"},
    {"testvarassignstring2", "abcabc", "var a; a +=  'abc'; a+= 'abc';a"},
    {"testvarassignstringref", "abcdef", "var s = 'abc'; var r =& s; r += 'def'; s"},

    // Element access.
    {"testaccessvector1", "", "var a = [ 1,2,3,4 ];  a[6]"},
    {"testaccessvector2",
     "<error> testaccessvector2 Line 1 Col 20 vector index must be a positive number",
     "var a = [1,2,3]; a[-1]"},
    {"testaccessvector3", "[,'x']", "var s = 'abc'; s[1] = 'x'; s"},
    {"testaccessvector4", "[{info: 0},{info: 1}]", "var v; v[0].info = 0; v[1].info = 1; v"},

    // try/catch: the caught value is the error structure.
    {"testcatch1", "testcatch1 Line 1 Col 40 vector index must be a positive number",
     "var a = [];  var e = 'nothing'; try{ a[-1];  e = 'normal'; } catch(e) {  }; e;"},
    {"testcatch2", "nothing", "var a = [];  var e = 'nothing'; try{ a[-1];  e = 'normal'; }; e;"},
    {"testcatch3", "division by 0|1|16",
     "var r; try { 3/0; r = 'normal'; } catch(var e) { r = e.what + '|' + e.linenr + '|' + "
     "e.columnnr; } r"},
    {"testcatch4", "testcatch4 Line 4 Col 6 vector index must be a positive number",
     "var a = [];\nvar e;\ntry {\n   a[-1];\n} catch(e) {}\ne"},
    {"testcatch5",
     "{columnnr: 6, filename: 'testcatch5', info: 'testcatch5 Line 4 Col 6 vector index must be "
     "a positive number', linenr: 4, pos: 'testcatch5 Line 4 Col 6', what: 'vector index must "
     "be a positive number'}",
     "var a = [];\nvar e;\ntry {\n   a[-1];\n} catch(e) {}\n(structure)e"},
    {"testcatch6", "testcatch6 Line 1 Col 26 division by 0",
     "function f(v) { return 1/v; }\ntry { f(0); } catch(var e) { e.info }"},
};

} // namespace

std::span<const CatalogueRow> basiclanguagerows() {
    return rows;
}

} // namespace vornscriptunittests

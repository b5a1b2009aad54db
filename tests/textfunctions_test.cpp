// Text functions as scripts call them: each row is a script and the result
// text the script run gives (errors as "<error> " and the full error text).
// Vectors of texts are usually shown through join('|', ...) so that the rows
// read as the parts themselves.
#include "sysfunctions/textfunctions.h"
#include "tests/scripttesthelper.h"

#include <gtest/gtest.h>

namespace vornscriptunittests {

TEST(TextFunctions, SubstringsAndLengths) {
    checkcases({
        {"mid('abcdef', 3)", "def"},
        {"mid('abcdef', 3, 2)", "de"},
        {"'abcdefghijklmnopqrstuvw'.mid(12, 1)", "m"},
        {"mid('abcdef', 10) + '|' + mid('abcdef', 4, 100)", "|ef"},
        {"mid('abcdef', '2', 1.9)", "c"},
        {"mid('abcdef', -1)",
         "<error> test Line 1 Col 1 mid position argument must be a positive number"},
        {"mid('abcdef', 'x')",
         "<error> test Line 1 Col 1 mid position argument must be a positive number"},
        {"mid('abcdef', 1, -2)",
         "<error> test Line 1 Col 1 mid optional length argument must be a positive number"},
        {"left('abcdef', 3) + '|' + left('ab', 3) + '|' + left(1234, 2)", "abc|ab|12"},
        {"left('abcdef', -1)", "<error> test Line 1 Col 1 left optional length position argument "
                               "must be a positive number"},
        {"right('abcdef', 3) + '|' + right('ab', 5)", "def|ab"},
        {"right('abcdef', -3)", "<error> test Line 1 Col 1 right optional length position argument "
                                "must be a positive number"},
        {"var s = (string)left((string)'01234', 2); s.length()", "2"},
        {"fill('abcdefg', 1,5,'AB')", "aABABAg"},
        {"fill('abcdefghij', 7, 5, 'XYZ')", "abcdefgXYZ"},
        {"fill('abc', 0, -1, 'X')",
         "<error> test Line 1 Col 1 fill size must be a positive number"},
        {"fill('abc', -1, 1, 'X')",
         "<error> test Line 1 Col 1 fill pos must be a positive number inside text"},
        {"fill('abc', 4, 1, 'X')",
         "<error> test Line 1 Col 1 fill pos must be a positive number inside text"},
        {"strlen('abcdef'+'ghijklmnopqrst'+'uvwxyz')", "26"},
        {"length(-123) + size('')", "4"},
        {"var v; v[0] = 1; v[2] = 2; v[3] = 3; length(v)", "4"},
        {"var s = {a: 1, b: 2}; size(s)", "2"},
        {"strlen(null)", "<error> test Line 1 Col 1 expected string or vector or structure"},
        {"var v = []; var s = {}; [isempty(null), isempty(''), isempty(v), isempty(s)]",
         "[1,1,1,1]"},
        {"var v = [0]; [isempty(' '), isempty(0), isempty(v)]", "[0,0,0]"},
    });
}

TEST(TextFunctions, SearchAndComparison) {
    checkcases({
        {"index('abcdef', 'z')", "-1"},
        {"index('abcdef', 'd')", "3"},
        {"rindex('abcabc', 'bc') + '|' + rindex('abc', 'x')", "4|-1"},
        {"[containstext('hello', 'ell'), textcontains('hello', 'ELL')]", "[1,0]"},
        {"[textstartswith('hello', 'he'), textstartswith('hello', 'lo')]", "[1,0]"},
        {"[textendswith('hello', 'lo'), textendswith('lo', 'hello')]", "[1,0]"},
        {"strcmp(123,25)", "-1"},
        {"strcmp('ARBEIT','arbeit')", "-1"},
        {"strcmp('abc','abc') + '|' + strcmp('abcd','abc')", "0|1"},
        {"stricmp('arbeit','Arbeit')", "0"},
        {"stricmp('erde','BACH')", "1"},
        {"stricmp('ab','ABC')", "-1"},
        {"comparetext('hello', 'HELLO')", "1"},
        {"comparetextignorecase('hello', 'HELLO')", "0"},
        {"comparenumeric('13', '12')", "1"},
        {"comparenumeric('9', '10') + '|' + comparenumeric('-5', '+3')", "-1|-1"},
        {"comparenumeric(13.333, 000013.3330000)", "0"},
        {"comparenumeric('2.5', '10.25') + '|' + comparenumeric('2.5', '10')", "-1|1"},
        {"comparenumeric('a13', 'a14')", "-1"},
        {"comparenumeric('99999999999999999999', '1')", "1"},
    });
}

TEST(TextFunctions, ConversionAndClassification) {
    checkcases({
        {R"(trim("    abcdef  \t\n\r"))", "abcdef"},
        {"trim('.')", "."},
        {"trimleft('    abcdef    ')", "abcdef    "},
        {R"(trimright("  abc \r\n"))", "  abc"},
        {R"(escapestring("a\tb\n'\"\\" + chr(0) + chr(1)))", R"(a\tb\n\'\"\\\0\x01)"},
        {R"(unescapestring('a\\tb\\x41\\\''))", "a\tbA'"},
        {R"(quotestring('hello "world'))", R"('hello \"world')"},
        {R"(unquotestring("'it\\'s'") + '|' + unquotestring("plain 'text'"))", "it's|plain 'text'"},
        {"ord('A') + '|' + ord(chr(255))", "65|255"},
        {"ord('AB')",
         "<error> test Line 1 Col 1 function ord requires a string with length 1 as argument"},
        {"ord('')",
         "<error> test Line 1 Col 1 function ord requires a string with length 1 as argument"},
        {"chr(65) + chr(43)", "A+"},
        {"chr(255)", "\xFF"},
        {"strlen(chr(0))", "1"},
        {"chr(256)", "<error> test Line 1 Col 1 function chr expects a number between 0 and 255"},
        {"chr(-1)", "<error> test Line 1 Col 1 function chr expects a number between 0 and 255"},
        {"chr('A')", "<error> test Line 1 Col 1 function chr expects a number between 0 and 255"},
        {"toupper('abcDEF1_')", "ABCDEF1_"},
        {"tolower('ABCdef1_' + chr(196))", "abcdef1_\xC4"},
        {"[isnumber(-13), isnumber(''), isnumber(null), isnumber(13.76)]", "[1,0,0,1]"},
        {"[isnumber('-13.76'), isnumber('13.'), isnumber('1e5'), isnumber('0x1F')]", "[1,0,0,0]"},
        {"[ishexnumber('-13'), ishexnumber('x13'), ishexnumber('13.76')]", "[0,0,0]"},
        {"[ishexnumber('3abcdef'), ishexnumber('d30'), ishexnumber(null)]", "[1,1,0]"},
        {"[isalpha('x3'), isalpha('xY'), isalphanumeric('x3')]", "[0,1,1]"},
        {R"([iswhitespace(" \t\r\n"), iswhitespace(' x')])", "[1,0]"},
        {"[isalpha(''), isalpha(null), isalpha(-13)]", "[0,0,0]"},
        {"[isalphanumeric(''), isalphanumeric(null), isalphanumeric(-13)]", "[0,0,0]"},
        {"[iswhitespace(''), iswhitespace(null), iswhitespace(-13)]", "[0,0,0]"},
    });
}

TEST(TextFunctions, SplittingAndJoining) {
    checkcases({
        {"split('a,b,c,d,e')", "['a','b','c','d','e']"},
        {"join('|', split('a,,b,'))", "a||b|"},
        {"split('')", "[]"},
        {"join('|', split('a--b', '--'))", "a|b"},
        {R"(join('|', splitlines("a \r\n b\n c\r\n\r\nd e", 0)))", "a \r\n| b\n| c\r\n|\r\n|d e"},
        {R"(join('|', splitlines("a \r\n b\n c\r\n\r\nd e", 1)))", "a| b| c||d e"},
        {R"(join('|', splitwords("a \r\n b\n c,d\r\n\r\nd?e")))", "a|b|c|d|d?e"},
        {R"(join('|', splitwords("a b\n c\r\n\r\nd, e", "\t\r\n?,;!")))", "a b| c|d| e"},
        {"var arr = ['hello','world']; join(' ', arr, '!')", "hello world !"},
        {"var arr = ['hello','world']; concat('<', arr, '>')", "<helloworld>"},
        {"var arr = ['hello','world']; join('-', arr) + concat(arr)", "hello-worldhelloworld"},
        {"var s = {b: 2, a: 1}; join('-', s)", "1-2"},
        {"join('+', 'a', 2, 'c')", "a+2+c"},
        {"join('-', 'abc')", "<error> test Line 1 Col 1 structure or vector expected"},
        {"concat(5)", "<error> test Line 1 Col 1 structure or vector expected"},
    });
}

// split makes its elements from views of the text, join and concat append
// the element texts straight into the result: the corner cases of both.
TEST(TextFunctions, SplitAndJoinEdges) {
    checkcases({
        {"split('a,,b,', ',')", "['a','','b','']"},
        {"split('abc', '')", "['abc']"},
        {"split('x', 'xx')", "['x']"},
        // Parts that read as numbers are texts of their own.
        {"var v = split(12345, 3); v[0]++; v", "[13,45]"},
        {"var v = split('a-b', '-'); v[0] += 'x'; v", "['ax','b']"},
        // Inline numbers, nested vectors, doubles and empty places.
        {"join('-', [1, 'b', [2, 3], 2.5, 1.5 * 3])", "1-b-[2,3]-2.5-4.500000"},
        {"var v; v[2] = 'c'; join('+', v)", "++c"},
        {"join('', [])", ""},
        {"join(0, [1, 2])", "102"},
        {"join(',', {a: 1, b: 'x'})", "1,x"},
        {"join(', ', 'a', [], 'b', 3)", "a, b, 3"},
        {"concat([1, 'a', 2.5], 'z')", "1a2.5z"},
        {"join(',', 5)", "<error> test Line 1 Col 1 structure or vector expected"},
    });
}

// push takes a temporary text over as the element; the element must stay
// independent of every value a script can still reach.
TEST(TextFunctions, PushedTextsStayIndependent) {
    checkcases({
        {"var v = []; var s = 'ab'; push(v, s); s += 'c'; v + ' ' + s", "['ab'] abc"},
        {"var v = []; var s = 'k'; push(v, s); v[0] = 'z'; s", "k"},
        {"var v = []; push(v, 'lit'); push(v, 'lit'); v[0] += '!'; v", "['lit!','lit']"},
        {"var v = []; for (var i = 0; i < 3; i++) push(v, 'a'); v[0] = 'b'; v", "['b','a','a']"},
        {"var v = []; push(v, 'x' + 1); v[0] += 'y'; v", "['x1y']"},
        {"var v = []; var w = push(v, 'x'); w + ' ' + v", "1 ['x']"},
        {"var v = []; push(v, (string)'1'); gettype(v[0]) + v[0]", "string1"},
        {"var v = []; var r = 's'; var q =& r; push(v, q); q += '!'; v + r", "['s']s!"},
    });
}

TEST(TextFunctions, RangeListsAndCsv) {
    checkcases({
        {"parseintrangelist('1,2 3;5-7 9')", "[1,2,3,5,6,7,9]"},
        {"parseintrangelist(' 5 - 1 ')", "[5,4,3,2,1]"},
        {"parseintrangelist('  10  ')", "[10]"},
        {"parseintrangelist('3,3')", "[3,3]"},
        {"parseintrangelist('1-x')",
         "<error> test Line 1 Col 1 parseintrangelist invalid range list syntax"},
        {"makecsvline(['a','b c','d'], ',')", "a,\"b c\",d\n"},
        {R"(makecsvline(['x"y', ''], ';'))", "\"x\"\"y\";\n"},
        {R"(join('|', parsecsvline('a;b;"c d"')))", "a|b|c d"},
        {"join('|', parsecsvline('a;b,c', ';'))", "a|b,c"},
        {R"(join('|', parsecsvline("\t \"1, \"\"2\"\", 3\", \",;\t:\r\n\"\r\n", ",")))",
         "1, \"2\", 3|,;\t:\r\n"},
        {R"(parsecsvline('a,"b'))", "<error> test Line 1 Col 1 missing ending quote"},
        {R"(parsecsvline("a,b\nc"))",
         "<error> test Line 1 Col 1 extra characters before end of line"},
        {R"(join('|', splitcsvlines("a;b;\n\"c\nd\";\"e f\";")))", "a;b;|\"c\nd\";\"e f\";"},
        {R"(join('|', splitcsvlines("'a\nb'\nc", "'")))", "'a\nb'|c"},
    });
}

TEST(TextFunctions, ReplaceAndWildcards) {
    checkcases({
        {"'through the never'.replace('e', 'E').replace('ou', 'OU')", "thrOUgh thE nEvEr"},
        {"replace('aaa', 'a', 'aa')", "aaaaaa"},
        {"replace('we have the thesis', 'THE', 'a', { ignorecase:true; wordsonly:true; })",
         "we have a thesis"},
        {"replace('a1b22', '[0-9]+', '#', {regularexpressions: 1, replaceall: 0})", "a#b22"},
        {"replace('abc', 'b', 'x', null)", "axc"},
        {"replace('abc', '(b', 'x', {regularexpressions: 1})",
         "<error> test Line 1 Col 1 regular expression error"},
        {"defaultreplaceoptions()",
         "{encodenotascii: 0, ignorecase: 0, regularexpressions: 0, replaceall: 1, wholeonly: 0, "
         "wordsonly: 0}"},
        {"[like('hellohello', '*ello*h*'), like('hello3hello', 'h[ae]llo#h[ae]llo')]", "[1,1]"},
        {"like('Hello', 'h*')", "0"},
        {"substitute('hello', 'e', 'a')", "hallo"},
        {"substitute('hello Lord', 'l', 'L', 'gi')", "heLLo Lord"},
        {"substitute('its all about geeksforgeeks', '(geeks)(.*)', '$2', '')",
         "its all about forgeeks"},
        {"substitute('hello', 'h([el]+)(o+)', 'h$1...$2')", "hell...o"},
        {"substitute('hello', '[e', 'a')",
         "<error> test Line 1 Col 1 regular expression syntax error"},
    });
}

// A replacement as long as the pattern is written over a copy of the text.
TEST(TextFunctions, ReplaceOfEqualLength) {
    checkcases({
        {"replace('banana', 'an', 'AN')", "bANANa"},
        {"replace('aaa', 'aa', 'bb')", "bba"},
        {"replace('banana', 'a', 'o')", "bonono"},
        {"replace(1001, 1, 7)", "7007"},
        {"replace('', 'a', 'b')", ""},
        {"replace('aXa', 'a', 'b', {replaceall: 0})", "bXa"},
        {"replace('xanana', 'an', 'AN', {replaceall: 0})", "xANana"},
        {"replace('aAa', 'a', 'b', {ignorecase: 1})", "bbb"},
        {"replace('a ab a', 'a', 'b', {wordsonly: 1})", "b ab b"},
        {"replace('ab', 'ab', 'cd', {wholeonly: 1})", "cd"},
        {"replace('abab', 'ab', 'cd', {wholeonly: 1})", "abab"},
    });
}

TEST(TextFunctions, MatchAndRegexOperators) {
    checkcases({
        {"match('hello', '^h[el]+o$')", "1"},
        {"match('hello', 'E')", "0"},
        {"match('hello', '(')", "<error> test Line 1 Col 1 regular expression syntax error"},
        {"var x; var whole; match('hello', '^h([el]+)o$', whole, x); whole+'|'+x", "hello|ell"},
        {"var a; var b; match('hello', '^h([el]*)(o+)$', null, a, b); a+'|'+b", "ell|o"},
        // Outputs beyond the groups, and all outputs after a failed match, are undefined.
        {"var a = 1; var b = 2; match('hello', 'l+', a, b); [a, b == null]", "['ll',1]"},
        {"var x = 1; match('hello', 'E', x); x == null", "1"},
        // The text may be one of the output variables.
        {R"(var t = 'key=value'; var v; match(t, '(\\w+)=(\\w+)', null, t, v); t+'|'+v)",
         "key|value"},
        {R"([("hello" =~ "h.*llo"), ("hello" !~ "h[aEiou]llo")])", "[1,1]"},
        {"'hello' =~ '('", "<error> test Line 1 Col 1 regular expression syntax error"},
    });
    bool matched = false;
    std::string error;
    EXPECT_FALSE(vornscript::scriptregexmatch("hello", "a{2,1}", matched, error));
    EXPECT_EQ(error, "regular expression syntax error");
}

// Outputs of match hold any kind of value before, and the text being matched
// may be one of them: each output ends as an assignment of its group's text
// would leave it.
TEST(TextFunctions, MatchOutputsOfEveryKind) {
    checkcases({
        {"var s = 'old'; var n = 5; match('ab12', '([a-z]+)([0-9]+)', null, s, n); [s, n, n + 1]",
         "['ab',12,13]"},
        {"var v = ['x', 'y']; var st = {k: 'z'}; "
         "match('ab12', '([a-z]+)([0-9]+)', null, v[1], st.k); [v, st]",
         "[['x','ab'],{k: 12}]"},
        {"var t = 'key=value'; var w; match(t, '([a-z]+)=([a-z]+)', t, w); t + '|' + w",
         "key=value|key"},
        {"var t = 'key=value'; var a; match(t, '([a-z]+)=([a-z]+)', null, a, t); a + '|' + t",
         "key|value"},
        // A group that took no part gives the empty text, one beyond the groups
        // an undefined value.
        {"var a; var b; var c; var d = 1; match('ab', '(x)?(b)', a, b, c, d); "
         "[a, b == '', b == null, c, d == null]",
         "['b',1,0,'b',1]"},
        {"var a = 1; var b = 2; match('xyz', '(q)', null, a, b); [a == null, b == null]", "[1,1]"},
        // More outputs than are kept without an allocation.
        {"var a1; var a2; var a3; var a4; var a5; var a6; var a7; var a8; var a9; var a10; "
         "match('abcdefghij', '(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)', null, "
         "a1, a2, a3, a4, a5, a6, a7, a8, a9, a10); a1 + a5 + a9 + a10",
         "aeij"},
        {"foreach (var x in ['a']) match('ab', '(a)', null, x);",
         "<error> test Line 1 Col 26 const object must not be changed"},
        // A bad pattern leaves the outputs alone.
        {"var a; var b = 'keep'; match('ab', '(', a, b); b",
         "<error> test Line 1 Col 24 regular expression syntax error"},
        {"var p = '^([a-z]+)$'; var a; var r = []; "
         "foreach (var w in ['ab', 'c1', 'de']) { push(r, match(w, p, null, a) ? a : '-'); } r",
         "['ab','-','de']"},
    });
}

TEST(TextFunctions, SubstituteFormatsAndRepeatedPatterns) {
    checkcases({
        {"[substitute('a1b22c333', '([0-9])([0-9]*)', '<$2$1>', 'g'), "
         "substitute('abc', 'b', '[$&|$`|$\\'|$$]'), substitute('aaa', 'a|', '<$&>', 'g'), "
         "substitute('abc', 'x*', '-', 'g')]",
         "['a<1>b<22>c<333>','a[b|a|c|$]c','<a><a><a><>','-a-b-c-']"},
        {"var out = []; for (var i = 0; i < 3; i++) { "
         "push(out, substitute('x' + i + 'y', '[0-9]+', '#', 'g')); "
         "push(out, substitute('X' + i, 'x', '_', 'gi')); } out",
         "['x#y','_0','x#y','_1','x#y','_2']"},
        // Literals reach substitute without copies; a user function that an
        // argument defines meanwhile takes the call and gets copies it may change.
        {"var r = []; for (var i = 0; i < 3; i++) { push(r, substitute('ab', 'b', i == 1 ? "
         "eval(\"function substitute(a, b, c, d) { a += '!'; b += '?'; return a + b + c + d; } "
         "'c'\") : 'c', 'g')); push(r, substitute('ab', 'b', 'c', 'g')); } r",
         "['ac','ac','ab!b?cg','ab!b?cg','ac','ac']"},
        {"[substitute('a1', '[0-9]', 'b'), substitute('a', '(', 'b')]",
         "<error> test Line 1 Col 34 regular expression syntax error"},
    });
}

} // namespace vornscriptunittests

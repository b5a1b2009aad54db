// Catalogue group "system functions", second table: folders and path texts,
// profiles, files and directories, temporary names, math, callfunction,
// collection keys, sorting, grep, eval, include, duplicate, die and exit,
// user exceptions, CSV and integer range lists. File rows write only inside
// the temporary folder (the test context's sandbox) and remove what they made.
#include "selftests/catalogue.h"

namespace vornscriptunittests {

namespace {

// The sample structure of the collection, sort and grep rows.
#define SAMPLEPERSON "var s = {name: 'Dorvash', day: 13, month: 5, year: 1967, color: 'blue'}; "

constexpr CatalogueRow rows[] = {
    // Special folders and path texts. Folders end with "/"; arguments are
    // joined to them as path parts.
    {"sysfuncgettemporaryfolder", "1",
     "var t = getenv('TMPDIR'); if (isempty(t)) t = '/tmp'; if (t.right(1) != '/') t += '/'; "
     "gettemporaryfolder() == t"},
    {"sysfuncgetpersonalfolder", "1|1",
     "var p = getpersonalfolder(); (p.right(1) == '/') + '|' + "
     "(getpersonalfolder('sub', 'a.txt') == p + 'sub/a.txt')"},
    {"sysfuncgetprogramfolder", "/opt/", "getprogramfolder()"},
    {"sysfuncgetprogramfolder2", "/opt/Company/Product", "getprogramfolder('Company', 'Product')"},
    {"sysfuncgetappdatafolder", "1",
     "var c = getenv('XDG_CONFIG_HOME'); if (isempty(c)) c = getenv('HOME') + '/.config'; "
     "if (c.right(1) != '/') c += '/'; getapplicationdatafolder() == c"},
    {"sysfuncgetappdatafolder2", "1",
     "getapplicationdatafolder('vorn', 'settings.ini') == getapplicationdatafolder() + "
     "'vorn/settings.ini'"},
    {"sysfuncjoinpath1", "/y/util/sweet toxic love.mid",
     "joinpath('/y/', 'util', 'sweet toxic love.mid')"},
    {"sysfuncjoinpath2", "/y/util/sweet toxic love.mid",
     "joinpath(['/y/', 'util', 'sweet toxic love.mid'])"},
    {"sysfuncgetfilename", "sweet toxic love.mId",
     "getfilename('/y/midi folder/sweet toxic love.mId')"},
    {"sysfuncgetdirectory", "/y/midi folder/",
     "getdirectory('/y/midi folder/sweet toxic love.mId')"},
    {"sysfuncgetfileextension", ".mId", "getfileextension('/y/midi folder/sweet toxic love.mId')"},
    {"sysfuncremovefileextension", "/y/midi folder/sweet toxic love",
     "removefileextension('/y/midi folder/sweet toxic love.mId')"},
    {"sysfuncquotepath1", "\"/y/midi folder/sweet toxic love.mid\"",
     "quotepath('/y/midi folder/sweet toxic love.mid')"},
    {"sysfuncquotepath2", "\"/y/mi'di fol\\\"der\\\\\"", "quotepath('/y/mi\\'di fol\"der\\\\')"},
    {"sysfuncgetfullpathcd", "1|1|name.txt",
     "var p = getfullpath('name.txt'); (p.left(1) == '/') + '|' + "
     "(getfullpath('sub/./../name.txt') == p) + '|' + getfilename(p)"},

    // Ini profiles in a temporary file: sections and keys ignore case.
    {"sysfuncprofilestring", "1|feldwert|feldwert|def",
     "var ini = gettemporaryfilename('.ini'); "
     "var r = writeprofilestring(ini, 'Settings', 'stringfeld1', 'feldwert') + '|' + "
     "getprofilestring(ini, 'Settings', 'stringfeld1') + '|' + "
     "getprofilestring(ini, 'settings', 'STRINGFELD1') + '|' + "
     "getprofilestring(ini, 'Settings', 'missing', 'def'); "
     "deletefileforever(ini); r"},
    {"sysfuncprofilewritebool", "1|0",
     "var ini = gettemporaryfilename('.ini'); writeprofilebool(ini, 'Settings', 'yes', true); "
     "writeprofilebool(ini, 'Settings', 'no', false); "
     "var r = getprofilestring(ini, 'Settings', 'yes') + '|' + "
     "getprofilestring(ini, 'Settings', 'no'); deletefileforever(ini); r"},
    {"sysfuncprofilegetbool", "1|0|1|0|1",
     "var ini = gettemporaryfilename('.ini'); writeprofilestring(ini, 'S', 'a', 'yes'); "
     "writeprofilestring(ini, 'S', 'b', 'Nein'); writeprofilestring(ini, 'S', 'c', '7'); "
     "writeprofilestring(ini, 'S', 'd', 'maybe'); "
     "var r = getprofilebool(ini, 'S', 'a') + '|' + getprofilebool(ini, 'S', 'b') + '|' + "
     "getprofilebool(ini, 'S', 'c') + '|' + getprofilebool(ini, 'S', 'd', false) + '|' + "
     "getprofilebool(ini, 'S', 'missing', true); deletefileforever(ini); r"},
    {"sysfunccopyfile", "1|feldwert|1",
     "var src = gettemporaryfilename('.ini'); writeprofilestring(src, 'Settings', 'key', "
     "'feldwert'); var dst = gettemporaryfilename('.ini'); "
     "var r = copyfile(dst, src) + '|' + getprofilestring(dst, 'Settings', 'key') + '|' + "
     "equalfiles(dst, src); deletefileforever(src); deletefileforever(dst); r"},

    // The log message row leaves its text for the output row after it.
    {"sysfunclogfile", "hello world", "logmessage('hello', ' ', 'world')"},
    {"testoutputoflogmessage1", "hello world", nullptr},

    // Closed-file functions: texts are bytes, lines end at LF (a CR before
    // it is dropped).
    {"sysfuncfileexists1", "0", "fileexists('invented.dat')"},
    {"sysfuncfileexists2", "1|0",
     "var f = gettemporaryfilename('.txt'); closedfilewritetext(f, 'x'); var r = fileexists(f); "
     "deletefileforever(f); r + '|' + fileexists(f)"},
    {"sysfuncfileexists3", "0", "fileexists(gettemporaryfolder())"},
    {"sysfuncfilesize", "27|0",
     "var f = gettemporaryfilename('.txt'); closedfilewritetext(f, "
     "'abcdefghijklmnopqrstuvwxyz\\n'); var r = filesize(f); deletefileforever(f); "
     "r + '|' + filesize(f)"},
    {"sysfuncreadlines", "['line 1','line2','line3']",
     "var f = gettemporaryfilename('.txt'); closedfilewritetext(f, 'line "
     "1\\r\\nline2\\nline3\\n'); "
     "var r = closedfilereadlines(f); deletefileforever(f); r"},
    {"sysfuncreadtext", "27|abcdefghijklmnopqrstuvwxyz\n",
     "var f = gettemporaryfilename('.txt'); closedfilewritetext(f, 'abcdefghijklmnopqrstuvwxyz'); "
     "closedfileappendtext(f, '\\n'); var t = closedfilereadtext(f); deletefileforever(f); "
     "t.size() + '|' + t"},
    {"sysfuncreadbinary", "27|1",
     "var f = gettemporaryfilename('.txt'); closedfilewritetext(f, "
     "'abcdefghijklmnopqrstuvwxyz\\n'); var b = closedfilereadbinary(f); deletefileforever(f); "
     "b.size() + '|' + (b == 'abcdefghijklmnopqrstuvwxyz\\n')"},
    {"sysfuncwriterestricted",
     "<error> sysfuncwriterestricted Line 1 Col 1 no permission to write file",
     "closedfilewritetext('/xxx.txt', 'must not be written')"},

    // Open files: binary writes are unchanged, text writes turn LF into CR LF.
    {"sysfuncwritebinary1", "13|13",
     "var name = gettemporaryfilename('.bin'); var f = fileopen(name, 'w'); "
     "openfilewritebinary(f, 'hello\\ndorvash'); var r = openfilepos(f) + '|' + "
     "openfilesize(f); openfileclose(f); deletefileforever(name); r"},
    {"sysfuncchangesize1", "hello|5",
     "var name = gettemporaryfilename('.bin'); var f = fileopen(name, 'w'); "
     "openfilewritebinary(f, 'hello\\ndorvash'); openfilechangesize(f, 5); openfileclose(f); "
     "var r = closedfilereadtext(name) + '|' + filesize(name); deletefileforever(name); r"},
    {"sysfuncwritetext1", "14|14|1",
     "var name = gettemporaryfilename('.txt'); var f = fileopen(name, 'w'); "
     "openfilewritetext(f, 'hello\\ndorvash'); var r = openfilepos(f) + '|' + "
     "openfilesize(f); openfileclose(f); "
     "r += '|' + (closedfilereadbinary(name) == 'hello\\r\\ndorvash'); "
     "deletefileforever(name); r"},
    {"sysfuncdeletefileforever", "before=1, success=1, after=0",
     "var f = gettemporaryfilename('.txt'); closedfilewritetext(f, 'x'); "
     "'before=' + fileexists(f) + ', success=' + deletefileforever(f) + ', after=' + "
     "fileexists(f)"},
    {"sysfuncequalfiles1", "1",
     "var f = gettemporaryfilename('.txt'); closedfilewritetext(f, 'abcdef'); "
     "var r = equalfiles(f, f); deletefileforever(f); r"},
    {"sysfuncequalfiles2", "0",
     "var a = gettemporaryfilename('.txt'); closedfilewritetext(a, 'abcdef'); "
     "var b = gettemporaryfilename('.txt'); closedfilewritetext(b, 'abcxef'); "
     "var r = equalfiles(a, b); deletefileforever(a); deletefileforever(b); r"},

    // Directories, made in a fresh temporary folder and removed again.
    {"sysfuncreaddirectory", "3|a.txt|b.txt|c|1",
     "var d = gettemporaryfoldername('.d'); createdirectory(d); "
     "closedfilewritetext(joinpath(d, 'b.txt'), 'b'); "
     "closedfilewritetext(joinpath(d, 'a.txt'), 'a'); createdirectory(joinpath(d, 'c')); "
     "var v = sort(readdirectory(d)); var r = v.size() + '|' + getfilename(v[0]) + '|' + "
     "getfilename(v[1]) + '|' + getfilename(v[2]) + '|' + (v[0] == joinpath(d, 'a.txt')); "
     "deletefileforever(v[0]); deletefileforever(v[1]); deletedirectory(v[2]); "
     "deletedirectory(d); r"},
    {"sysfunccreatedirectory", "1|1|0",
     "var d = gettemporaryfoldername('.d'); var r = createdirectory(d) + '|' + "
     "directoryexists(d) + '|'; deletedirectory(d); r + directoryexists(d)"},
    {"sysfuncdirectoryexists1", "0", "directoryexists('/doesnotexist/')"},
    {"sysfuncdirectoryexists2", "1|0",
     "var d = gettemporaryfoldername('.d'); createdirectory(d); var f = joinpath(d, 'f.txt'); "
     "closedfilewritetext(f, 'x'); var r = directoryexists(d) + '|' + directoryexists(f); "
     "deletefileforever(f); deletedirectory(d); r"},
    {"sysfuncdirectoryexists3", "0|1",
     "var d = gettemporaryfoldername('.d'); createdirectory(d); var f = joinpath(d, 'f.txt'); "
     "closedfilewritetext(f, 'x'); var r = fileexists(d) + '|' + fileexists(f); "
     "deletefileforever(f); deletedirectory(d); r"},
    {"sysfunccreatedirectories", "1|1|1",
     "var d = gettemporaryfoldername('.d'); var deep = joinpath(d, 'a', 'b'); "
     "var r = createdirectories(deep) + '|' + directoryexists(deep) + '|' + "
     "createdirectories(deep); deletedirectory(deep); deletedirectory(joinpath(d, 'a')); "
     "deletedirectory(d); r"},

    // Temporary names: free paths inside the temporary folder.
    {"sysfuncgettemporaryfilename1", ".mid", "gettemporaryfilename('.mid').right(4)"},
    {"sysfuncgettemporaryfilename2", "1|1|.mid",
     "var n = gettemporaryfilename('hero', '.mid'); textcontains(n, '/hero') + '|' + "
     "(getdirectory(n) == gettemporaryfolder()) + '|' + n.right(4)"},
    {"sysfuncgettemporaryfolder1", ".mid", "gettemporaryfolder('.mid').right(4)"},
    {"sysfuncgettemporaryfolder2", "1",
     "gettemporaryfolder('a', 'b.txt') == gettemporaryfolder() + 'a/b.txt'"},

    // Math: whole numbers stay whole, doubles without fraction become whole.
    {"sysfuncabs1", "3", "abs(-3)"},
    {"sysfuncabs2", "3.500000", "abs(-3.5)"},
    {"sysfuncmin1", "-3", "min(0, -3, 2)"},
    {"sysfuncmin2", "-3", "min([-3, 3.5, 2])"},
    {"sysfuncmin3", "2.25", "min(3.5, 2.25, 7)"},
    {"sysfuncmax1", "2", "max(-3, 1.5, 2)"},
    {"sysfuncmax2", "3.5", "max([-3, 3.5, 2])"},
    {"sysfuncmax3", "<error> sysfuncmax3 Line 1 Col 1 function max requires a number argument",
     "max('x', 2)"},
    {"sysfuncsum1", "-1", "sum(0, -3, 2)"},
    {"sysfuncsum2", "0.500000", "sum(-3, 1.5, 2)"},
    {"sysfuncavg1", "5.500000", "average(1,2,3,4,5,6,7,8,9,10)"},
    {"sysfuncavg2", "2", "average(1, 2, 3)"},
    {"sysfuncswap1", "BA", "var a = 'A'; var b = 'B'; swap(a, b); a + b"},
    {"sysfuncswap2", "[1,2]|{x: 1}", "var a = {x: 1}; var b = [1,2]; swap(a, b); a + '|' + b"},
    {"sysfuncpow1", "16", "pow(2.0,4.0)"},
    {"sysfuncpow2", "0.003906", "pow(16,-2)"},
    {"sysfuncdiv1", "5", "div(16,3)"},
    {"sysfuncdiv2", "5", "div(16.5,3.2)"},
    {"sysfuncdiv3", "<error> sysfuncdiv3 Line 1 Col 1 division by 0", "div(16,0.000)"},
    {"sysfuncsin", "-0.000000", "sin(pi)"},
    {"sysfunccos", "-1.000000", "cos(pi)"},
    {"sysfuncsqrt", "16", "sqr(sqrt(16))"},
    {"sysfuncsqrtneg",
     "<error> sysfuncsqrtneg Line 1 Col 1 function sqrt requires a positive number argument",
     "sqrt(-16)"},
    {"sysfuncceil1", "4", "ceil(3.2)"},
    {"sysfuncceil2", "-3", "ceil(-3.2)"},
    {"sysfuncfloor1", "3", "floor(3.14)"},
    {"sysfuncfloor2", "-4", "floor(-3.14)"},
    {"sysfuncfract", "0.140000", "fract(3.14)"},
    {"sysfuncfract", "-0.140000", "fract(-3.14)"},
    {"sysfuncmodf", "3", "modf(3.14)"},
    {"sysfuncfmod1", "2.100000", "fmod(5.1, 3)"},
    {"sysfuncfmod2", "<error> sysfuncfmod2 Line 1 Col 1 division by 0", "fmod(5.1, 0)"},
    {"sysfuncodd1", "1", "odd(65)"},
    {"sysfuncodd2", "0", "odd(66)"},
    {"sysfuncodd3",
     "<error> sysfuncodd3 Line 1 Col 1 function odd($) requires an integer number argument",
     "odd(3.7)"},
    {"sysfuncround1", "3", "round(3.1)"},
    {"sysfuncround2", "4", "round(3.5)"},
    {"sysfuncround3", "-3", "round(-3.9)"},
    {"sysfuncround4", "3.800000", "round(3.75, 1)"},
    {"sysfuncround5", "3.750000", "round(3.753211, 2)"},
    {"sysfuncround6",
     "<error> sysfuncround6 Line 1 Col 1 function round($) requires a number as first argument",
     "round('13a', 2)"},
    {"sysfuncround7",
     "<error> sysfuncround7 Line 1 Col 1 function round($$) requires an integer number 0-10 as "
     "second argument",
     "round(3.753211, 17)"},

    // callfunction resolves like an ordinary call: user functions first, a
    // name space and a parameter list may select the function, reference
    // parameters reach the caller's variables.
    {"sysfunccallfunction1", "16", "callfunction('pow', 2, 4)"},
    {"sysfunccallfunction2", "4", "callfunction('max', 2, 4, 3, -3)"},
    {"sysfunccallfunction3",
     "<error> sysfunccallfunction3 Line 1 Col 1 function not existing: notexisting($$)",
     "callfunction('notexisting', 2, 4)"},
    {"sysfunccallfunction4", "-8|3|-4",
     "function myfunc(&refa,valueb) { return refa++ * valueb++; }; var x = 2, y = -4; "
     "callfunction('myfunc', x, y)+'|'+x+'|'+y"},
    {"sysfunccallfunction5", "3+4",
     "function ::sum(a,b) { return 0; } function other::sum(a,b) { return a + '+' + b; } "
     "callfunction('other::sum(a,b)',3,4);"},
    {"sysfunccallfunction6", "two",
     "function f(a) { return 'one'; } function f(a,b) { return 'two'; } "
     "callfunction('f(a,b)', 1, 2)"},
    {"sysfunccallfunction7", "hello", "function hello() { return 'hello'; } callfunction('hello')"},
    {"sysfunccallfunction8", "3|1",
     "function count(...) { return count.size() + '|' + count[0]; } callfunction('count', 1, 2, "
     "3)"},
    {"sysfunccallfunction9", "4", "var name = 'sqrt'; callfunction(name, 16)"},
    {"sysfunccallfunction10", "mine",
     "function max(a,b) { return 'mine'; } callfunction('max', 1, 2)"},
    {"sysfunccallfunction11", "1024", "'pow'.callfunction(2, 10)"},
    {"sysfunccallfunction12",
     "<error> sysfunccallfunction12 Line 1 Col 1 function not existing: sqrt($$)",
     "callfunction('sqrt', 16, 2)"},

    // Keys and values in key order; the five sort orders and their inverses.
    {"sysfunccollectionkeys", "['color','day','month','name','year']",
     SAMPLEPERSON "collectionkeys(s)"},
    {"sysfunccollectionvalues", "['blue',13,5,'Dorvash',1967]", SAMPLEPERSON "collectionvalues(s)"},
    {"sysfuncsort1", "[5,13,1967,'Dorvash','blue']", SAMPLEPERSON "sort(collectionvalues(s))"},
    {"sysfuncsort2", "[3,20,100]", "sort([100,20,3])"},
    {"sysfuncsortalphabetic1", "[13,1967,5,'Dorvash','blue']",
     SAMPLEPERSON "sortalphabetic(collectionvalues(s))"},
    {"sysfuncsortalphabetic2", "[100,20,3]", "sortalphabetic([100,20,3])"},
    {"sysfuncinversesort1", "['blue','Dorvash',1967,13,5]",
     SAMPLEPERSON "inversesort(collectionvalues(s))"},
    {"sysfuncinversesort2", "[100,20,3]", "inversesort([3,100,20])"},
    {"sysfuncinversesortalphabetic1", "['blue','Dorvash',5,1967,13]",
     SAMPLEPERSON "inversesortalphabetic(collectionvalues(s))"},
    {"sysfuncinversesortalphabetic2", "[3,20,100]", "inversesortalphabetic([100,20,3])"},
    {"sysfuncsortnumeric1", "[5,13,1967,'blue','Dorvash']",
     SAMPLEPERSON "sortnumeric(collectionvalues(s))"},
    {"sysfuncsortnumeric2", "[2,3.5,10,'A','b']", "sortnumeric([3.5, 10, 'b', 2, 'A'])"},
    {"sysfuncinversesortnumeric1", "['Dorvash','blue',1967,13,5]",
     SAMPLEPERSON "inversesortnumeric(collectionvalues(s))"},
    {"sysfuncinversesortnumeric2", "['b','A',10,3.5,2]",
     "inversesortnumeric([3.5, 10, 'b', 2, 'A'])"},
    {"sysfuncsortignorecase", "[13,1967,5,'blue','Dorvash']",
     SAMPLEPERSON "sortignorecase(collectionvalues(s))"},
    {"sysfuncinversesortignorecase", "['Dorvash','blue',5,1967,13]",
     SAMPLEPERSON "inversesortignorecase(collectionvalues(s))"},

    // Sorting with a script compare function that answers a < b; further
    // arguments reach it after a and b.
    {"sysfuncusercompare1", "['first','second']",
     "function lessthan(a, b) { return a == 'first' && b != 'first'; } "
     "sort(['second','first'], 'lessthan')"},
    {"sysfuncsortcompareinvalid",
     "<error> sysfuncsortcompareinvalid Line 1 Col 1 compare function missingcomparefunc($$) not "
     "found",
     "sort([2,1], 'missingcomparefunc')"},
    {"sysfuncsortcomparestringfunc1", "['a','bb','ccc']",
     "function shorter(a, b) { return a.length() < b.length(); } "
     "sort(['ccc','a','bb'], 'shorter')"},
    {"sysfuncsortcomparestringfunc2", "[{n: 'a'},{n: 'b'},{n: 'c'}]",
     "function byfield(a, b, field) { return a[field] < b[field]; } "
     "sort([{n: 'b'}, {n: 'c'}, {n: 'a'}], 'byfield', 'n')"},
    {"sysfuncsortcomparenumbers", "[1,9,10,100]",
     "function numless(a, b) { return a < b; } sort([10, 9, 100, 1], 'numless')"},
    {"sysfuncinversesortcomparenumbers", "[100,10,9,1]",
     "function numless(a, b) { return a < b; } inversesort([10, 9, 100, 1], 'numless')"},
    {"sysfuncsortempty1", "[]", "var list; sort(list)"},
    {"sysfuncsortempty2", "[]", "sort([])"},

    // Grep: every (operator, value) pair must hold.
    {"sysfuncgrepkeys1", "{color: 'blue', month: 5}", SAMPLEPERSON "grepkeys(s, '=~', 'o')"},
    {"sysfuncgrepcollectionvalues1", "{day: 13, year: 1967}",
     SAMPLEPERSON "grepvalues(s, '>=', 10, '<=', 10000)"},
    {"sysfuncgrepcollectionvalues2", "{color: 'blue', day: 13}",
     SAMPLEPERSON "grepvalues(s, 'in', '13,blue')"},
    {"sysfuncgrepvectorvalues1", "[2,3,4]", "grepvalues([1,2,3,4,5,6], 'in', '2-4')"},
    {"sysfuncgrepvectorvalues2", "[3]", "grepvalues([1,2,3,4,5,6], 'in', '3;3;3')"},
    {"sysfuncgrepvectorvalues3", "[1,6,10]", "grepvalues([1,2,3,4,5,6,10], '=~', '[16789]+')"},
    {"sysfuncgrepvectorvalues4", "[1]", "grepvalues([1,2,3,4,5,6,10], '<', 2)"},
    {"sysfuncgrepvectorvalues5", "[6,10]", "grepvalues([1,2,3,4,5,6,10], '>=', 6)"},
    {"sysfuncgrepvectorvalues6", "[4]", "grepvalues([1,2,3,4,5,6,10], '>', 3, '<', 5)"},
    {"sysfuncgrepvectorvalues7", "[1,5,6]", "grepvalues([1,2,3,4,5,6], '!in', '2-4')"},
    {"sysfuncgrepvectorvalues8", "['apple','cherry']",
     "grepvalues(['apple','banana','cherry','blueberry'], '!~', '^b')"},
    {"sysfuncgrepvectorvalues9",
     "<error> sysfuncgrepvectorvalues9 Line 1 Col 1 grepvalues(collection,operator,value,...) "
     "requires pairs of operator names and values",
     "grepvalues([1,2,3], '>', 1, '<')"},
    {"sysfuncgrepvectorvalues10",
     "<error> sysfuncgrepvectorvalues10 Line 1 Col 1 invalid compare operator",
     "grepvalues([1,2,3], 'like', 2)"},

    // eval runs in the calling context; inner errors carry their own position.
    {"sysfunceval1", "50|25", "var x = 6; eval('x = x + 0x13; x * 2') + '|' + x"},
    {"sysfunceval2", "<error> sysfunceval2 Line 1 Col 1 <evalerror> Line 1 Col 3 division by 0",
     "eval('3/0')"},
    {"sysfunceval3",
     "<error> sysfunceval3 Line 1 Col 1 <evalerror> Line 1 Col 6 invalid syntax: unexpected "
     "token ",
     "eval('3+(4*')"},
    {"sysfunctr1", "invalid syntax:", "translate('invalid syntax:', 'scriptscanner')"},
    {"sysfuncsetclipboard1", "1",
     "var input = random(); setclipboardtext(input); var output = getclipboardtext(); "
     "input == output ? 1 : 0"},

    // include: the test context serves "myinclude.vornscript" itself.
    {"sysfuncincludeinvalid",
     "<error> sysfuncincludeinvalid Line 1 Col 1 include file not found in include path: "
     "notexistentinclude.vornscript",
     "include('notexistentinclude.vornscript')"},
    {"sysfuncincludemycode", "4", "include('myinclude.vornscript'); myincludedfunc(16)"},
    {"sysfuncincludefile", "27|7",
     "var f = gettemporaryfilename('.vornscript'); closedfilewritetext(f, "
     "'function includedcube(x) { return x*x*x; }\\nvar includedvalue = 7;'); include(f); "
     "deletefileforever(f); includedcube(3) + '|' + includedvalue"},

    // Parameter lists are checked when the definition is parsed.
    {"userfunctionduplicateparam",
     "<error> userfunctionduplicateparam Line 1 Col 15 invalid syntax: function parameter name "
     "duplicate used: a",
     "function f(a, a) { return a; } f(1, 2)"},
    {"userfunctionwrongparam",
     "<error> userfunctionwrongparam Line 1 Col 15 invalid syntax: function parameter requires "
     "parameter name: 3",
     "function f(a, 3) { return a; } f(1, 2)"},

    // duplicate makes a deep copy: bound with =& it is changed on its own.
    {"duplicatestructure1", "{day: 13, list: [1,2]}|{day: 14, list: [9,2]}",
     "var s = {day: 13, list: [1,2]}; var d =& duplicate(s); d.list[0] = 9; d.day = 14; "
     "s + '|' + d"},
    {"duplicatestructure2", "17",
     "function f(&refparam) { refparam.x = 3; }; var s = {x: 17}; f(s.duplicate()); s.x"},
    {"duplicatevector1", "[1,[2,3]]|[1,['x',3]]",
     "var v = [1, [2, 3]]; var d =& duplicate(v); d[1][0] = 'x'; v + '|' + d"},
    {"duplicatevector2", "15|14",
     "var x = 13; var e; pushreference(e, x); var d =& duplicate(e); d[0] = 14; e[0] = 15; "
     "x + '|' + d[0]"},
    {"duplicatestring1", "abc|abcdef",
     "var s = 'abc'; var d =& duplicate(s); d += 'def'; s + '|' + d"},
    {"duplicatestring2", "string|12",
     "var s = (string)1; var d =& s.duplicate(); gettype(d) + '|' + (d + 2)"},

    // die stops with an error, exit stops normally and leaves its code.
    {"sysfuncdie", "<error> sysfuncdie Line 1 Col 1 abort", "die('abort')"},
    {"sysfuncexit", "", "exit('-17')"},
    {"testoutputofexit1", "-17", nullptr},
    {"sysfuncuserexception", "myexception",
     "try { throwexception('myexception'); } catch (var e) { e.what; }"},

    // CSV lines and integer range lists.
    {"makecsvline1", "a,\"b c\",d\n", "makecsvline(['a','b c','d'], ',')"},
    {"parsecsvline1", "a|b|c d", "join('|', parsecsvline('a;b;\"c d\"'))"},
    {"splitcsvlines1", "a;b;|\"c\nd\";\"e f\";",
     "join('|', splitcsvlines('a;b;\\n\"c\\nd\";\"e f\";'))"},
    {"parseintrangelist1", "[1,2,3,5,6,7,9]", "parseintrangelist('1,2 3;5-7 9')"},
    {"parseintrangelist2", "[5,4,3,2,1]", "parseintrangelist(' 5 - 1 ')"},
    {"parseintrangelist3", "[10]", "parseintrangelist('  10  ')"},
};

#undef SAMPLEPERSON

} // namespace

std::span<const CatalogueRow> systemfunctionrowssecond() {
    return rows;
}

} // namespace vornscriptunittests

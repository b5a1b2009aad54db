// Text functions called the way the dispatcher calls them: selected by name
// and argument count through the registry (so the family's table keys and
// the padding of optional arguments are covered too), with results compared
// as their text forms and failures as their exact messages.
#include "interpreter/context.h"
#include "sysfunctions/systemfunctionregistry.h"
#include "sysfunctions/textfunctions.h"
#include "values/structurehandler.h"
#include "values/vectorhandler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vornscriptunittests {

using namespace vornscript;

namespace {

VornScriptObjectPtr s(const char* text) {
    return makestringvalue(text);
}
VornScriptObjectPtr s(std::string text) {
    return makestringvalue(std::move(text));
}
VornScriptObjectPtr n(int64_t value) {
    return makelongvalue(value);
}
VornScriptObjectPtr d(double value) {
    return makedoublevalue(value);
}
VornScriptObjectPtr null() {
    return makeundefinedvalue();
}
VornScriptObjectPtr vec(std::vector<VornScriptObjectPtr> elements) {
    return makehandlervalue(makeref<VornScriptObjectVectorHandler>(std::move(elements)));
}
VornScriptObjectPtr record(std::vector<std::pair<const char*, VornScriptObjectPtr>> members) {
    VornScriptMemberMap map;
    for (auto& [name, value] : members) {
        map.emplace(name, value);
    }
    return makehandlervalue(makeref<VornScriptObjectStructureHandler>(std::move(map)));
}
// An undefined variable as a script's `var name;` binds it.
VornScriptObjectPtr variable(const char* name) {
    VornScriptObjectPtr value = makeundefinedvalue();
    value->setname(name);
    return value;
}

// The result text, or "<error> " and the message. A vector result is written
// as its element texts between "[" and "]" separated by "|", so the rows show
// the parts themselves rather than their quoted element forms.
std::string call(const std::string& name, std::vector<VornScriptObjectPtr> arguments) {
    VornSystemFunctionSelection selection;
    std::string error;
    if (!selectsystemfunction(name, arguments.size(), selection, error)) {
        return "<error> " + error;
    }
    while (arguments.size() < selection.parametercount) {
        arguments.push_back(makeundefinedvalue());
    }
    VornScriptContextBase context;
    VornScriptObjectPtr result;
    VornSystemCall systemcall{context, name, arguments, result, error};
    if (!selection.impl(systemcall)) {
        return "<error> " + error;
    }
    if (!result) {
        return "<no result>";
    }
    if (result->getobjecttype() != VornObjectType::vector) {
        return result->tostring();
    }
    VornScriptObjectList elements;
    result->getvectorelements(elements, error);
    std::string text = "[";
    for (const VornScriptObjectPtr& element : elements) {
        if (text.size() > 1) {
            text += '|';
        }
        text += element->tostring();
    }
    return text + "]";
}

struct Row {
    const char* function;
    std::vector<VornScriptObjectPtr> arguments;
    std::string expected;
};

void checkrows(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        std::string arguments;
        for (const VornScriptObjectPtr& argument : row.arguments) {
            if (!arguments.empty()) {
                arguments += ", ";
            }
            arguments += argument->toelementstring();
        }
        EXPECT_EQ(call(row.function, row.arguments), row.expected)
            << row.function << "(" << arguments << ")";
    }
}

} // namespace

TEST(TextFunctions, SubstringsAndLengths) {
    checkrows({
        {"mid", {s("abcdef"), n(3)}, "def"},
        {"mid", {s("abcdef"), n(3), n(2)}, "de"},
        {"mid", {s("abcdefghijklmnopqrstuvw"), n(12), n(1)}, "m"},
        {"mid", {s("abcdef"), n(10)}, ""},
        {"mid", {s("abcdef"), makestringvalue("2", VornTypeCode::string), d(1.9)}, "c"},
        {"mid", {s("abcdef"), d(1e300)}, ""},
        {"mid", {s("abcdef"), n(4), n(100)}, "ef"},
        {"mid", {s("abcdef"), n(-1)}, "<error> mid position argument must be a positive number"},
        {"mid", {s("abcdef"), s("x")}, "<error> mid position argument must be a positive number"},
        {"mid",
         {s("abcdef"), n(1), n(-2)},
         "<error> mid optional length argument must be a positive number"},
        {"left", {s("abcdef"), n(3)}, "abc"},
        {"left", {s("ab"), n(3)}, "ab"},
        {"left", {n(1234), n(2)}, "12"},
        {"left",
         {s("abcdef"), n(-1)},
         "<error> left optional length position argument must be a positive number"},
        {"right", {s("abcdef"), n(3)}, "def"},
        {"right", {s("ab"), n(5)}, "ab"},
        {"right",
         {s("abcdef"), n(-3)},
         "<error> right optional length position argument must be a positive number"},
        {"fill", {s("abcdefg"), n(1), n(5), s("AB")}, "aABABAg"},
        {"fill", {s("abcdefghij"), n(7), n(5), s("XYZ")}, "abcdefgXYZ"},
        {"fill", {s("abc"), n(0), n(-1), s("X")}, "<error> fill size must be a positive number"},
        {"fill",
         {s("abc"), n(-1), n(1), s("X")},
         "<error> fill pos must be a positive number inside text"},
        {"fill",
         {s("abc"), n(4), n(1), s("X")},
         "<error> fill pos must be a positive number inside text"},
        {"strlen", {s("abcdefghijklmnopqrstuvwxyz")}, "26"},
        {"length", {n(-123)}, "4"},
        {"size", {s("")}, "0"},
        {"length", {vec({n(1), null(), n(3), n(4)})}, "4"},
        {"size", {record({{"a", n(1)}, {"b", n(2)}})}, "2"},
        {"strlen", {null()}, "<error> expected string or vector or structure"},
        {"isempty", {null()}, "1"},
        {"isempty", {s("")}, "1"},
        {"isempty", {vec({})}, "1"},
        {"isempty", {record({})}, "1"},
        {"isempty", {s(" ")}, "0"},
        {"isempty", {n(0)}, "0"},
        {"isempty", {vec({null()})}, "0"},
    });
}

TEST(TextFunctions, SearchAndComparison) {
    checkrows({
        {"index", {s("abcdef"), s("z")}, "-1"},
        {"index", {s("abcdef"), s("d")}, "3"},
        {"index", {s("abab"), s("")}, "0"},
        {"rindex", {s("abcabc"), s("bc")}, "4"},
        {"rindex", {s("abc"), s("x")}, "-1"},
        {"containstext", {s("hello"), s("ell")}, "1"},
        {"textcontains", {s("hello"), s("ELL")}, "0"},
        {"textstartswith", {s("hello"), s("he")}, "1"},
        {"textstartswith", {s("hello"), s("lo")}, "0"},
        {"textendswith", {s("hello"), s("lo")}, "1"},
        {"textendswith", {s("lo"), s("hello")}, "0"},
        {"strcmp", {n(123), n(25)}, "-1"},
        {"strcmp", {s("ARBEIT"), s("arbeit")}, "-1"},
        {"strcmp", {s("abc"), s("abc")}, "0"},
        {"strcmp", {s("abcd"), s("abc")}, "1"},
        {"strcmp", {s("\xE4"), s("z")}, "1"},
        {"stricmp", {s("arbeit"), s("Arbeit")}, "0"},
        {"stricmp", {s("erde"), s("BACH")}, "1"},
        {"stricmp", {s("ab"), s("ABC")}, "-1"},
        {"comparetext", {s("hello"), s("HELLO")}, "1"},
        {"comparetextignorecase", {s("hello"), s("HELLO")}, "0"},
        {"comparenumeric", {s("13"), s("12")}, "1"},
        {"comparenumeric", {s("9"), s("10")}, "-1"},
        {"comparenumeric", {s("-5"), s("+3")}, "-1"},
        {"comparenumeric", {d(13.333), s("000013.3330000")}, "0"},
        {"comparenumeric", {s("2.5"), s("10.25")}, "-1"},
        {"comparenumeric", {s("2.5"), s("10")}, "1"},
        {"comparenumeric", {s("a13"), s("a14")}, "-1"},
        {"comparenumeric", {s("99999999999999999999"), s("1")}, "1"},
    });
}

TEST(TextFunctions, ConversionAndClassification) {
    checkrows({
        {"trim", {s("    abcdef  \t\n\r")}, "abcdef"},
        {"trim", {s(".")}, "."},
        {"trimleft", {s("    abcdef    ")}, "abcdef    "},
        {"trimright", {s("  abc \r\n")}, "  abc"},
        {"escapestring",
         {s(std::string("a\tb\n'\"\\\0\x01\xE4", 10))},
         "a\\tb\\n\\'\\\"\\\\\\0\\x01\xE4"},
        {"unescapestring", {s("a\\tb\\x41\\'")}, "a\tbA'"},
        {"quotestring", {s("hello \"world")}, "'hello \\\"world'"},
        {"unquotestring", {s("'it\\'s'")}, "it's"},
        {"unquotestring", {s("\"a\\tb\"")}, "a\tb"},
        {"unquotestring", {s("plain 'text'")}, "plain 'text'"},
        {"ord", {s("A")}, "65"},
        {"ord", {s("\xFF")}, "255"},
        {"ord", {s("AB")}, "<error> function ord requires a string with length 1 as argument"},
        {"ord", {s("")}, "<error> function ord requires a string with length 1 as argument"},
        {"chr", {n(65)}, "A"},
        {"chr", {n(43)}, "+"},
        {"chr", {n(255)}, "\xFF"},
        {"chr", {n(256)}, "<error> function chr expects a number between 0 and 255"},
        {"chr", {n(-1)}, "<error> function chr expects a number between 0 and 255"},
        {"chr", {s("A")}, "<error> function chr expects a number between 0 and 255"},
        {"toupper", {s("abcDEF1_\xE4")}, "ABCDEF1_\xE4"},
        {"tolower", {s("ABCdef1_")}, "abcdef1_"},
        {"isnumber", {n(-13)}, "1"},
        {"isnumber", {d(13.76)}, "1"},
        {"isnumber", {s("-13.76")}, "1"},
        {"isnumber", {s("")}, "0"},
        {"isnumber", {null()}, "0"},
        {"isnumber", {s("13.")}, "0"},
        {"isnumber", {s("1e5")}, "0"},
        {"isnumber", {s("0x1F")}, "0"},
        {"ishexnumber", {s("-13")}, "0"},
        {"ishexnumber", {s("x13")}, "0"},
        {"ishexnumber", {s("13.76")}, "0"},
        {"ishexnumber", {s("3abcdef")}, "1"},
        {"ishexnumber", {s("d30")}, "1"},
        {"ishexnumber", {null()}, "0"},
        {"isalpha", {s("x3")}, "0"},
        {"isalpha", {s("xY")}, "1"},
        {"isalphanumeric", {s("x3")}, "1"},
        {"iswhitespace", {s(" \t\r\n")}, "1"},
        {"iswhitespace", {s(" x")}, "0"},
    });
    for (const char* function : {"isalpha", "isalphanumeric", "iswhitespace"}) {
        checkrows({{function, {s("")}, "0"}, {function, {null()}, "0"}, {function, {n(-13)}, "0"}});
    }
}

TEST(TextFunctions, SplittingAndJoining) {
    const VornScriptObjectPtr words = vec({s("hello"), s("world")});
    checkrows({
        {"split", {s("a,b,c,d,e")}, "[a|b|c|d|e]"},
        {"split", {s("a,,b,")}, "[a||b|]"},
        {"split", {s("")}, "[]"},
        {"split", {s("a--b"), s("--")}, "[a|b]"},
        {"splitlines", {s("a \r\n b\n c\r\n\r\nd e"), n(0)}, "[a \r\n| b\n| c\r\n|\r\n|d e]"},
        {"splitlines", {s("a \r\n b\n c\r\n\r\nd e"), n(1)}, "[a| b| c||d e]"},
        {"splitwords", {s("a \r\n b\n c,d\r\n\r\nd?e")}, "[a|b|c|d|d?e]"},
        {"splitwords", {s("a b\n c\r\n\r\nd, e"), s("\t\r\n?,;!")}, "[a b| c|d| e]"},
        {"join", {s(" "), words, s("!")}, "hello world !"},
        {"join", {s("-"), words}, "hello-world"},
        {"join", {s("-"), record({{"b", n(2)}, {"a", n(1)}})}, "1-2"},
        {"join", {s("+"), s("a"), n(2), s("c")}, "a+2+c"},
        {"join", {s("-"), s("abc")}, "<error> structure or vector expected"},
        {"concat", {s("<"), words, s(">")}, "<helloworld>"},
        {"concat", {words}, "helloworld"},
        {"concat", {n(5)}, "<error> structure or vector expected"},
    });
}

TEST(TextFunctions, RangeListsAndCsv) {
    checkrows({
        {"parseintrangelist", {s("1,2 3;5-7 9")}, "[1|2|3|5|6|7|9]"},
        {"parseintrangelist", {s(" 5 - 1 ")}, "[5|4|3|2|1]"},
        {"parseintrangelist", {s("  10  ")}, "[10]"},
        {"parseintrangelist", {s("3,3")}, "[3|3]"},
        {"parseintrangelist", {s("1-x")}, "<error> parseintrangelist invalid range list syntax"},
        {"makecsvline", {vec({s("a"), s("b c"), s("d")}), s(",")}, "a,\"b c\",d\n"},
        {"makecsvline", {vec({s("x\"y"), s("")}), s(";")}, "\"x\"\"y\";\n"},
        {"parsecsvline", {s("a;b;\"c d\"")}, "[a|b|c d]"},
        {"parsecsvline", {s("a;b,c"), s(";")}, "[a|b,c]"},
        {"parsecsvline",
         {s("\t \"1, \"\"2\"\", 3\", \",;\t:\r\n\"\r\n")},
         "[1, \"2\", 3|,;\t:\r\n]"},
        {"parsecsvline", {s("a,\"b")}, "<error> missing ending quote"},
        {"parsecsvline", {s("a,b\nc")}, "<error> extra characters before end of line"},
        {"splitcsvlines", {s("a;b;\n\"c\nd\";\"e f\";")}, "[a;b;|\"c\nd\";\"e f\";]"},
        {"splitcsvlines", {s("'a\nb'\nc"), s("'")}, "['a\nb'|c]"},
    });
}

TEST(TextFunctions, ReplaceAndWildcards) {
    const VornScriptObjectPtr wordsignorecase = record({{"ignorecase", n(1)}, {"wordsonly", n(1)}});
    const VornScriptObjectPtr regexfirst =
        record({{"regularexpressions", n(1)}, {"replaceall", n(0)}});
    checkrows({
        {"replace", {s("through the never"), s("e"), s("E")}, "through thE nEvEr"},
        {"replace", {s("aaa"), s("a"), s("aa")}, "aaaaaa"},
        {"replace",
         {s("we have the thesis"), s("THE"), s("a"), wordsignorecase},
         "we have a thesis"},
        {"replace", {s("a1b22"), s("[0-9]+"), s("#"), regexfirst}, "a#b22"},
        {"replace", {s("abc"), s("b"), s("x"), null()}, "axc"},
        {"replace",
         {s("abc"), s("(b"), s("x"), record({{"regularexpressions", n(1)}})},
         "<error> regular expression error"},
        {"defaultreplaceoptions",
         {},
         "{encodenotascii: 0, ignorecase: 0, regularexpressions: 0, replaceall: 1, wholeonly: 0, "
         "wordsonly: 0}"},
        {"like", {s("hellohello"), s("*ello*h*")}, "1"},
        {"like", {s("hello3hello"), s("h[ae]llo#h[ae]llo")}, "1"},
        {"like", {s("Hello"), s("h*")}, "0"},
        {"substitute", {s("hello"), s("e"), s("a")}, "hallo"},
        {"substitute", {s("hello Lord"), s("l"), s("L"), s("gi")}, "heLLo Lord"},
        {"substitute",
         {s("its all about geeksforgeeks"), s("(geeks)(.*)"), s("$2"), s("")},
         "its all about forgeeks"},
        {"substitute", {s("hello"), s("h([el]+)(o+)"), s("h$1...$2")}, "hell...o"},
        {"substitute", {s("hello"), s("[e"), s("a")}, "<error> regular expression syntax error"},
    });
}

TEST(TextFunctions, MatchWritesGroupsIntoBoundArguments) {
    checkrows({
        {"match", {s("hello"), s("^h[el]+o$")}, "1"},
        {"match", {s("hello"), s("E")}, "0"},
        {"match", {s("hello"), s("(")}, "<error> regular expression syntax error"},
    });

    const VornScriptObjectPtr whole = variable("whole");
    const VornScriptObjectPtr group = variable("x");
    EXPECT_EQ(call("match", {s("hello"), s("^h([el]+)o$"), whole, group}), "1");
    EXPECT_EQ(whole->tostring() + "|" + group->tostring(), "hello|ell");

    // null holds the place of the whole match; a surplus output becomes undefined.
    const VornScriptObjectPtr a = variable("a");
    const VornScriptObjectPtr b = variable("b");
    const VornScriptObjectPtr extra = variable("extra");
    std::string error;
    ASSERT_TRUE(extra->assign(s("old"), error));
    EXPECT_EQ(call("match", {s("hello"), s("^h([el]*)(o+)$"), null(), a, b, extra}), "1");
    EXPECT_EQ(a->tostring() + "|" + b->tostring(), "ell|o");
    EXPECT_TRUE(extra->isnull());

    // After a failed match the outputs are undefined.
    const VornScriptObjectPtr missed = variable("missed");
    EXPECT_EQ(call("match", {s("hello"), s("^x(.)"), missed}), "0");
    EXPECT_TRUE(missed->isnull());

    // The text may be the output variable itself.
    const VornScriptObjectPtr text = s("key=value");
    text->setname("text");
    const VornScriptObjectPtr value = variable("value");
    EXPECT_EQ(call("match", {text, s("(\\w+)=(\\w+)"), null(), text, value}), "1");
    EXPECT_EQ(text->tostring() + "|" + value->tostring(), "key|value");
}

TEST(TextFunctions, SharedRegexTest) {
    bool matched = false;
    std::string error;
    EXPECT_TRUE(scriptregexmatch("hello", "h.*llo", matched, error));
    EXPECT_TRUE(matched);
    EXPECT_TRUE(scriptregexmatch("hello", "h[aEiou]llo", matched, error));
    EXPECT_FALSE(matched);
    EXPECT_FALSE(scriptregexmatch("hello", "a{2,1}", matched, error));
    EXPECT_EQ(error, "regular expression syntax error");
}

} // namespace vornscriptunittests

// Collection, sort, grep, byte-buffer and JSON functions, called through the
// system-function selector with values built here: rows of (function,
// arguments, expected result text or "<error> " plus the message).
#include "interpreter/context.h"
#include "sysfunctions/systemfunctionregistry.h"
#include "values/structurehandler.h"
#include "values/vectorhandler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace vornscriptunittests {

using namespace vornscript;

namespace {

VornScriptObjectPtr S(const char* text) {
    return makestringvalue(text);
}
VornScriptObjectPtr N(int64_t value) {
    return makelongvalue(value);
}
VornScriptObjectPtr U() {
    return makeundefinedvalue();
}
VornScriptObjectPtr V(VornScriptObjectList elements) {
    return makehandlervalue(makeref<VornScriptObjectVectorHandler>(std::move(elements)));
}
VornScriptObjectPtr ST(std::vector<std::pair<const char*, VornScriptObjectPtr>> members) {
    VornScriptMemberMap map;
    for (auto& [name, value] : members) {
        map.emplace(name, std::move(value));
    }
    return makehandlervalue(makeref<VornScriptObjectStructureHandler>(std::move(map)));
}
// A value as a variable holds it (variables carry their name).
VornScriptObjectPtr variable(VornScriptObjectPtr value, const char* name = "x") {
    value->setname(name);
    return value;
}
VornScriptObjectPtr person() {
    return ST({{"name", S("Dorvash")},
               {"day", N(13)},
               {"month", N(5)},
               {"year", N(1967)},
               {"color", S("blue")}});
}

// Calls the function as the dispatcher would, with the implementation that
// the selector finds for the call key.
bool callvalue(const std::string& name, VornScriptObjectList arguments, VornScriptObjectPtr& result,
               std::string& error) {
    const VornSystemFunctionSelection selection =
        systemfunctionselector().select(callkey(name, arguments.size()));
    if (selection.impl == nullptr) {
        error = "no implementation";
        return false;
    }
    while (arguments.size() < selection.parametercount) {
        arguments.push_back(makeundefinedvalue());
    }
    VornScriptContextBase context;
    VornSystemCall systemcall{context, name, arguments, result, error};
    return selection.impl(systemcall);
}

// The result text, or "<error> " and the message.
std::string call(const std::string& name, VornScriptObjectList arguments) {
    VornScriptObjectPtr result;
    std::string error;
    if (!callvalue(name, std::move(arguments), result, error)) {
        return "<error> " + error;
    }
    return result ? result->tostring() : "<none>";
}

struct CallCase {
    const char* function;
    VornScriptObjectList arguments;
    const char* expected;
};

void checkcalls(const std::vector<CallCase>& cases) {
    for (const CallCase& row : cases) {
        EXPECT_EQ(call(row.function, row.arguments), row.expected) << "function: " << row.function;
    }
}

} // namespace

TEST(CollectionFunctions, PushPopShiftInsert) {
    VornScriptObjectPtr e = variable(U(), "e");
    EXPECT_EQ(call("push", {e, S("ja")}), "1");
    EXPECT_EQ(call("pop", {e}), "ja");
    EXPECT_EQ(e->tostring(), "[]");

    VornScriptObjectPtr arr = variable(V({S("x"), S("y")}));
    EXPECT_EQ(call("pop", {arr}), "y");
    EXPECT_EQ(call("pop", {arr}), "x");
    EXPECT_EQ(call("pop", {arr}), "");

    VornScriptObjectPtr numbers = variable(V({N(1), N(2), N(3), N(4), N(5)}));
    EXPECT_EQ(call("shift", {numbers}), "1");
    EXPECT_EQ(numbers->tostring(), "[2,3,4,5]");
    EXPECT_EQ(call("shift", {variable(V({}))}), "");

    VornScriptObjectPtr front = V({N(1), N(2), N(3)});
    EXPECT_EQ(call("unshift", {front, N(4)}), "4");
    EXPECT_EQ(front->tostring(), "[4,1,2,3]");
    VornScriptObjectPtr middle = V({N(1), N(2), N(3)});
    call("insert", {middle, N(2), N(4)});
    EXPECT_EQ(middle->tostring(), "[1,2,4,3]");
    VornScriptObjectPtr beyond = V({N(1), N(2), N(3)});
    call("insert", {beyond, N(5), N(4)});
    EXPECT_EQ(beyond->tostring(), "[1,2,3,,,4]");

    // A pushed collection is a copy; a pushed reference shares the variable.
    VornScriptObjectPtr inner = V({N(1)});
    VornScriptObjectPtr outer = variable(U());
    call("push", {outer, inner});
    call("push", {inner, N(2)});
    EXPECT_EQ(outer->tostring(), "[[1]]");
    VornScriptObjectPtr x = variable(N(13), "x");
    VornScriptObjectPtr refs = variable(U(), "refs");
    call("pushreference", {refs, x});
    VornScriptObjectPtr element;
    std::string error;
    ASSERT_TRUE(refs->popvectorelement(element, error));
    ASSERT_TRUE(element->assign(N(14), error));
    EXPECT_EQ(x->tostring(), "14");
}

TEST(CollectionFunctions, VectorArgumentErrors) {
    checkcalls({
        {"push", {S("text"), N(1)}, "<error> function push requires a vector"},
        {"pushreference", {N(3), N(1)}, "<error> function pushreference requires a vector"},
        {"pop", {U()}, "<error> function pop requires a vector"},
        {"shift", {S("a")}, "<error> function shift requires a vector"},
        {"unshift", {ST({}), N(1)}, "<error> function unshift requires a vector"},
        {"insert",
         {V({}), N(-1), N(1)},
         "<error> function insert requires a positive index number"},
        {"insert",
         {V({}), S("a"), N(1)},
         "<error> function insert requires a positive index number"},
        {"insert", {N(1), N(0), N(1)}, "<error> function insert requires a vector"},
        {"clear", {V({N(1)})}, "<error> function clear requires a variable"},
    });
}

TEST(CollectionFunctions, ClearKeysAndValues) {
    VornScriptObjectPtr arr = variable(V({S("x"), S("y")}));
    EXPECT_EQ(call("clear", {arr}), "[]");
    VornScriptObjectPtr text = variable(S("abc"));
    call("clear", {text});
    EXPECT_EQ(text->tostring(), "");

    const char* date = "day: 13; month: 5; year: 1967;";
    checkcalls({
        {"containsvalue", {S(date), S("1967")}, "1"},
        {"containsvalue", {S(date), S("1968")}, "0"},
        {"containsvalue", {person(), S("13")}, "1"},
        {"containsvalue", {V({N(1), U()}), U()}, "1"},
        {"containsvalue", {V({N(1), N(2)}), S("3")}, "0"},
        {"containskey", {person(), S("xxx")}, "0"},
        {"containskey", {person(), S("day")}, "1"},
        {"containskey", {V({N(7), N(8)}), N(1)}, "1"},
        {"containskey", {V({N(7), N(8)}), N(2)}, "0"},
        {"containskey", {U(), S("a")}, "<error> structure or vector expected"},
        {"removekey", {U(), S("a")}, "<error> structure or vector expected"},
        {"containsvalue", {U(), S("a")}, "<error> structure or vector expected"},
        {"removevalue", {U(), S("a")}, "<error> structure or vector expected"},
        {"collectionkeys", {person()}, "['color','day','month','name','year']"},
        {"collectionkeys", {V({N(7), N(8)})}, "[0,1]"},
        {"collectionvalues", {person()}, "['blue',13,5,'Dorvash',1967]"},
        {"collectionkeys",
         {S("a")},
         "<error> function collectionkeys requires a structure or vector variable"},
        {"collectionvalues",
         {U()},
         "<error> function collectionvalues requires a structure or vector variable"},
    });

    VornScriptObjectPtr record = person();
    EXPECT_EQ(call("removekey", {record, S("day")}), "1");
    EXPECT_EQ(call("removekey", {record, S("day")}), "0");
    EXPECT_EQ(call("removevalue", {record, S("blue")}), "1");
    EXPECT_EQ(record->tostring(), "{month: 5, name: 'Dorvash', year: 1967}");
    VornScriptObjectPtr list = V({N(1), N(2), N(1), N(3)});
    EXPECT_EQ(call("removevalue", {list, N(1)}), "1");
    EXPECT_EQ(call("removekey", {list, N(0)}), "1");
    EXPECT_EQ(list->tostring(), "[3]");
}

TEST(SortFunctions, Orders) {
    const auto values = [] { return V({S("blue"), N(13), N(5), S("Dorvash"), N(1967)}); };
    checkcalls({
        {"sort", {values()}, "[5,13,1967,'Dorvash','blue']"},
        {"sortalphabetic", {values()}, "[13,1967,5,'Dorvash','blue']"},
        {"sortnumeric", {values()}, "[5,13,1967,'blue','Dorvash']"},
        {"sortignorecase", {values()}, "[13,1967,5,'blue','Dorvash']"},
        {"inversesort", {values()}, "['blue','Dorvash',1967,13,5]"},
        {"inversesortalphabetic", {values()}, "['blue','Dorvash',5,1967,13]"},
        {"inversesortnumeric", {values()}, "['Dorvash','blue',1967,13,5]"},
        {"inversesortignorecase", {values()}, "['Dorvash','blue',5,1967,13]"},
        {"sort", {V({N(100), N(20), N(3)})}, "[3,20,100]"},
        {"sortalphabetic", {V({N(100), N(20), N(3)})}, "[100,20,3]"},
        {"inversesortalphabetic", {V({N(100), N(20), N(3)})}, "[3,20,100]"},
        {"sort", {V({S("2.5"), S("-1"), S("10"), S("1e-3")})}, "[-1,2.5,10,'1e-3']"},
        {"sort", {U()}, "[]"},
        {"sort", {V({})}, "[]"},
        {"sort", {S("")}, "[]"},
        {"sort", {S("abc")}, "<error> function sortvector requires an vector variable"},
        {"inversesortnumeric",
         {person()},
         "<error> function sortvector requires an vector variable"},
    });
}

TEST(SortFunctions, InconsistentOrdersAndLargeInputs) {
    // 9 < 10 by value, "10" < "1a" and "1a" < "9" by text: a cycle, which
    // must still give a permutation of the input.
    VornScriptObjectList cycle;
    for (int i = 0; i < 300; ++i) {
        cycle.push_back(S(i % 3 == 0 ? "9" : (i % 3 == 1 ? "10" : "1a")));
    }
    const std::string sorted = call("sort", {V(cycle)});
    EXPECT_EQ(std::count(sorted.begin(), sorted.end(), ','), 299);

    VornScriptObjectList numbers;
    for (int64_t i = 0; i < 10000; ++i) {
        numbers.push_back(N((i * 7919) % 10007));
    }
    const VornScriptObjectPtr input = V(numbers);
    // The best of a few runs, so a busy machine does not decide the result.
    VornScriptObjectPtr result;
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        const auto start = std::chrono::steady_clock::now();
        std::string error;
        ASSERT_TRUE(callvalue("sort", {input}, result, error));
        const std::chrono::duration<double, std::milli> elapsed =
            std::chrono::steady_clock::now() - start;
        best = std::min(best, elapsed.count());
    }
    std::printf("sort of 10000 numbers: %.2f ms\n", best);
    const std::string text = result->tostring();
    EXPECT_TRUE(text.starts_with("[0,1,2,3,"));
    EXPECT_TRUE(text.ends_with(",10004,10005,10006]"));
    EXPECT_LT(best, 500.0);
}

TEST(GrepFunctions, OperatorsAndRegularExpressions) {
    const auto six = [] { return V({N(1), N(2), N(3), N(4), N(5), N(6)}); };
    const auto seven = [] { return V({N(1), N(2), N(3), N(4), N(5), N(6), N(10)}); };
    checkcalls({
        {"grepkeys", {person(), S("=~"), S("o")}, "{color: 'blue', month: 5}"},
        {"grepvalues", {person(), S(">="), N(10), S("<="), N(10000)}, "{day: 13, year: 1967}"},
        {"grepvalues", {person(), S("in"), S("13,blue")}, "{color: 'blue', day: 13}"},
        {"grepvalues",
         {person(), S("!in"), S("13;blue")},
         "{month: 5, name: 'Dorvash', year: 1967}"},
        {"grepvalues", {six(), S("in"), S("2-4")}, "[2,3,4]"},
        {"grepvalues", {six(), S("in"), S("3;3;3")}, "[3]"},
        {"grepvalues", {seven(), S("=~"), S("[16789]+")}, "[1,6,10]"},
        {"grepvalues", {seven(), S("!~"), S("[16789]+")}, "[2,3,4,5]"},
        {"grepvalues", {seven(), S("<"), N(2)}, "[1]"},
        {"grepvalues", {seven(), S(">="), N(6)}, "[6,10]"},
        {"grepvalues", {seven(), S(">"), N(3), S("<"), N(5)}, "[4]"},
        {"grepvalues", {seven(), S(""), N(10)}, "[10]"},
        {"grepvalues", {seven(), S("<>"), N(1), S("!"), N(2), S("!="), N(3)}, "[4,5,6,10]"},
        {"grepvalues", {seven(), S("~"), S("^1")}, "[1,10]"},
        {"grepkeys", {person(), S("y")}, "{day: 13, year: 1967}"},
        {"grepvalues", {seven(), S("0$")}, "[10]"},
        {"grepvalues", {seven(), S("like"), N(1)}, "<error> invalid compare operator"},
        {"grepvalues", {seven(), S("=~"), S("(")}, "<error> regular expression error"},
        {"grepkeys",
         {V({N(1)}), S("="), N(1)},
         "<error> grepkeys(structure,operator,value,...) requires a structure object as first "
         "parameter"},
        {"grepkeys",
         {person(), S("="), N(1), S("<")},
         "<error> grepkeys(structure,operator,value,...) requires pairs of operator names and "
         "values"},
        {"grepvalues",
         {S("a"), S("="), N(1)},
         "<error> grepvalues(collection,operator,value,...) requires a structure or vector object "
         "as first parameter"},
        {"grepvalues",
         {six(), S("="), N(1), S("<")},
         "<error> grepvalues(collection,operator,value,...) requires pairs of operator names and "
         "values"},
        {"grepkeys",
         {V({}), S("a")},
         "<error> grepkeys(structure,regex) requires a structure object as first parameter"},
        {"grepvalues",
         {U(), S("a")},
         "<error> grepvalues(collection,regex) requires a structure or vector as first parameter"},
    });
}

TEST(ByteBufferFunctions, ReadWriteAndLimits) {
    VornScriptObjectPtr buffer = variable(S("ABCD"), "buffer");
    checkcalls({
        {"buffergetbyte", {buffer, N(1)}, "66"},
        {"buffergetbyte",
         {buffer, N(4)},
         "<error> invalid pos argument in buffergetbyte(&buffer,pos)"},
        {"buffergetbyte",
         {buffer, N(-1)},
         "<error> invalid pos argument in buffergetbyte(&buffer,pos)"},
        {"buffergetbyte",
         {S("ABCD"), N(1)},
         "<error> buffergetbyte(&buffer,pos) requires a reference to a string buffer as first "
         "argument"},
        {"buffersetbyte",
         {variable(V({})), N(0), N(1)},
         "<error> buffersetbyte(&buffer,pos,value) requires a reference to a string buffer as "
         "first argument"},
        {"buffersetbyte",
         {buffer, N(4), N(65)},
         "<error> invalid pos argument in buffersetbyte(&buffer,pos,value)"},
        {"buffersetbyte",
         {buffer, N(0), N(256)},
         "<error> invalid value argument in buffersetbyte(&buffer,pos,value) should be 0-255"},
        {"bufferfillbytes",
         {S("ABCD"), N(0), N(1), N(65)},
         "<error> bufferfillbytes(&buffer,pos,len,value) requires a reference to a string buffer "
         "as first argument"},
        {"bufferfillbytes",
         {buffer, N(5), N(0), N(65)},
         "<error> invalid pos argument in bufferfillbytes(&buffer,pos,len,value)"},
        {"bufferfillbytes",
         {buffer, N(2), N(3), N(65)},
         "<error> invalid len value argument in bufferfillbytes(&buffer,pos,len,value) "},
        {"bufferfillbytes",
         {buffer, N(0), N(1), N(-1)},
         "<error> invalid value argument in bufferfillbytes(&buffer,pos,len,value) should be "
         "0-255"},
    });
    EXPECT_EQ(buffer->tostring(), "ABCD");
    call("buffersetbyte", {buffer, N(0), N(97)});
    call("bufferfillbytes", {buffer, N(2), N(2), N(122)});
    EXPECT_EQ(buffer->tostring(), "aBzz");
    call("buffersetbyte", {buffer, N(3), N(255)});
    EXPECT_EQ(call("buffergetbyte", {buffer, N(3)}), "255");
}

TEST(JsonFunctions, ParseAndCreate) {
    checkcalls({
        {"parsejson", {S("{\"b\": 1, \"a\": [1, 2]}")}, "{a: [1,2], b: 1}"},
        {"parsejson", {S("[[1], [\"x\"]]")}, "[[1],['x']]"},
        {"parsejson", {S("{\"a\" 1}")}, "<error> expected : "},
        {"parsejson", {S("[1, 2")}, "<error> expected ]"},
        {"parsejson", {S("tru")}, "<error> invalid identifier tru"},
        {"parsejson", {S(";")}, "<error> unknown character found: ;"},
        {"createjson",
         {ST({{"a", V({N(1), N(2)})}, {"b", N(12)}})},
         "{\n    \"a\": [\n        1,\n        2\n    ]\n,\n    \"b\": 12\n}\n"},
        {"createjson",
         {ST({{"m", N(-5)}, {"n", S("3.5")}, {"o", S("abc")}, {"p", S("a\nb")}})},
         "{\n    \"m\": \"-5\",\n    \"n\": \"3.5\",\n    \"o\": \"abc\",\n    \"p\": "
         "\"a\\nb\"\n}\n"},
        {"createjson", {U()}, "\"\""},
    });
    // A vector holding itself is refused instead of recursing without end.
    VornScriptObjectPtr loop = variable(V({}));
    std::string error;
    VornScriptObjectPtr entry;
    ASSERT_TRUE(loop->accessvectorelement(0, entry, error));
    ASSERT_TRUE(entry->assignreference(loop, error));
    EXPECT_EQ(call("createjson", {loop}), "<error> collection nested too deeply");
    ASSERT_TRUE(entry->assign(N(0), error)); // breaks the cycle
}

} // namespace vornscriptunittests

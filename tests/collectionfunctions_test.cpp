// Direct calls of the collection functions for what scripts cannot reach or
// show: the two-argument grep forms (the prototype table accepts grep only
// with operator pairs), sorting with an inconsistent order, the time of a
// large sort, and JSON of a collection that contains itself.
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

TEST(GrepFunctions, RegularExpressionForm) {
    checkcalls({
        {"grepkeys", {person(), S("y")}, "{day: 13, year: 1967}"},
        {"grepvalues", {V({N(1), N(2), N(10)}), S("0$")}, "[10]"},
        {"grepkeys",
         {V({}), S("a")},
         "<error> grepkeys(structure,regex) requires a structure object as first parameter"},
        {"grepvalues",
         {U(), S("a")},
         "<error> grepvalues(collection,regex) requires a structure or vector as first parameter"},
    });
}

TEST(JsonFunctions, SelfContainingCollection) {
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

// The profile summary: sort methods and directions, the bounded record list,
// netto times never below zero, and the exact record line.
#include "debugger/profiler.h"
#include "driver/commandlinescript.h"
#include "frontend/parser.h"
#include "interpreter/evaluationwrapper.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vornscriptunittests {
namespace {

using namespace vornscript;

// Runs the script with profiling and returns the summary by [method].
std::string profiledrun(const std::string& script, const std::string& method, size_t limit) {
    VornCommandlineScript context;
    context.profilingenabled = true;
    VornScriptParser parser(makescriptsource("p", script));
    const VornScriptStatementsPtr root = parser.parse();
    context.bindscript(root, nullptr);
    preparenode(*root, context);
    evaluatewrapped(*root, context);
    std::string summary;
    context.profilesummary(summary, root.get(), method, limit);
    return summary;
}

std::vector<int64_t> counts(const std::string& summary) {
    std::vector<int64_t> values;
    for (size_t start = 0; start < summary.size(); start = summary.find('\n', start) + 1) {
        EXPECT_EQ(summary.compare(start, 6, "calls;"), 0);
        values.push_back(std::stoll(summary.substr(start + 6)));
    }
    return values;
}

const char* const loop = "var s = 0;\nfor (var i = 0; i < 50; i++) { s += i; }\ns;\n";

TEST(Profiler, SortMethodsAndDirections) {
    std::vector<int64_t> descending = counts(profiledrun(loop, "count", 100));
    ASSERT_GT(descending.size(), 5u);
    EXPECT_TRUE(std::is_sorted(descending.rbegin(), descending.rend()));
    EXPECT_EQ(descending.front(), 51); // the loop condition

    std::vector<int64_t> ascending = counts(profiledrun(loop, "+count", 100));
    EXPECT_TRUE(std::is_sorted(ascending.begin(), ascending.end()));
    EXPECT_EQ(ascending.size(), descending.size());
    EXPECT_EQ(counts(profiledrun(loop, "-count", 100)), descending);

    struct OrderCase {
        const char* method;
        VornScriptProfileOrder::Key key;
        bool ascending;
    };
    const std::vector<OrderCase> orders = {
        {"count", VornScriptProfileOrder::Key::count, false},
        {"+count", VornScriptProfileOrder::Key::count, true},
        {"-sumnetto", VornScriptProfileOrder::Key::sumnetto, false},
        {"+singlebrutto", VornScriptProfileOrder::Key::singlebrutto, true},
        {"singlenetto", VornScriptProfileOrder::Key::singlenetto, false},
        {"xyz", VornScriptProfileOrder::Key::sumbrutto, false},
        {"+", VornScriptProfileOrder::Key::sumbrutto, true},
        {"", VornScriptProfileOrder::Key::sumbrutto, false},
    };
    for (const OrderCase& row : orders) {
        const VornScriptProfileOrder order = VornScriptProfileOrder::parse(row.method);
        EXPECT_EQ(order.key, row.key) << row.method;
        EXPECT_EQ(order.ascending, row.ascending) << row.method;
    }
}

TEST(Profiler, AtMostTheLimitKeepingTheCostliest) {
    // 150 statements evaluated once each, a loop condition 52 times.
    std::string script = "var n = 0;\n";
    for (int index = 0; index < 150; ++index) {
        script += "n = " + std::to_string(index) + ";\n";
    }
    script += "while (n < 200) n++;\n";
    const std::vector<int64_t> held = counts(profiledrun(script, "count", 100));
    EXPECT_EQ(held.size(), 100u);
    EXPECT_EQ(held.front(), 52); // the while condition survives the bound
    EXPECT_EQ(counts(profiledrun(script, "count", 7)).size(), 7u);
    EXPECT_EQ(profiledrun(script, "count", 0), "");
}

// A tree whose counters are set by hand: the line format and netto times.
TEST(Profiler, RecordLines) {
    const std::string longcall = "var x = 'a very long text that goes on and on',\n\ty = 'and "
                                 "another one that makes the statement longer than eighty';";
    VornScriptParser parser(makescriptsource("f", "1 + 2;\n" + longcall));
    const VornScriptStatementsPtr root = parser.parse();
    VornScriptNodeList children;
    root->statements[0]->children(children);
    ASSERT_EQ(children.size(), 2u);
    root->statements[0]->callcount = 1;
    root->statements[0]->sumbrutto = 5;
    children[0]->callcount = 2;
    children[0]->sumbrutto = 4;
    children[1]->callcount = 2;
    children[1]->sumbrutto = 3;
    root->statements[1]->callcount = 3;
    root->statements[1]->sumbrutto = 10;

    VornCommandlineScript context;
    std::string summary;
    context.profilesummary(summary, root.get(), "sumbrutto", 100);
    EXPECT_EQ(summary,
              "calls;3;sumbrutto=10;sumnetto=10;singlebrutto=3;singlenetto=3;pos;;f Line 2 "
              "Col 1;source;var x = 'a very long text that goes on and on',  y = 'and another "
              "one that ma...\n"
              "calls;1;sumbrutto=5;sumnetto=0;singlebrutto=5;singlenetto=0;pos;;f Line 1 Col "
              "1;source;1 + 2\n"
              "calls;2;sumbrutto=4;sumnetto=4;singlebrutto=2;singlenetto=2;pos;;f Line 1 Col "
              "1;source;1\n"
              "calls;2;sumbrutto=3;sumnetto=3;singlebrutto=1;singlenetto=1;pos;;f Line 1 Col "
              "5;source;2\n");
}

} // namespace
} // namespace vornscriptunittests

// Guards the first system-function table of the catalogue: every script row
// runs through the script run under its own name and must give its expected
// text, the output rows follow the row they compare, and the table keeps its
// fixed row count. The output rows themselves need the test context's
// captured streams and are checked by the self-test runner, not here.
#include "scripttesthelper.h"
#include "selftests/catalogue.h"

#include <map>
#include <string_view>

namespace vornscriptunittests {
namespace {

// Rows whose expectation the interpreter does not meet yet.
const std::map<std::string_view, std::string_view> knownopen = {
    {"sysfuncpushpop", "size() of an undefined variable fails instead of giving 0"},
    {"sysfuncunittestareequal1", "the unit-test system functions are not registered yet"},
};

std::span<const CatalogueRow> rows() {
    return systemfunctionrowsfirst();
}

TEST(CatalogueSystemFunctionsFirst, RowCountAndOrder) {
    ASSERT_EQ(rows().size(), 218u);
    EXPECT_STREQ(rows().front().name, "sysfunclinenr");
    EXPECT_STREQ(rows().back().name, "testoutputofprinterror7");
}

// An output row has no script and compares what the row before it left, so
// it must follow a print row of its own number.
TEST(CatalogueSystemFunctionsFirst, OutputRowsFollowTheirPrintRow) {
    const std::string_view prefix = "testoutputof";
    for (size_t i = 0; i < rows().size(); ++i) {
        const std::string_view name = rows()[i].name;
        const bool outputrow = name.starts_with(prefix);
        EXPECT_EQ(rows()[i].script == nullptr, outputrow) << name;
        if (outputrow) {
            ASSERT_GT(i, 0u);
            EXPECT_EQ(std::string_view(rows()[i - 1].name),
                      "sysfunc" + std::string(name.substr(prefix.size())));
        }
    }
}

TEST(CatalogueSystemFunctionsFirst, ScriptRows) {
    for (const CatalogueRow& row : rows()) {
        if (row.script == nullptr || knownopen.contains(row.name)) {
            continue;
        }
        EXPECT_EQ(runtestscript(row.script, row.name), row.expected) << "row: " << row.name;
    }
}

} // namespace
} // namespace vornscriptunittests

// Unit-level guard of the operators, casts, variables and user functions
// rows of the self-test catalogue: every row runs through the script run
// under its own name and must give the row's expected text. No row of this
// group needs the test context's fixtures, so none is skipped.
#include "scripttesthelper.h"
#include "selftests/catalogue.h"

#include <set>
#include <string>

namespace vornscriptunittests {
namespace {

TEST(CatalogueOperators, EveryRowGivesItsExpectedResult) {
    for (const CatalogueRow& row : operatorrows()) {
        ASSERT_NE(row.script, nullptr) << row.name;
        EXPECT_EQ(runtestscript(row.script, row.name), row.expected) << "row: " << row.name;
    }
}

// The catalogue runs the rows in a fixed order and names; this group has no
// output rows, and its names are unique.
TEST(CatalogueOperators, RowNamesAreUniqueAndInGroupOrder) {
    const auto rows = operatorrows();
    ASSERT_EQ(rows.size(), 171u);
    EXPECT_STREQ(rows.front().name, "testeq1");
    EXPECT_STREQ(rows.back().name, "varscope3");
    std::set<std::string> names;
    for (const CatalogueRow& row : rows) {
        EXPECT_TRUE(names.insert(row.name).second) << "duplicate row " << row.name;
    }
}

// Negating a plain decimal keeps its written digits; computed doubles keep
// their six decimals and zero stays "0".
TEST(CatalogueOperators, NegationKeepsWrittenDigits) {
    checkcases({
        {"-3.1415", "-3.1415"},
        {"- -3.10", "3.10"},
        {"var x = 3.25; -x", "-3.25"},
        {"-(3+4.5)", "-7.500000"},
        {"-(3+4.5) + 1", "-6.500000"},
        {"-0.0000", "0"},
        {"(int)-3.1415", "-3"},
        {"-3.1415 == -3.141500", "1"},
    });
}

} // namespace
} // namespace vornscriptunittests

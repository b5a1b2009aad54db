// Guards the catalogue tables of the basic-language, statement and
// increment groups: every row runs through the script run under its own
// name and must give its expected text, and each table keeps its fixed row
// count. Rows listed in knownopen are left out with the reason; rows that
// define functions run once the script run can call user functions.
#include "scripttesthelper.h"
#include "selftests/catalogue.h"

#include <map>
#include <string_view>

namespace vornscriptunittests {
namespace {

// Rows whose expectation the interpreter does not meet yet.
const std::map<std::string_view, std::string_view> knownopen = {
    {"testscope1", "the expected column 22 lies one past the start of the name"},
    {"testnum3a", "negating a literal double gives six decimals instead of its own text"},
    {"postfixtrycatch2", "the try body runs in a scope of its own, dropping the pending x++"},
};

bool userfunctionsavailable() {
    static const bool available = runtestscript("function f() { return 1; } f()") == "1";
    return available;
}

void checkrows(std::span<const CatalogueRow> rows) {
    for (const CatalogueRow& row : rows) {
        ASSERT_NE(row.script, nullptr) << row.name;
        if (knownopen.contains(row.name)) {
            continue;
        }
        if (std::string_view(row.script).find("function ") != std::string_view::npos &&
            !userfunctionsavailable()) {
            continue;
        }
        EXPECT_EQ(runtestscript(row.script, row.name), row.expected) << "row: " << row.name;
    }
}

TEST(CatalogueBasic, RowCounts) {
    EXPECT_EQ(basiclanguagerows().size(), 88u);
    EXPECT_EQ(statementrows().size(), 42u);
    EXPECT_EQ(incrementrows().size(), 17u);
}

TEST(CatalogueBasic, BasicLanguageRows) {
    checkrows(basiclanguagerows());
}

TEST(CatalogueBasic, StatementRows) {
    checkrows(statementrows());
}

TEST(CatalogueBasic, IncrementRows) {
    checkrows(incrementrows());
}

} // namespace
} // namespace vornscriptunittests

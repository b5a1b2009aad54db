// The self-test catalogue as data: each group keeps its fixed size and
// order, output rows sit right after the row whose field they compare, and
// a whole catalogue run passes and leaves the temporary folder as it found
// it. The row expectations themselves are checked by the catalogue run.
#include "filetestsupport.h"
#include "selftests/selftestsuites.h"
#include "support/largestack.h"

#include <gtest/gtest.h>

#include <string_view>

namespace vornscriptunittests {
namespace {

struct GroupShape {
    std::span<const CatalogueRow> rows;
    size_t size;
    const char* first;
    const char* last;
};

TEST(Catalogue, GroupsKeepTheirSizeAndOrder) {
    const GroupShape groups[] = {
        {basiclanguagerows(), 88, "testnull", "testcatch6"},
        {operatorrows(), 171, "testeq1", "varscope3"},
        {statementrows(), 42, "nothing", "gotolabel1"},
        {incrementrows(), 17, "postfixtestsuffixincr1", "postfixtrycatch2"},
        {systemfunctionrowsfirst(), 218, "sysfunclinenr", "testoutputofprinterror7"},
        {systemfunctionrowssecond(), 162, "sysfuncgettemporaryfolder", "parseintrangelist3"},
        {livedatarows(), 26, "live userextension getsummary", "sysfuncsortcomparelifefunc"},
        {libraryrows(), 28, "library found", "library sysfuncsortcomparelifefunc"},
    };
    size_t total = 0;
    for (const GroupShape& group : groups) {
        ASSERT_EQ(group.rows.size(), group.size) << group.first;
        EXPECT_STREQ(group.rows.front().name, group.first);
        EXPECT_STREQ(group.rows.back().name, group.last);
        total += group.size;
    }
    // With the string-library and conversion suites the run has 907 rows,
    // 879 without the plug-in library group.
    EXPECT_EQ(total + 138 + 17, 907u);
    EXPECT_EQ(total - libraryrows().size() + 138 + 17, 879u);
}

// An output row has no script of its own and compares what the row just
// before it left behind, so it must follow a script row.
TEST(Catalogue, OutputRowsFollowAScriptRow) {
    for (const CatalogueGroup& group : cataloguegroups()) {
        for (size_t index = 0; index < group.rows.size(); ++index) {
            const CatalogueRow& row = group.rows[index];
            const bool outputrow = std::string_view(row.name).starts_with("testoutputof");
            EXPECT_EQ(row.script == nullptr, outputrow) << row.name;
            if (outputrow) {
                ASSERT_GT(index, 0u) << row.name;
                EXPECT_NE(group.rows[index - 1].script, nullptr) << row.name;
            }
        }
    }
}

TEST(Catalogue, WholeRunPassesAndCleansUp) {
    TemporaryFolder folder;
    EnvironmentOverride temporary("TMPDIR", folder.path().c_str());
    vornscript::vornunittest registry;
    vornscript::runwithlargestack([&] { return cataloguesuite(registry, "") ? 0 : 1; });
    EXPECT_EQ(registry.failures(), "");
    EXPECT_GT(registry.checkcount(), 700u);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path())) << "rows left files behind";
}

} // namespace
} // namespace vornscriptunittests

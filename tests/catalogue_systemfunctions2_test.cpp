// Guards the second table of the system-function catalogue group: every row
// runs under its own name in a restricted base context (the sandbox of the
// self-test context) with a private temporary folder, must give its expected
// text, and must leave that folder empty. Rows that need the self-test
// context's fixtures, and rows the interpreter does not meet yet, are listed
// with the reason.
#include "filetestsupport.h"
#include "interpreter/evaluate.h"
#include "interpreter/userfunctions.h"
#include "selftests/catalogue.h"

#include <map>
#include <string_view>

namespace vornscriptunittests {
namespace {

// Rows that compare a field the row before left, or read the virtual
// include file: only the self-test context provides those.
const std::map<std::string_view, std::string_view> needstestcontext = {
    {"testoutputoflogmessage1", "compares the last logged message"},
    {"testoutputofexit1", "compares the exit code"},
    {"sysfuncincludemycode", "includes the virtual file myinclude.vornscript"},
};

// Rows whose expectation the interpreter does not meet yet.
const std::map<std::string_view, std::string_view> knownopen = {
    {"sysfuncexit", "exit yields its code as the script's value instead of no value"},
};

// Runs a row's script like the self-test runner: parsed under the row name,
// evaluated in a base context, whose writes stay inside the temporary folder.
std::string runrowscript(const CatalogueRow& row) {
    std::string result;
    vornscript::runwithlargestack([&] {
        try {
            vornscript::VornScriptContextBase context;
            const auto source = vornscript::makescriptsource(row.name, row.script);
            vornscript::VornScriptParser parser(source, &vornscript::programconstcontext());
            const auto root = parser.parse();
            if (!root) {
                result = "<error>";
                return 0;
            }
            context.bindscript(root, source);
            vornscript::preparenode(*root, context);
            vornscript::checkcallsexist(*root, context);
            const auto value = vornscript::evaluatewrapped(*root, context);
            vornscript::checkpendinggoto(context);
            result = value ? value->tostring() : std::string();
        } catch (const vornscript::VornScriptErrorException& error) {
            result =
                error.fullerrortext().empty() ? std::string() : "<error> " + error.fullerrortext();
        }
        return 0;
    });
    return result;
}

TEST(CatalogueSystemFunctionsSecond, RowCountAndOutputRows) {
    const auto rows = systemfunctionrowssecond();
    EXPECT_EQ(rows.size(), 162u);
    // An output row has no script and follows the row whose field it reads.
    for (size_t index = 0; index < rows.size(); ++index) {
        const bool outputrow = std::string_view(rows[index].name).starts_with("testoutputof");
        EXPECT_EQ(rows[index].script == nullptr, outputrow) << rows[index].name;
        if (outputrow) {
            ASSERT_GT(index, 0u);
            EXPECT_NE(rows[index - 1].script, nullptr) << rows[index].name;
        }
    }
}

TEST(CatalogueSystemFunctionsSecond, RowsGiveTheirResultsAndCleanUp) {
    TemporaryFolder folder;
    EnvironmentOverride temporary("TMPDIR", folder.path().c_str());
    for (const CatalogueRow& row : systemfunctionrowssecond()) {
        if (needstestcontext.contains(row.name) || knownopen.contains(row.name)) {
            continue;
        }
        EXPECT_EQ(runrowscript(row), row.expected) << "row: " << row.name;
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder.path())) << "rows left files behind";
}

} // namespace
} // namespace vornscriptunittests

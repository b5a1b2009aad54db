// Suite 2: the script catalogue. Every selected row runs its script in a
// fresh test context and compares the result text; a "testoutputof..." row
// instead compares a field the row before it left in the runner. A group
// that needs the test plug-in library runs only after a successful probe.
#include "selftests/selftestsuites.h"
#include "selftests/testcontext.h"

#include <string_view>

namespace vornscriptunittests {

namespace {

// Output rows by name prefix; the longer "printerror" prefix comes first.
struct OutputField {
    std::string_view prefix;
    std::string (*read)(const TestScriptRunner& runner);
};

const OutputField outputfields[] = {
    {"testoutputofprinterror", [](const TestScriptRunner& runner) { return runner.erroroutput; }},
    {"testoutputofprint", [](const TestScriptRunner& runner) { return runner.output; }},
    {"testoutputoflogmessage", [](const TestScriptRunner& runner) { return runner.logmessage; }},
    {"testoutputofexit",
     [](const TestScriptRunner& runner) { return std::to_string(runner.exitcode); }},
};

// The field an output row compares; empty text for an unknown prefix.
std::string outputfield(const TestScriptRunner& runner, std::string_view name) {
    for (const OutputField& field : outputfields) {
        if (name.starts_with(field.prefix)) {
            return field.read(runner);
        }
    }
    return std::string();
}

bool testlibraryloads(TestScriptRunner& runner) {
    return runner.runscript("testlibraryfound", "uselibrary('vornscripttestlibrary')") == "1";
}

} // namespace

void runcataloguerows(vornscript::vornunittest& registry, const std::string& filter,
                      TestScriptRunner& runner, std::span<const CatalogueRow> rows) {
    for (const CatalogueRow& row : rows) {
        if (!vornscript::vornunittest::isselected(filter, row.name)) {
            continue;
        }
        const std::string actual = row.script != nullptr ? runner.runscript(row.name, row.script)
                                                         : outputfield(runner, row.name);
        registry.areequal(row.name, actual, row.expected);
    }
}

bool cataloguesuite(vornscript::vornunittest& registry, const std::string& filter) {
    TestScriptRunner runner;
    for (const CatalogueGroup& group : cataloguegroups()) {
        if (group.needstestlibrary && !testlibraryloads(runner)) {
            continue;
        }
        runcataloguerows(registry, filter, runner, group.rows);
    }
    return true;
}

void registerselftestsuites(vornscript::vornunittest& registry) {
    registry.addsuite(stringlibrarysuite);
    registry.addsuite(cataloguesuite);
    registry.addsuite(conversionsuite);
}

} // namespace vornscriptunittests
